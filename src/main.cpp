#include "app/GraphicalSession.h"
#include "app/PelmixApp.h"
#include "app/ScreenFactories.h"
#include "app/SingleInstance.h"
#include "app/cli/ClientCommand.h"
#include "app/cli/CommandLine.h"
#include "app/cli/ExportCommand.h"
#include "appstate/AppState.h"
#include "platform/DesktopEntryId.h"
#include "platform/Platform.h"
#include "platform/linux/LinuxPlatform.h"
#include "platform/linux/session/QtPlatformChoice.h"
#include "platform/linux/system/HeapPolicy.h"
#include "platform/linux/system/XdgDataLocations.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    HeapPolicy::keepLargeBlocksOutOfTheHeap();
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine command = CommandLine::parse(arguments);
    switch (command.action) {
    case CommandLine::Action::usageError:
        std::fprintf(stderr, "pelmix: %s\n%s", qPrintable(command.message), qPrintable(CommandLine::usage()));
        return 2;
    case CommandLine::Action::badValue:
        std::fprintf(stderr, "pelmix: %s\n", qPrintable(command.message));
        return 1;
    case CommandLine::Action::help:
        std::printf("%s", qPrintable(command.message));
        return 0;
    case CommandLine::Action::version:
        std::printf("pelmix %s\n", PELMIX_VERSION);
        return 0;
    case CommandLine::Action::exportData: {
        QCoreApplication core(argc, argv);
        return runExport(command, XdgDataLocations());
    }
    case CommandLine::Action::client: {
        // What a command prints is its answer; Qt's own notes (of D-Bus types as the process
        // ends, say) would only mix into it.
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
        QCoreApplication core(argc, argv);
        return ClientCommand::run(command);
    }
    case CommandLine::Action::run:
        break;
    }

    if (const QString reason = missingGraphicalSessionReason(); !reason.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(reason));
        return 1;
    }
    if (const QString note = settleSessionBusAddress(); !note.isEmpty())
        std::printf("GraphicalSession: %s\n", qPrintable(note));
    const QtPlatformChoice choice =
        QtPlatformChoice::choose({qgetenv("QT_QPA_PLATFORM"), qgetenv("WAYLAND_DISPLAY"), qgetenv("DISPLAY")},
                                 QtPlatformChoice::installedPlugins());
    if (!choice.note.isEmpty())
        std::printf("GraphicalSession: %s\n", qPrintable(choice.note));
    if (choice.platform.isEmpty())
        return 1;
    qputenv("QT_QPA_PLATFORM", choice.platform);

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pelmix"));
    QApplication::setOrganizationName(QStringLiteral("Pelmix"));
    QApplication::setDesktopFileName(kDesktopEntryId);

    SingleInstance instance(XdgDataLocations().dataFolder());
    if (!instance.claim()) {
        if (const QString heldBy = instance.heldByText(); !heldBy.isEmpty())
            std::printf("SingleInstance: %s\n", qPrintable(heldBy));
        return 0;
    }

    LinuxPlatform linuxPlatform;
    Platform::setCurrent(&linuxPlatform.platform());
    PelmixApp pelmix(linuxPlatform.platform(), linuxPlatform.desktop(), instance);
    pelmix.setViewFactories(screenFactories(AppState::shared(), linuxPlatform.platform()));
    return pelmix.run();
}
