#include "SymbolLabel.h"

#include "SymbolGlyphs.h"
#include "ui/common/style/NamedColors.h"

#include <QPainter>

SymbolLabel::SymbolLabel(const QString &symbol, int pixelSize, ColorRole color, QWidget *parent)
    : QWidget(parent),
      m_symbol(symbol),
      m_pixelSize(pixelSize),
      m_color(color)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void SymbolLabel::setSymbol(const QString &symbol)
{
    if (symbol == m_symbol)
        return;
    m_symbol = symbol;
    update();
}

void SymbolLabel::setColorRole(ColorRole color, double opacity)
{
    if (color == m_color && opacity == m_opacity)
        return;
    m_color = color;
    m_opacity = opacity;
    update();
}

void SymbolLabel::setPixelSize(int pixelSize)
{
    if (pixelSize == m_pixelSize)
        return;
    m_pixelSize = pixelSize;
    updateGeometry();
    update();
}

void SymbolLabel::setBoxWidth(int width)
{
    m_boxWidth = width;
    updateGeometry();
}

QSize SymbolLabel::sizeHint() const { return {qMax(m_boxWidth, m_pixelSize), m_pixelSize}; }

void SymbolLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(SymbolGlyphs::font(m_pixelSize));
    painter.setPen(NamedColors::withOpacity(NamedColors::resolve(m_color, palette()), m_opacity));
    painter.drawText(rect(), Qt::AlignCenter, SymbolGlyphs::glyph(m_symbol));
}
