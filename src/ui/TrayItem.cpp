#include "TrayItem.h"

#include "app/AppState.h"
#include "platform/linux/DBusMenuExporter.h"
#include "platform/linux/StatusNotifierItem.h"
#include "ui/MenuBarLabel.h"
#include "ui/MenuBarView.h"
#include "ui/NamedColors.h"
#include "ui/SymbolGlyphs.h"
#include "ui/TrayActions.h"
#include "ui/ViewInputs.h"

#include <QCursor>
#include <QMenu>
#include <QSystemTrayIcon>

TrayItem::TrayItem(AppState &appState, TrayActions &actions, QDBusConnection bus, QObject *parent)
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

    m_statusNotifier = new StatusNotifierItem(std::move(bus), *m_menu, this);
    connect(m_statusNotifier, &StatusNotifierItem::hostProbed, this, &TrayItem::useStatusNotifier);
    connect(m_statusNotifier, &StatusNotifierItem::activated, this, [this](const QPoint &at) {
        // Some hosts send no position.
        openPanel(at.isNull() ? QCursor::pos() : at);
    });
    connect(m_statusNotifier, &StatusNotifierItem::contextMenuRequested, this,
            [this](const QPoint &at) { m_menu->popup(at.isNull() ? QCursor::pos() : at); });
    connect(m_label, &MenuBarLabel::faceChanged, this, &TrayItem::showFace);
    connect(m_label, &MenuBarLabel::timeTextChanged, m_statusNotifier, &StatusNotifierItem::setToolTipText);
    m_statusNotifier->setToolTipText(m_label->model().timeText);
    showFace();
    m_statusNotifier->probeHost();
}

void TrayItem::useStatusNotifier(bool available)
{
    if (available) {
        m_statusNotifier->publish();
        m_icon->hide();
    } else {
        m_statusNotifier->withdraw();
        m_icon->show();
    }
}

void TrayItem::showFace()
{
    const MenuBarLabelModel &model = m_label->model();
    m_statusNotifier->setAppearance(m_label->iconImages(), model.trayText(), MenuBarLabelModel::trayTextGuide());
    // Hosts that never ask before showing the menu still get a status line at most a minute old.
    if (m_statusNotifier->isPublished())
        m_statusNotifier->menuExporter().refresh();
}

TrayItem::~TrayItem()
{
    delete m_panel;
    delete m_menu;
}

MenuBarView *TrayItem::panel() const { return m_panel; }

MenuBarView *TrayItem::openPanel(std::optional<QPoint> at)
{
    if (m_panel)
        m_panel->close();
    m_panel = new MenuBarView(m_appState, m_appState.workTimer(), m_actions);
    if (at)
        m_panel->popUp(QRect(), *at);
    else
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
