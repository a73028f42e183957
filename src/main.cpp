#include "app/AppState.h"
#include "app/GraphicalSession.h"
#include "app/PelmixApp.h"
#include "app/SingleInstance.h"
#include "platform/DesktopEntryId.h"
#include "platform/Platform.h"
#include "platform/linux/LinuxPlatform.h"
#include "ui/screens/ScreenFactories.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (const QString reason = missingGraphicalSessionReason(); !reason.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(reason));
        return 1;
    }

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pelmix"));
    QApplication::setOrganizationName(QStringLiteral("Pelmix"));
    QApplication::setDesktopFileName(kDesktopEntryId);

    SingleInstance instance;
    if (!instance.claim())
        return 0;

    LinuxPlatform linuxPlatform;
    Platform::setCurrent(&linuxPlatform.platform());
    PelmixApp pelmix(linuxPlatform.platform(), linuxPlatform.desktop(), instance);
    pelmix.setViewFactories(screenFactories(AppState::shared(), linuxPlatform.platform()));
    return pelmix.run();
}
