#include "TaskRowLayout.h"

#include "ui/common/style/Fonts.h"

#include <QFontMetrics>
#include <QStyle>
#include <QWidget>
#include <QStyleOptionButton>

#include <algorithm>

TaskRowMetrics TaskRowMetrics::measure(const QWidget &view)
{
    TaskRowMetrics metrics;
    metrics.titleFont = Fonts::system(Fonts::kBody);
    metrics.captionFont = Fonts::system(Fonts::kCaption2);
    metrics.buttonFont = Fonts::system(Fonts::kCaption);
    metrics.badgeFont = Fonts::system(9, QFont::Bold);
    metrics.titleHeight = QFontMetrics(metrics.titleFont).height();
    metrics.captionHeight = qMax(QFontMetrics(metrics.captionFont).height(), kClockSize);

    // The size the style gives a push button with this text, so the painted one looks native.
    QStyleOptionButton button;
    button.initFrom(&view);
    button.text = QStringLiteral("Focus");
    button.fontMetrics = QFontMetrics(metrics.buttonFont);
    const QSize label(button.fontMetrics.horizontalAdvance(button.text), qMax(button.fontMetrics.height(), 14));
    metrics.focusButton = view.style()
                              ->sizeFromContents(QStyle::CT_PushButton, &button, label, &view)
                              .boundedTo(QSize(kHoverBoxWidth - kTrashSize - 6, 64));

    const QFontMetrics badge(metrics.badgeFont);
    metrics.badge = QSize(badge.horizontalAdvance(QStringLiteral("ACTIVE")) + 12, badge.height() + 4);
    return metrics;
}

int TaskRowMetrics::rowHeight(bool focusLine, bool completionLine) const
{
    int text = titleHeight;
    if (focusLine)
        text += kLineSpacing + captionHeight;
    if (completionLine)
        text += kLineSpacing + captionHeight;
    // The Focus button keeps its room on every row, so that rows line up with or without it.
    return std::max({text, focusButton.height(), kMarkBox}) + 2 * kMarginY;
}

TaskRowLayout TaskRowLayout::make(const QRect &row, const TaskRowModel &model, const TaskRowMetrics &metrics,
                                  bool controlsShown)
{
    using M = TaskRowMetrics;
    TaskRowLayout layout;
    layout.row = row;
    const QRect inner = row.adjusted(M::kMarginX, M::kMarginY, -M::kMarginX, -M::kMarginY);
    const int middle = inner.center().y();
    const auto centred = [middle](int x, QSize size) { return QRect(QPoint(x, middle - size.height() / 2), size); };

    layout.statusMark = centred(inner.left(), QSize(M::kMarkBox, M::kMarkBox));
    int right = inner.right() + 1;
    if (model.showActiveBadge) {
        layout.badge = centred(right - metrics.badge.width(), metrics.badge);
        right = layout.badge.left() - M::kSpacing;
    }
    const QRect hoverBox(right - M::kHoverBoxWidth, inner.top(), M::kHoverBoxWidth, inner.height());
    if (controlsShown && model.hasFocusButton)
        layout.focusButton = centred(hoverBox.right() + 1 - metrics.focusButton.width(), metrics.focusButton);
    if (controlsShown && model.hasTrashButton)
        layout.trashButton = centred(hoverBox.right() + 1 - (M::kTrashSize + 6), QSize(M::kTrashSize + 6, M::kTrashSize + 6));

    const int textLeft = layout.statusMark.right() + 1 + M::kSpacing;
    const int textWidth = qMax(0, hoverBox.left() - M::kSpacing - textLeft);
    int textHeight = metrics.titleHeight;
    if (model.showFocusLine)
        textHeight += M::kLineSpacing + metrics.captionHeight;
    if (model.completionText)
        textHeight += M::kLineSpacing + metrics.captionHeight;
    int y = middle - textHeight / 2;
    layout.title = QRect(textLeft, y, textWidth, metrics.titleHeight);
    y += metrics.titleHeight + M::kLineSpacing;
    if (model.showFocusLine) {
        int x = textLeft;
        if (model.showClock) {
            layout.clock = QRect(x, y + (metrics.captionHeight - M::kClockSize) / 2, M::kClockSize, M::kClockSize);
            x += M::kClockSize + 4;
        }
        layout.focusText = QRect(x, y, qMax(0, textLeft + textWidth - x), metrics.captionHeight);
        y += metrics.captionHeight + M::kLineSpacing;
    }
    if (model.completionText)
        layout.completion = QRect(textLeft, y, textWidth, metrics.captionHeight);
    return layout;
}

TaskRowLayout::Part TaskRowLayout::partAt(const QPoint &point) const
{
    if (statusMark.contains(point))
        return Part::statusMark;
    if (focusButton.contains(point))
        return Part::focusButton;
    if (trashButton.contains(point))
        return Part::trashButton;
    if (title.contains(point))
        return Part::title;
    return Part::none;
}
