#include "TrayItem.h"

#include "MenuBarLabel.h"
#include "TrayMenu.h"
#include "activity/ActivityMonitor.h"
#include "appstate/AppState.h"
#include "hold/BreakHold.h"
#include "platform/tray/StatusItem.h"
#include "platform/tray/TrayHost.h"
#include "settings/UserSettings.h"
#include "tasks/TodoManager.h"
#include "timer/WorkTimer.h"
#include "ui/common/ChangeWatcher.h"
#include "ui/tray/panel/MenuBarView.h"
#include "ui/tray/panel/PanelInputs.h"
#include "ui/tray/panel/TrayActions.h"

#include <QCursor>
#include <QGuiApplication>
#include <QMenu>
#include <QSystemTrayIcon>

TrayItem::TrayItem(AppState &appState, TrayActions &actions, const TrayHost &host, QObject *parent)
    : QObject(parent),
      m_appState(appState),
      m_actions(actions),
      m_host(host),
      m_icon(new QSystemTrayIcon(this))
{
    m_label = new MenuBarLabel(appState.workTimer(), appState.todoManager(), appState.breakHold(), *m_icon, host, this);
    m_menu = new TrayMenu([&appState] { return MenuBarPanelModel::make(ViewInputs::panel(appState)); },
                          [&actions](MenuBarPanelModel::Action action) { actions.perform(action); }, this);
    auto *watcher = new ChangeWatcher([this] { m_menu->stateChanged(); }, this);
    watcher->watch(&appState.workTimer());
    watcher->watch(&appState.activityMonitor(), {"isPresentChanged"});
    watcher->watch(&appState.breakHold());
    watcher->watch(&appState.settings());
    watcher->watch(&appState.todoManager(), {"itemsChanged"});
    m_icon->setContextMenu(&m_menu->menu());
    connect(m_icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger)
            openPanel();
    });

    m_statusItem = host.createStatusItem(m_menu->menu());
    StatusItem *item = m_statusItem.get();
    connect(item, &StatusItem::menuAboutToShow, m_menu, &TrayMenu::update);
    connect(item, &StatusItem::hostMenuOpened, m_menu, &TrayMenu::setHostMenuOpen);
    connect(item, &StatusItem::hostProbed, this, &TrayItem::useStatusItem);
    connect(item, &StatusItem::activated, this, [this](const QPoint &at) { openPanel(at); });
    connect(item, &StatusItem::contextMenuRequested, this, [this](const QPoint &at) {
        // A Wayland client may open a menu only from a window of its own; the panel has the
        // same entries.
        if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
            openPanel(at);
        else
            m_menu->menu().popup(at.isNull() ? QCursor::pos() : at);
    });
    connect(m_label, &MenuBarLabel::faceChanged, this, &TrayItem::showFace);
    connect(m_label, &MenuBarLabel::toolTipChanged, item, &StatusItem::setToolTipText);
    item->setToolTipText(m_label->model().toolTip());
    showFace();
    item->probeHost();
}

void TrayItem::useStatusItem(bool available)
{
    // A panel that has just come up may have another look than the one seen at start.
    m_label->checkLook();
    if (available) {
        m_statusItem->publish();
        m_icon->hide();
    } else {
        m_statusItem->withdraw();
        m_icon->show();
    }
}

void TrayItem::showFace()
{
    const MenuBarLabelModel &model = m_label->model();
    m_statusItem->setAppearance(MenuBarLabel::faceKey(model, m_label->look()), m_label->iconImages(), model.trayText(),
                                MenuBarLabelModel::trayTextGuide());
    if (const auto next = m_label->nextFace(); next && m_statusItem->isPublished())
        m_statusItem->prepareFace(MenuBarLabel::faceKey(*next, m_label->look()),
                                  MenuBarLabel::renderFace(*next, m_label->look()));
    // Hosts that never ask before showing the menu still get a status line at most a minute old.
    m_menu->update();
}

TrayItem::~TrayItem() { delete m_panel; }

QMenu &TrayItem::menu() const { return m_menu->menu(); }

MenuBarView *TrayItem::panel() const { return m_panel; }

MenuBarView *TrayItem::openPanel(std::optional<QPoint> hostPoint)
{
    if (m_panel)
        m_panel->close();
    m_panel = new MenuBarView(m_appState, m_appState.workTimer(), m_actions);
    const std::optional<QPoint> pointer = m_host.pointer();
    QRect item = hostPoint ? QRect() : m_icon->geometry();
    if (!item.isValid()) {
        // The user has just clicked the item, so a pointer on a panel is on the item; some hosts
        // send a point elsewhere (MATE's applet sends the panel's corner) or none at all.
        QPoint at = hostPoint.value_or(QPoint());
        const std::optional<QRect> barAtPointer = pointer ? m_host.panelAt(*pointer) : std::nullopt;
        if (pointer && (at.isNull() || (barAtPointer && !barAtPointer->contains(at))))
            at = *pointer;
        if (at.isNull())
            at = QCursor::pos();
        item = QRect(at, QSize(1, 1));
    }
    m_panel->popUp(item, m_host.panelAt(item.center()));
    emit panelOpened();
    return m_panel;
}
