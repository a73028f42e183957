#pragma once

#include "platform/Desktop.h"

#include <functional>

// Alerts through QMessageBox, links through QDesktopServices, file names through QFileDialog
// (the desktop portal's or the platform theme's dialog where there is one); bringing the program forward
// raises the windows the application registered for it.
class QtDesktop final : public Desktop {
public:
    int runModalAlert(const AlertRequest &request) override;
    void openUrl(const QUrl &url) override;
    std::optional<QString> askSaveFileName(const QString &title, const QString &suggestedName,
                                           const QStringList &filters) override;
    void activateIgnoringOtherApps() override;
    void terminate() override;

    // What "bring the program to the front" shows; set by the application once its windows exist.
    void setActivationHandler(std::function<void()> handler);

private:
    std::function<void()> m_activationHandler;
};
