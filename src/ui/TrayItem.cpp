#include "TrayItem.h"

#include "app/AppState.h"
#include "ui/MenuBarLabel.h"
#include "ui/MenuBarView.h"
#include "ui/NamedColors.h"
#include "ui/SymbolGlyphs.h"
#include "ui/TrayActions.h"
#include "ui/ViewInputs.h"

#include <QCursor>
#include <QMenu>
#include <QSystemTrayIcon>

TrayItem::TrayItem(AppState &appState, TrayActions &actions, QObject *parent)
    : QObject(parent),
      m_appState(appState),
      m_actions(actions),
      m_icon(new QSystemTrayIcon(this)),
      m_menu(new QMenu)
{
    m_label = new MenuBarLabel(appState.workTimer(), appState.todoManager(), *m_icon, this);
    m_icon->setContextMenu(m_menu);
    connect(m_menu, &QMenu::aboutToShow, this, &TrayItem::rebuildMenu);
    connect(m_icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger)
            openPanel();
    });
    rebuildMenu();
    m_icon->show();
}

TrayItem::~TrayItem()
{
    delete m_panel;
    delete m_menu;
}

MenuBarView *TrayItem::panel() const { return m_panel; }

MenuBarView *TrayItem::openPanel()
{
    if (m_panel)
        m_panel->close();
    m_panel = new MenuBarView(m_appState, m_appState.workTimer(), m_actions);
    m_panel->popUp(m_icon->geometry(), QCursor::pos());
    emit panelOpened();
    return m_panel;
}

void TrayItem::rebuildMenu()
{
    const auto model = MenuBarPanelModel::make(ViewInputs::panel(m_appState.workTimer(), m_appState.activityMonitor(),
                                                                 m_appState.settings(), m_appState.todoManager()));
    m_menu->clear();
    const auto addEntry = [this](const MenuBarPanelModel::Entry &entry) {
        QAction *action =
            m_menu->addAction(SymbolGlyphs::icon(entry.symbol, 16, NamedColors::resolve(entry.color)), entry.text);
        connect(action, &QAction::triggered, this, [this, what = entry.action] { m_actions.perform(what); });
    };
    // The counter sits in the shortcut column, right-aligned like the panel's.
    QAction *status = m_menu->addAction(SymbolGlyphs::icon(u"circle.fill", 16, NamedColors::resolve(model.statusColor)),
                                        model.statusText + QLatin1Char('\t') + model.longBreakCounterText);
    status->setEnabled(false);
    if (model.currentTaskTitle) {
        QAction *task =
            m_menu->addAction(SymbolGlyphs::icon(u"circle.fill", 16, NamedColors::resolve(ColorRole::blue)),
                              QString(*model.currentTaskTitle).replace(QLatin1Char('&'), QStringLiteral("&&")));
        task->setEnabled(false);
    }
    if (model.takeBreakNow)
        addEntry(*model.takeBreakNow);
    m_menu->addSeparator();
    for (const auto &entry : model.sectionEntries)
        addEntry(entry);
    m_menu->addSeparator();
    for (const auto &entry : model.applicationEntries)
        addEntry(entry);
}
