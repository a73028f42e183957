#include "TaskRow.h"

#include "ui/common/widgets/ElidedLabel.h"

#include "RowInputs.h"
#include "appstate/AppState.h"
#include "platform/MainLoop.h"
#include "tasks/TodoManager.h"
#include "ui/common/style/Fonts.h"
#include "ui/common/style/NamedColors.h"
#include "ui/common/symbols/SymbolButton.h"
#include "ui/common/symbols/SymbolGlyphs.h"
#include "ui/common/symbols/SymbolLabel.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

TaskRow::TaskRow(const TodoItem &item, TodoManager &todoManager, AppState &appState, const MainLoop &clock,
                 QWidget *parent)
    : QWidget(parent),
      m_item(item),
      m_todoManager(todoManager),
      m_appState(appState),
      m_clock(clock)
{
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(12, 4, 12, 4);
    row->setSpacing(10);

    m_statusMark = new SymbolButton(QStringLiteral("circle"), 18, ColorRole::secondary, this);
    m_statusMark->setObjectName(QStringLiteral("statusMark"));
    connect(m_statusMark, &QAbstractButton::clicked, this, &TaskRow::clickStatusMark);
    m_statusMark->installEventFilter(this);
    row->addWidget(m_statusMark);

    auto *text = new QVBoxLayout;
    text->setSpacing(1);
    m_title = new ElidedLabel(this);
    m_title->setObjectName(QStringLiteral("title"));
    m_title->setFont(Fonts::system(Fonts::kBody));
    m_title->installEventFilter(this);
    m_renameField = new QLineEdit(this);
    m_renameField->setObjectName(QStringLiteral("renameField"));
    m_renameField->setPlaceholderText(QStringLiteral("Task name"));
    m_renameField->setAccessibleName(QStringLiteral("Task name"));
    m_renameField->setFrame(false);
    m_renameField->setFont(Fonts::system(Fonts::kBody));
    m_renameField->hide();
    m_renameField->installEventFilter(this);
    connect(m_renameField, &QLineEdit::returnPressed, this, &TaskRow::commitRename);
    text->addWidget(m_title);
    text->addWidget(m_renameField);

    m_focusLine = new QWidget(this);
    auto *focusLayout = new QHBoxLayout(m_focusLine);
    focusLayout->setContentsMargins(0, 0, 0, 0);
    focusLayout->setSpacing(4);
    m_clockSymbol = new SymbolLabel(QStringLiteral("clock"), 9, ColorRole::blue, m_focusLine);
    m_focusText = new QLabel(m_focusLine);
    m_focusText->setObjectName(QStringLiteral("focusText"));
    m_focusText->setFont(Fonts::system(Fonts::kCaption2));
    focusLayout->addWidget(m_clockSymbol);
    focusLayout->addWidget(m_focusText);
    focusLayout->addStretch();
    text->addWidget(m_focusLine);

    m_completion = new QLabel(this);
    m_completion->setObjectName(QStringLiteral("completion"));
    m_completion->setFont(Fonts::system(Fonts::kCaption2));
    text->addWidget(m_completion);
    row->addLayout(text, 1);

    // Hover controls: a fixed box, so rows line up whether or not they hold a control.
    m_hoverBox = new QWidget(this);
    m_hoverBox->setObjectName(QStringLiteral("hoverBox"));
    m_hoverBox->setFixedWidth(kHoverBoxWidth);
    auto *hover = new QHBoxLayout(m_hoverBox);
    hover->setContentsMargins(0, 0, 0, 0);
    hover->setSpacing(6);
    hover->addStretch();
    m_focusButton = new QPushButton(QStringLiteral("Focus"), m_hoverBox);
    m_focusButton->setObjectName(QStringLiteral("focusButton"));
    m_focusButton->setFont(Fonts::system(Fonts::kCaption));
    m_focusButton->setAutoDefault(true); // Enter presses it, as Space does
    m_focusButton->installEventFilter(this);
    connect(m_focusButton, &QPushButton::clicked, this, [this] { perform(TaskRowModel::Action::focus); });
    m_trashButton = new SymbolButton(QStringLiteral("trash"), 12, ColorRole::red, m_hoverBox);
    m_trashButton->setObjectName(QStringLiteral("trashButton"));
    m_trashButton->setAccessibleName(QStringLiteral("Delete"));
    m_trashButton->installEventFilter(this);
    connect(m_trashButton, &QAbstractButton::clicked, this, [this] { perform(TaskRowModel::Action::remove); });
    hover->addWidget(m_focusButton);
    hover->addWidget(m_trashButton);
    row->addWidget(m_hoverBox);

    m_badge = new QLabel(QStringLiteral("ACTIVE"), this);
    m_badge->setObjectName(QStringLiteral("activeBadge"));
    QFont badgeFont = Fonts::system(9, QFont::Bold);
    m_badge->setFont(badgeFont);
    m_badge->setStyleSheet(
        QStringLiteral("QLabel { color: white; background: %1; border-radius: 3px; padding: 2px 6px; }")
            .arg(NamedColors::cssColor(NamedColors::readableFill(NamedColors::resolve(ColorRole::blue), Qt::white))));
    row->addWidget(m_badge);

    refresh();
}

void TaskRow::setItem(const TodoItem &item)
{
    m_item = item;
    refresh();
}

