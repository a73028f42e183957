#pragma once

#include <QObject>
#include <QPointer>

class AppState;
class MenuBarLabel;
class MenuBarView;
class QMenu;
class QSystemTrayIcon;
class TrayActions;

// The program's item in the system tray, present from launch. A left click opens the panel
// at the icon; a right click (and trays that only show menus) opens a menu with the same
// content, built from the same model each time it opens.
class TrayItem : public QObject {
    Q_OBJECT
public:
    TrayItem(AppState &appState, TrayActions &actions, QObject *parent = nullptr);
    ~TrayItem() override;

    QSystemTrayIcon &icon() const { return *m_icon; }
    MenuBarLabel &label() const { return *m_label; }
    QMenu &menu() const { return *m_menu; }
    // The open panel, if any.
    MenuBarView *panel() const;

    // Opens a fresh panel (closing one that is open).
    MenuBarView *openPanel();

signals:
    void panelOpened();

private:
    void rebuildMenu();

    AppState &m_appState;
    TrayActions &m_actions;
    QSystemTrayIcon *m_icon;
    MenuBarLabel *m_label;
    QMenu *m_menu;
    QPointer<MenuBarView> m_panel;
};
