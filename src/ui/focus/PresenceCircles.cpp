#include "PresenceCircles.h"

#include "ui/common/style/NamedColors.h"
#include "ui/common/symbols/SymbolGlyphs.h"

#include <QPainter>

PresenceCircles::PresenceCircles(QWidget *parent) : QWidget(parent) { setFixedSize(80, 80); }

void PresenceCircles::setState(ColorRole color, double haloOpacity, const QString &symbol)
{
    if (color == m_color && haloOpacity == m_haloOpacity && symbol == m_symbol)
        return;
    m_color = color;
    m_haloOpacity = haloOpacity;
    m_symbol = symbol;
    update();
}

void PresenceCircles::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor color = NamedColors::resolve(m_color, palette());
    const QPointF centre = QRectF(rect()).center();
    painter.setPen(Qt::NoPen);
    painter.setBrush(NamedColors::withOpacity(color, m_haloOpacity));
    painter.drawEllipse(centre, 40, 40);
    painter.setBrush(color);
    painter.drawEllipse(centre, 25, 25);
    painter.setPen(Qt::white);
    painter.setFont(SymbolGlyphs::font(20));
    painter.drawText(QRectF(centre.x() - 25, centre.y() - 25, 50, 50), Qt::AlignCenter, SymbolGlyphs::glyph(m_symbol));
}
