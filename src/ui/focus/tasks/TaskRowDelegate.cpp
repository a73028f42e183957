#include "TaskRowDelegate.h"

#include "TaskListModel.h"
#include "ui/common/style/FocusRing.h"
#include "ui/common/style/NamedColors.h"
#include "ui/common/symbols/SymbolGlyphs.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QLineEdit>
#include <QPainter>
#include <QStyleOptionButton>
#include <QToolTip>

namespace {
using Part = TaskRowLayout::Part;

void drawSymbol(QPainter &painter, const QRect &area, const QString &symbol, int pixelSize, const QColor &color)
{
    painter.setFont(SymbolGlyphs::font(pixelSize));
    painter.setPen(color);
    painter.drawText(area, Qt::AlignCenter, SymbolGlyphs::glyph(symbol));
}
// The title on one line, cut short with an ellipsis where it does not fit.
QString shownTitle(const QString &title, const QFont &font, int width)
{
    QString plain = title;
    plain.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return QFontMetrics(font).elidedText(plain, Qt::ElideRight, width);
}
} // namespace

TaskRowDelegate::TaskRowDelegate(TaskListModel &model, QObject *parent) : QStyledItemDelegate(parent), m_model(model) {}

const TaskRowMetrics &TaskRowDelegate::metrics(const QWidget &view) const
{
    if (!m_metrics)
        m_metrics = TaskRowMetrics::measure(view);
    return *m_metrics;
}

TaskRowLayout TaskRowDelegate::layout(const QWidget &view, const QRect &rect, int row, bool controlsShown) const
{
    return TaskRowLayout::make(rect, m_model.rowModel(row), metrics(view), controlsShown);
}

void TaskRowDelegate::setPressed(const QPersistentModelIndex &index, TaskRowLayout::Part part)
{
    m_pressedIndex = index;
    m_pressedPart = part;
}

void TaskRowDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const QWidget &view = *option.widget;
    const TaskRowMetrics &sizes = metrics(view);
    const TaskRowModel row = m_model.rowModel(index.row());
    const bool controlsShown = option.state & (QStyle::State_MouseOver | QStyle::State_HasFocus);
    const TaskRowLayout parts = TaskRowLayout::make(option.rect, row, sizes, controlsShown);
    const QPalette &palette = option.palette;
    const auto pressed = [&](Part part) { return m_pressedPart == part && m_pressedIndex == index; };
    const auto colour = [&](ColorRole role, Part part = Part::none) {
        const QColor resolved = NamedColors::resolve(role, palette);
        return part != Part::none && pressed(part) ? NamedColors::withOpacity(resolved, 0.6) : resolved;
    };

    painter->save();
    painter->setRenderHint(QPainter::TextAntialiasing);
    drawSymbol(*painter, parts.statusMark, row.markSymbol, TaskRowMetrics::kMarkSize,
               colour(row.markColor, Part::statusMark));

    QFont titleFont = sizes.titleFont;
    titleFont.setStrikeOut(row.titleStruckOut);
    painter->setFont(titleFont);
    painter->setPen(colour(row.titleColor));
    painter->drawText(parts.title, Qt::AlignLeft | Qt::AlignVCenter,
                      shownTitle(m_model.item(index.row()).title, titleFont, parts.title.width()));

    if (!parts.clock.isEmpty())
        drawSymbol(*painter, parts.clock, QStringLiteral("clock"), TaskRowMetrics::kClockSize,
                   colour(row.focusLineColor));
    painter->setFont(sizes.captionFont);
    if (!parts.focusText.isEmpty()) {
        painter->setPen(colour(row.focusLineColor));
        painter->drawText(parts.focusText, Qt::AlignLeft | Qt::AlignVCenter, row.focusText);
    }
    if (!parts.completion.isEmpty()) {
        painter->setPen(colour(ColorRole::secondary));
        painter->drawText(parts.completion, Qt::AlignLeft | Qt::AlignVCenter, *row.completionText);
    }

    if (!parts.focusButton.isEmpty()) {
        QStyleOptionButton button;
        button.initFrom(&view);
        button.rect = parts.focusButton;
        button.text = QStringLiteral("Focus");
        button.fontMetrics = QFontMetrics(sizes.buttonFont);
        button.state = QStyle::State_Enabled | (pressed(Part::focusButton) ? QStyle::State_Sunken : QStyle::State_Raised);
        painter->setFont(sizes.buttonFont);
        view.style()->drawControl(QStyle::CE_PushButton, &button, painter, &view);
    }
    if (!parts.trashButton.isEmpty())
        drawSymbol(*painter, parts.trashButton, QStringLiteral("trash"), TaskRowMetrics::kTrashSize,
                   colour(ColorRole::red, Part::trashButton));

    if (!parts.badge.isEmpty()) {
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(Qt::NoPen);
        painter->setBrush(NamedColors::readableFill(NamedColors::resolve(ColorRole::blue, palette), Qt::white));
        painter->drawRoundedRect(parts.badge, 3, 3);
        painter->setFont(sizes.badgeFont);
        painter->setPen(Qt::white);
        painter->drawText(parts.badge, Qt::AlignCenter, QStringLiteral("ACTIVE"));
    }

    if (option.state & QStyle::State_HasFocus)
        FocusRing::paint(*painter, view, QRectF(option.rect.adjusted(4, 1, -4, -1)), 6);
    painter->restore();
}

QSize TaskRowDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const auto [focusLine, completionLine] = m_model.lines(index.row());
    return {option.rect.width(), metrics(*option.widget).rowHeight(focusLine, completionLine)};
}

QWidget *TaskRowDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &) const
{
    auto *field = new QLineEdit(parent);
    field->setObjectName(QStringLiteral("renameField"));
    field->setPlaceholderText(QStringLiteral("Task name"));
    field->setAccessibleName(QStringLiteral("Task name"));
    field->setFrame(false);
    field->setFont(metrics(*option.widget).titleFont);
    return field;
}

void TaskRowDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    auto *field = static_cast<QLineEdit *>(editor);
    // Set once, when the rename starts: the clock's redraws must not undo the typing.
    if (field->isModified())
        return;
    field->setText(m_model.item(index.row()).title);
    field->selectAll();
}

void TaskRowDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    model->setData(index, static_cast<QLineEdit *>(editor)->text(), Qt::EditRole);
}

void TaskRowDelegate::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                                           const QModelIndex &index) const
{
    const QRect title = layout(*option.widget, option.rect, index.row(), true).title;
    const int height = qMax(title.height(), editor->sizeHint().height());
    editor->setGeometry(title.left(), title.center().y() - height / 2, title.width(), height);
}

bool TaskRowDelegate::helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                                const QModelIndex &index)
{
    if (event->type() != QEvent::ToolTip || !index.isValid())
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    // The whole title, where the row had to cut it short.
    const QRect title = layout(*view, option.rect, index.row(), true).title;
    const QString full = m_model.item(index.row()).title;
    if (title.contains(event->pos()) && shownTitle(full, metrics(*view).titleFont, title.width()) != full)
        QToolTip::showText(event->globalPos(), full, view->viewport(), title);
    else
        QToolTip::hideText();
    return true;
}
