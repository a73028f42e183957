#include "ThinProgressBar.h"

#include "ui/common/style/NamedColors.h"

#include <QPainter>

ThinProgressBar::ThinProgressBar(QWidget *parent) : QWidget(parent)
{
    setFixedHeight(4);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void ThinProgressBar::setProgress(double fraction, ColorRole color)
{
    if (fraction == m_fraction && color == m_color)
        return;
    m_fraction = fraction;
    m_color = color;
    update();
}

void ThinProgressBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(NamedColors::withOpacity(NamedColors::resolve(ColorRole::primary, palette()), 0.1));
    painter.drawRoundedRect(QRectF(rect()), 2, 2);
    // The fraction is drawn as given: the models keep it within the track.
    const double fill = width() * m_fraction;
    if (fill <= 0)
        return;
    painter.setBrush(NamedColors::resolve(m_color, palette()));
    painter.drawRoundedRect(QRectF(0, 0, fill, height()), 2, 2);
}
