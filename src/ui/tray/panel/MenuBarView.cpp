#include "MenuBarView.h"

#include "MenuButton.h"
#include "PanelInputs.h"
#include "PanelPlacement.h"
#include "TrayActions.h"
#include "activity/ActivityMonitor.h"
#include "appstate/AppState.h"
#include "hold/BreakHold.h"
#include "settings/UserSettings.h"
#include "tasks/TodoManager.h"
#include "timer/WorkTimer.h"
#include "ui/common/ChangeWatcher.h"
#include "ui/common/style/Fonts.h"
#include "ui/common/style/NamedColors.h"
#include "ui/common/symbols/SymbolLabel.h"
#include "ui/common/widgets/ElidedLabel.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

namespace {

void setLabelColor(QLabel *label, ColorRole role)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, NamedColors::resolve(role, label->palette()));
    label->setPalette(palette);
}

} // namespace

MenuBarView::MenuBarView(AppState &appState, WorkTimer &workTimer, TrayActions &actions, QWidget *parent)
    : QWidget(parent, Qt::Popup | Qt::FramelessWindowHint),
      m_appState(appState),
      m_workTimer(workTimer),
      m_actions(actions)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedWidth(kWidth);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 4);
    column->setSpacing(0);

    // Status header.
    auto *header = new QWidget(this);
    auto *headerRow = new QHBoxLayout(header);
    headerRow->setContentsMargins(12, 8, 12, 8);
    headerRow->setSpacing(8);
    m_statusDot = new SymbolLabel(QStringLiteral("circle.fill"), 8, ColorRole::gray, header);
    m_statusText = new QLabel(header);
    m_statusText->setFont(Fonts::system(13, QFont::Medium));
    m_counter = new QLabel(header);
    m_counter->setFont(Fonts::system(11));
    setLabelColor(m_counter, ColorRole::secondary);
    headerRow->addWidget(m_statusDot);
    headerRow->addWidget(m_statusText);
    headerRow->addStretch();
    headerRow->addWidget(m_counter);
    column->addWidget(header);
    column->addWidget(divider(0));

    // Current task.
    m_taskRow = new QWidget(this);
    m_taskRow->setAutoFillBackground(true);
    QPalette taskPalette = m_taskRow->palette();
    // Opaque, so that the row's children still tell a light palette from a dark one.
    taskPalette.setColor(
        QPalette::Window,
        NamedColors::opaque(NamedColors::withOpacity(NamedColors::resolve(ColorRole::blue, palette()), 0.05),
                            palette().color(QPalette::Window)));
    m_taskRow->setPalette(taskPalette);
    auto *taskLayout = new QHBoxLayout(m_taskRow);
    taskLayout->setContentsMargins(12, 6, 12, 6);
    taskLayout->setSpacing(8);
    taskLayout->addWidget(new SymbolLabel(QStringLiteral("circle.fill"), 8, ColorRole::blue, m_taskRow));
    m_taskTitle = new ElidedLabel(m_taskRow);
    m_taskTitle->setObjectName(QStringLiteral("taskTitle"));
    m_taskTitle->setFont(Fonts::system(12));
    taskLayout->addWidget(m_taskTitle, 1);
    column->addWidget(m_taskRow);

    const auto entryButton = [this](const MenuBarPanelModel::Entry &entry) {
        auto *button = new MenuButton(
            entry.symbol, entry.text, [this, action = entry.action] { perform(action); }, this);
        button->setColorRole(entry.color);
        return button;
    };

    // The entries never change while the panel is open; only the status, the task and
    // "Take Break Now" follow the managers.
    m_model = MenuBarPanelModel::make(ViewInputs::panel(appState));
    m_takeBreakNow = entryButton(MenuBarPanelModel::Entry{MenuBarPanelModel::Action::takeBreakNow,
                                                          QStringLiteral("cup.and.saucer.fill"),
                                                          QStringLiteral("Take Break Now"), ColorRole::orange});
    column->addWidget(m_takeBreakNow);
    m_holdText = new QLabel(this);
    m_holdText->setObjectName(QStringLiteral("holdText"));
    m_holdText->setFont(Fonts::system(12));
    m_holdText->setContentsMargins(12, 6, 12, 2);
    m_holdText->setWordWrap(true);
    setLabelColor(m_holdText, ColorRole::secondary);
    column->addWidget(m_holdText);
    m_remindAnyway =
        entryButton(MenuBarPanelModel::Entry{MenuBarPanelModel::Action::remindAnyway, QStringLiteral("bell.badge.fill"),
                                             QStringLiteral("Remind me anyway"), ColorRole::orange});
    column->addWidget(m_remindAnyway);
    column->addWidget(divider(4));
    for (const auto &entry : m_model.sectionEntries)
        column->addWidget(entryButton(entry));
    column->addWidget(divider(4));
    for (const auto &entry : m_model.applicationEntries)
        column->addWidget(entryButton(entry));

    auto *watcher = new ChangeWatcher([this] { refresh(); }, this);
    watcher->watch(&workTimer);
    watcher->watch(&appState);
    watcher->watch(&appState.activityMonitor(), {"isPresentChanged"});
    watcher->watch(&appState.breakHold());
    watcher->watch(&appState.settings(), {"changed"});
    watcher->watch(&appState.todoManager());
    refresh();
}

