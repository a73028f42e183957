#pragma once

#include "ui/tray/panel/MenuBarPanelModel.h"

#include <QObject>

#include <functional>

class QAction;
class QMenu;

// The tray's right-click menu: the panel's content as menu entries. Its entries are made once
// and changed in place, so a host that shows the menu over D-Bus keeps the same entry ids and
// an open menu follows the state (the snooze counts down while it is open). While the menu is
// closed it is brought up to date only when asked, so a counting timer costs nothing there.
class TrayMenu : public QObject {
    Q_OBJECT
public:
    using ModelSource = std::function<MenuBarPanelModel()>;
    using Perform = std::function<void(MenuBarPanelModel::Action)>;

    TrayMenu(ModelSource source, Perform perform, QObject *parent = nullptr);
    ~TrayMenu() override;

    QMenu &menu() const { return *m_menu; }

    // Whether a menu is open (Qt's own, or one a host draws), so changes show at once.
    bool isLive() const { return m_ownMenuOpen || m_hostMenuOpen; }
    void setHostMenuOpen(bool open);

public slots:
    // Reads the model again and changes the entries that differ.
    void update();
    // Called for each change of the state: updates only while the menu is open.
    void stateChanged();

private:
    QAction *addEntry(MenuBarPanelModel::Action action);
    void setEntry(QAction *action, const MenuBarPanelModel::Entry *entry);

    ModelSource m_source;
    Perform m_perform;
    QMenu *m_menu;
    QAction *m_status;
    QAction *m_task;
    QAction *m_takeBreakNow;
    QAction *m_hold;
    QAction *m_remindAnyway;
    std::vector<QAction *> m_sections;
    std::vector<QAction *> m_application;
    std::optional<MenuBarPanelModel> m_shown;
    bool m_ownMenuOpen = false;
    bool m_hostMenuOpen = false;
};
