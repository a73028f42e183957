#pragma once

#include "MenuBarLabelModel.h"
#include "platform/tray/TrayHost.h"

#include <QImage>
#include <QList>
#include <QObject>

#include <optional>

class QSystemTrayIcon;
class BreakHold;
class TodoManager;
class WorkTimer;

// The tray item's face. A tray shows an icon, not text, so the state symbol and the minutes
// left are drawn into the icon, dark on a light panel and light on a dark one; the tooltip
// carries the full time. The icon is redrawn only when the symbol, the minutes or the panel's
// look change, about once a minute.
class MenuBarLabel : public QObject {
    Q_OBJECT
public:
    // The task manager is observed by the label's design but nothing of it is shown, so it
    // is not watched: its once-a-second focus ticks would only cost wake-ups.
    MenuBarLabel(WorkTimer &workTimer, TodoManager &todoManager, BreakHold &hold, QSystemTrayIcon &trayIcon,
                 const TrayHost &host, QObject *parent = nullptr);

    const MenuBarLabelModel &model() const { return m_model; }
    int iconRenderCount() const { return m_iconRenders; }
    // The sizes of the current icon.
    const QList<QImage> &iconImages() const { return m_iconImages; }
    TrayHost::Look look() const { return m_look; }
    // The sizes the icon is drawn in.
    static constexpr int kIconSizes[] = {16, 22, 24, 32, 48};

    // The icon for `model` in a square of `side` pixels (device-independent), for a panel of
    // the given look.
    static QImage renderIcon(const MenuBarLabelModel &model, int side, TrayHost::Look look,
                             qreal devicePixelRatio = 1.0);
    // Every size of that icon, and a name for what it shows.
    static QList<QImage> renderFace(const MenuBarLabelModel &model, TrayHost::Look look);
    static QString faceKey(const MenuBarLabelModel &model, TrayHost::Look look);
    // The face that comes next while the minutes count down, if any.
    std::optional<MenuBarLabelModel> nextFace() const;

public slots:
    // Reads the panels' look again (they may have come up after the program).
    void checkLook();

signals:
    // The symbol or the minutes changed (and with them the icon): about once a minute.
    void faceChanged();
    // The tooltip changed: the exact time, every second while a phase counts down, and the hold.
    void toolTipChanged(const QString &toolTip);

private:
    void refresh(bool lookChanged = false);

    WorkTimer &m_workTimer;
    BreakHold &m_hold;
    QSystemTrayIcon &m_trayIcon;
    const TrayHost &m_host;
    TrayHost::Look m_look = TrayHost::Look::dark;
    MenuBarLabelModel m_model;
    QList<QImage> m_iconImages;
    bool m_hasIcon = false;
    int m_iconRenders = 0;
};
