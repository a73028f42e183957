#pragma once

#include "TaskRowModel.h"

#include <QFont>
#include <QRect>

class QStyle;
class QWidget;

// The sizes a painted task row is built from: its fonts and the height of its Focus button,
// measured once from the style and the fonts.
struct TaskRowMetrics {
    static constexpr int kMarginX = 12;
    static constexpr int kMarginY = 4;
    static constexpr int kSpacing = 10;
    static constexpr int kLineSpacing = 1;
    static constexpr int kMarkSize = 18;
    static constexpr int kMarkBox = kMarkSize + 6; // room for the focus ring
    static constexpr int kHoverBoxWidth = 80;
    static constexpr int kTrashSize = 12;
    static constexpr int kClockSize = 9;

    QFont titleFont;
    QFont captionFont; // the focus and completion lines
    QFont buttonFont;
    QFont badgeFont;
    int titleHeight = 0;
    int captionHeight = 0;
    QSize focusButton;
    QSize badge;

    static TaskRowMetrics measure(const QWidget &view);

    // The height of a row with the focus line and the completion line shown or not.
    int rowHeight(bool focusLine, bool completionLine) const;
};

// Where each part of one task row lies, for painting it and for finding what a click hit.
// A part the row does not show has an empty rectangle.
struct TaskRowLayout {
    enum class Part { none, statusMark, title, focusButton, trashButton };

    QRect row;
    QRect statusMark;
    QRect title;
    QRect clock;
    QRect focusText;
    QRect completion;
    QRect focusButton;
    QRect trashButton;
    QRect badge;

    // `controlsShown`: the hover controls are there (under the mouse, or the row has the focus).
    static TaskRowLayout make(const QRect &row, const TaskRowModel &model, const TaskRowMetrics &metrics,
                              bool controlsShown);

    Part partAt(const QPoint &point) const;
};