void TaskRow::refresh()
{
    m_model = TaskRowModel::make(ViewInputs::row(m_item, m_todoManager, m_clock.now()));
    m_statusMark->setSymbol(m_model.markSymbol);
    m_statusMark->setColorRole(m_model.markColor);
    m_statusMark->setAccessibleName(m_model.markName);
    setAccessibleName(m_item.title);

    m_title->setFullText(m_item.title);
    QFont titleFont = m_title->font();
    if (titleFont.strikeOut() != m_model.titleStruckOut) {
        titleFont.setStrikeOut(m_model.titleStruckOut);
        m_title->setFont(titleFont);
    }
    NamedColors::setForeground(m_title, m_model.titleColor);

    m_focusLine->setVisible(m_model.showFocusLine);
    m_clockSymbol->setVisible(m_model.showClock);
    m_clockSymbol->setColorRole(m_model.focusLineColor);
    if (m_focusText->text() != m_model.focusText)
        m_focusText->setText(m_model.focusText);
    NamedColors::setForeground(m_focusText, m_model.focusLineColor);

    m_completion->setVisible(m_model.completionText.has_value());
    if (m_model.completionText && m_completion->text() != *m_model.completionText)
        m_completion->setText(*m_model.completionText);
    NamedColors::setForeground(m_completion, ColorRole::secondary);

    m_badge->setVisible(m_model.showActiveBadge);
    updateHoverControls();
}

void TaskRow::updateHoverControls()
{
    // A control that belongs to the row keeps its place while hidden, as if transparent.
    const auto place = [this](QWidget *control, bool present) {
        QSizePolicy policy = control->sizePolicy();
        if (policy.retainSizeWhenHidden() != present) {
            policy.setRetainSizeWhenHidden(present);
            control->setSizePolicy(policy);
        }
        const bool visible = present && (m_isHovered || m_hasFocusWithin);
        // A control that goes away with the keyboard focus leaves it with the task.
        if (!visible && control->hasFocus())
            m_statusMark->setFocus(Qt::OtherFocusReason);
        control->setVisible(visible);
    };
    place(m_focusButton, m_model.hasFocusButton);
    place(m_trashButton, m_model.hasTrashButton);
}

void TaskRow::clickStatusMark() { setStatus(m_model.markTarget); }

void TaskRow::perform(TaskRowModel::Action action)
{
    if (action == TaskRowModel::Action::rename) {
        startRenaming();
        return;
    }
    if (action == TaskRowModel::Action::remove) {
        m_todoManager.deleteTask(m_item.id);
        return;
    }
    if (const auto status = TaskRowModel::statusFor(action))
        setStatus(*status);
}

void TaskRow::setStatus(TodoStatus status)
{
    // The list may replace this row while the manager announces the change; it deletes rows
    // later, so the row is still here for the second step.
    m_todoManager.setStatus(m_item.id, status);
    if (TaskRowModel::needsTrackingSync(status))
        m_appState.syncTaskTracking();
}

void TaskRow::startRenaming()
{
    m_renameField->setText(m_item.title);
    m_isEditing = true;
    m_title->hide();
    m_renameField->show();
    m_renameField->setFocus(Qt::OtherFocusReason);
    m_renameField->selectAll();
}

void TaskRow::commitRename()
{
    if (!m_isEditing)
        return;
    const auto title = TaskRowModel::renamedTitle(m_renameField->text(), m_item.title);
    m_isEditing = false;
    keepFocusOnRow();
    m_renameField->hide();
    m_title->show();
    if (title)
        m_todoManager.renameTask(m_item.id, *title);
}

void TaskRow::cancelRename()
{
    m_isEditing = false;
    keepFocusOnRow();
    m_renameField->clear();
    m_renameField->hide();
    m_title->show();
}

void TaskRow::keepFocusOnRow()
{
    // The field is about to hide: the focus stays with the task rather than moving on.
    if (m_renameField->hasFocus())
        m_statusMark->setFocus(Qt::OtherFocusReason);
}

QString TaskRow::editedTitle() const { return m_renameField->text(); }

QMenu *TaskRow::buildContextMenu()
{
    auto *menu = new QMenu(this);
    for (const auto &entry : TaskRowModel::contextMenu(m_item.status)) {
        if (entry.separator) {
            menu->addSeparator();
            continue;
        }
        QAction *action = menu->addAction(entry.text);
        if (entry.destructive)
            action->setIcon(SymbolGlyphs::icon(u"trash", 14, NamedColors::resolve(ColorRole::red)));
        connect(action, &QAction::triggered, this, [this, what = entry.action] { perform(what); });
    }
    return menu;
}

void TaskRow::enterEvent(QEnterEvent *event)
{
    m_isHovered = true;
    updateHoverControls();
    QWidget::enterEvent(event);
}

void TaskRow::leaveEvent(QEvent *event)
{
    m_isHovered = false;
    updateHoverControls();
    QWidget::leaveEvent(event);
}

void TaskRow::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu *menu = buildContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

QList<QWidget *> TaskRow::tabStops() const { return {m_statusMark, m_focusButton, m_trashButton}; }

bool TaskRow::handleKey(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down: {
        // Alt moves the task itself, as dragging it does.
        const int step = event->key() == Qt::Key_Up ? -1 : 1;
        if (event->modifiers() & Qt::AltModifier)
            emit moveRequested(step);
        else
            emit neighbourRequested(step);
        return true;
    }
    case Qt::Key_F2:
        startRenaming();
        return true;
    case Qt::Key_Delete:
        // Only where the row offers deleting to the mouse too: done tasks.
        if (m_model.hasTrashButton)
            perform(TaskRowModel::Action::remove);
        return true;
    default:
        return false;
    }
}

bool TaskRow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_title && watched != m_renameField) {
        if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
            m_hasFocusWithin = isAncestorOf(QApplication::focusWidget());
            updateHoverControls();
        } else if (event->type() == QEvent::KeyPress && handleKey(static_cast<QKeyEvent *>(event))) {
            return true;
        }
        return QWidget::eventFilter(watched, event);
    }
    if (watched == m_title && event->type() == QEvent::MouseButtonDblClick) {
        startRenaming();
        return true;
    }
    if (watched == m_renameField && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        cancelRename();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
