#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>

#include <memory>
#include <optional>

class AppState;
class MenuBarLabel;
class MenuBarView;
class QMenu;
class QSystemTrayIcon;
class StatusItem;
class TrayActions;
class TrayHost;
class TrayMenu;

// The program's item in the system tray, present from launch. A left click opens the panel
// at the icon; a right click (and trays that only show menus) opens a menu with the same
// content, from the same model, that follows the state while it is open.
//
// Where the panel shows status items of its own (the host's createStatusItem()), the item is
// one of those, with the minutes also as text beside the icon; elsewhere it is Qt's tray icon
// (XEmbed). The choice follows the panel as it comes and goes.
class TrayItem : public QObject {
    Q_OBJECT
public:
    TrayItem(AppState &appState, TrayActions &actions, const TrayHost &host, QObject *parent = nullptr);
    ~TrayItem() override;

    QSystemTrayIcon &icon() const { return *m_icon; }
    MenuBarLabel &label() const { return *m_label; }
    QMenu &menu() const;
    // The open panel, if any.
    MenuBarView *panel() const;

    StatusItem &statusItem() const { return *m_statusItem; }

    // Opens a fresh panel (closing one that is open) beside the bar that holds the item: at the
    // icon, or at `hostPoint`, the point a StatusNotifierItem host gave.
    MenuBarView *openPanel(std::optional<QPoint> hostPoint = std::nullopt);

signals:
    void panelOpened();

private:
    void useStatusItem(bool available);
    void showFace();

    AppState &m_appState;
    TrayActions &m_actions;
    const TrayHost &m_host;
    QSystemTrayIcon *m_icon;
    MenuBarLabel *m_label;
    TrayMenu *m_menu;
    std::unique_ptr<StatusItem> m_statusItem;
    QPointer<MenuBarView> m_panel;
};