void MenuBarView::refresh()
{
    m_model = MenuBarPanelModel::make(ViewInputs::panel(m_appState));
    m_statusDot->setColorRole(m_model.statusColor);
    if (m_statusText->text() != m_model.statusText)
        m_statusText->setText(m_model.statusText);
    if (m_counter->text() != m_model.longBreakCounterText)
        m_counter->setText(m_model.longBreakCounterText);
    m_taskRow->setVisible(m_model.currentTaskTitle.has_value());
    if (m_model.currentTaskTitle)
        m_taskTitle->setFullText(*m_model.currentTaskTitle);
    m_takeBreakNow->setVisible(m_model.takeBreakNow.has_value());
    m_holdText->setVisible(m_model.holdText.has_value());
    if (m_model.holdText && m_holdText->text() != *m_model.holdText)
        m_holdText->setText(*m_model.holdText);
    m_remindAnyway->setVisible(m_model.remindAnyway.has_value());
    if (isVisible())
        adjustSize();
}

void MenuBarView::perform(MenuBarPanelModel::Action action)
{
    if (const auto section = MenuBarPanelModel::sectionFor(action)) {
        openSection(*section);
        return;
    }
    const bool staysOpen = action == MenuBarPanelModel::Action::takeBreakNow;
    if (!staysOpen)
        close();
    m_actions.perform(action);
}

void MenuBarView::openSection(AppSection section)
{
    m_actions.openSection(section);
    close();
}

void MenuBarView::popUp(const QRect &item, const std::optional<QRect> &bar)
{
    adjustSize();
    QScreen *screen = QGuiApplication::screenAt(item.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect whole = screen ? screen->geometry() : QRect(item.topLeft(), size());
    const QRect available = screen ? screen->availableGeometry() : whole;
    const PanelPlacement placement = PanelPlacement::place(size(), item, bar, whole, available);
    m_keptBottomEdge.reset();
    move(placement.position);
    if (placement.keepsBottomEdge)
        m_keptBottomEdge = placement.position.y() + height() - 1;
    show();
    raise();
    activateWindow();
}

void MenuBarView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_keptBottomEdge && y() + height() - 1 != *m_keptBottomEdge)
        move(x(), *m_keptBottomEdge - height() + 1);
}

MenuButton *MenuBarView::button(const QString &text) const
{
    for (MenuButton *candidate : findChildren<MenuButton *>()) {
        if (candidate->text() == text)
            return candidate;
    }
    return nullptr;
}

void MenuBarView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    painter.setPen(NamedColors::withOpacity(palette().color(QPalette::WindowText), 0.2));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

QWidget *MenuBarView::divider(int spaceAround)
{
    auto *holder = new QWidget(this);
    auto *layout = new QVBoxLayout(holder);
    layout->setContentsMargins(0, spaceAround, 0, spaceAround);
    auto *line = new QFrame(holder);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Plain);
    line->setFixedHeight(1);
    QPalette palette = line->palette();
    palette.setColor(QPalette::WindowText, NamedColors::withOpacity(palette.color(QPalette::WindowText), 0.15));
    line->setPalette(palette);
    layout->addWidget(line);
    return holder;
}
