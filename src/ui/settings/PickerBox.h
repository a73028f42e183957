#pragma once

#include <QComboBox>

// A settings picker that takes the mouse wheel only once the user has chosen it (a click or
// Tab), so that scrolling the settings page over it scrolls the page instead of changing the
// value under the pointer.
class PickerBox : public QComboBox {
    Q_OBJECT
public:
    explicit PickerBox(QWidget *parent = nullptr);

protected:
    void wheelEvent(QWheelEvent *event) override;
};
