#pragma once

#include "MenuBarPanelModel.h"
#include "appstate/AppSection.h"

#include <QWidget>

#include <optional>

class AppState;
class ElidedLabel;
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

    // Shows the panel beside the bar that holds the tray item (`item`: its rectangle, or a
    // 1×1 one where the host gave a point; `bar`: the panel window around it, where known).
    // When its height changes, the edge at the bar stays where it is.
    void popUp(const QRect &item, const std::optional<QRect> &bar);

    // Entries by text, for whoever needs to press one (tests).
    MenuButton *button(const QString &text) const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

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
    ElidedLabel *m_taskTitle;
    QLabel *m_holdText = nullptr;
    MenuButton *m_remindAnyway = nullptr;
    MenuButton *m_takeBreakNow;
    std::optional<int> m_keptBottomEdge;
};
