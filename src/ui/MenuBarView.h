#pragma once

#include "app/AppSection.h"
#include "ui/MenuBarPanelModel.h"

#include <QWidget>

class AppState;
class MenuButton;
class QLabel;
class SymbolLabel;
class TrayActions;
class WorkTimer;

// The panel that drops down from the tray item: status, sessions until the long break, the
// task in progress, "Take Break Now" during a snooze, and the entries. A frameless popup, so
// a click outside it or Escape closes it; it is built anew each time it opens.
class MenuBarView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 220;

    MenuBarView(AppState &appState, WorkTimer &workTimer, TrayActions &actions, QWidget *parent = nullptr);

    const MenuBarPanelModel &model() const { return m_model; }

    void openSection(AppSection section);

    // Places the panel at the tray icon (`anchor`, empty when the tray reports none, then at
    // `pointer`), inside the screen's available area, and shows it.
    void popUp(const QRect &anchor, const QPoint &pointer);

    // Entries by text, for whoever needs to press one (tests).
    MenuButton *button(const QString &text) const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void refresh();
    void perform(MenuBarPanelModel::Action action);
    QWidget *divider(int spaceAround);

    AppState &m_appState;
    WorkTimer &m_workTimer;
    TrayActions &m_actions;
    MenuBarPanelModel m_model;

    SymbolLabel *m_statusDot;
    QLabel *m_statusText;
    QLabel *m_counter;
    QWidget *m_taskRow;
    QLabel *m_taskTitle;
    MenuButton *m_takeBreakNow;
};
