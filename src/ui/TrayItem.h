#pragma once

#include <QObject>

class QMenu;
class QSystemTrayIcon;

// The program's item in the system tray.
class TrayItem : public QObject {
    Q_OBJECT
public:
    explicit TrayItem(QObject *parent = nullptr);
    ~TrayItem() override;

    QSystemTrayIcon &icon() const { return *m_icon; }

signals:
    void quitRequested();

private:
    QSystemTrayIcon *m_icon;
    QMenu *m_menu;
};
