#pragma once

#include "platform/LoginItem.h"

// Launch at login through an XDG autostart entry, $XDG_CONFIG_HOME/autostart/pelmix.desktop.
class XdgAutostartEntry final : public LoginItem {
public:
    // `autostartFolder` empty means the user's autostart folder.
    explicit XdgAutostartEntry(QString executablePath, QString autostartFolder = {});

    std::optional<QString> registerItem() override;
    std::optional<QString> unregisterItem() override;

    QString entryPath() const;
    static QString entryContents(const QString &executablePath);

private:
    QString m_executablePath;
    QString m_autostartFolder;
};
