#pragma once

#include <QAbstractButton>

// A labelled on/off switch: a pill with a sliding knob, in the accent colour when on.
class ToggleSwitch : public QAbstractButton {
    Q_OBJECT
public:
    explicit ToggleSwitch(QWidget *parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
};
