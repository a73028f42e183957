#pragma once

#include "ui/MenuBarLabelModel.h"

#include <QImage>
#include <QList>
#include <QObject>

class QSystemTrayIcon;
class TodoManager;
class WorkTimer;

// The tray item's face. A tray shows an icon, not text, so the state symbol and the minutes
// left are drawn into the icon; the tooltip carries the full time. The icon is redrawn only
// when the symbol or the minutes change, about once a minute.
class MenuBarLabel : public QObject {
    Q_OBJECT
public:
    // The task manager is observed by the label's design but nothing of it is shown, so it
    // is not watched: its once-a-second focus ticks would only cost wake-ups.
    MenuBarLabel(WorkTimer &workTimer, TodoManager &todoManager, QSystemTrayIcon &trayIcon, QObject *parent = nullptr);

    const MenuBarLabelModel &model() const { return m_model; }
    int iconRenderCount() const { return m_iconRenders; }
    // The sizes of the current icon.
    const QList<QImage> &iconImages() const { return m_iconImages; }

    // The icon for `model` in a square of `side` pixels (device-independent).
    static QImage renderIcon(const MenuBarLabelModel &model, int side, qreal devicePixelRatio = 1.0);

signals:
    // The symbol or the minutes changed (and with them the icon): about once a minute.
    void faceChanged();
    // The exact time changed: every second while a phase counts down.
    void timeTextChanged(const QString &timeText);

private:
    void refresh();

    WorkTimer &m_workTimer;
    QSystemTrayIcon &m_trayIcon;
    MenuBarLabelModel m_model;
    QList<QImage> m_iconImages;
    bool m_hasIcon = false;
    int m_iconRenders = 0;
};
