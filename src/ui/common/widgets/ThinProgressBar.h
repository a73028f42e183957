#pragma once

#include "ui/common/style/ColorRole.h"

#include <QWidget>

// A 4-point bar: a faint rounded track with a rounded fill from the leading edge.
class ThinProgressBar : public QWidget {
    Q_OBJECT
public:
    explicit ThinProgressBar(QWidget *parent = nullptr);

    void setProgress(double fraction, ColorRole color);
    double fraction() const { return m_fraction; }
    ColorRole colorRole() const { return m_color; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    double m_fraction = 0.0;
    ColorRole m_color = ColorRole::green;
};
