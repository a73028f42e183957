#include "PickerBox.h"

#include <QWheelEvent>

PickerBox::PickerBox(QWidget *parent) : QComboBox(parent) { setFocusPolicy(Qt::StrongFocus); }

void PickerBox::wheelEvent(QWheelEvent *event)
{
    if (hasFocus()) {
        QComboBox::wheelEvent(event);
        return;
    }
    // Passed on to the page, which scrolls.
    event->ignore();
}
