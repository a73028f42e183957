#include "SymbolButton.h"

#include "ui/NamedColors.h"
#include "ui/SymbolGlyphs.h"

#include <QPainter>

SymbolButton::SymbolButton(const QString &symbol, int pixelSize, ColorRole color, QWidget *parent)
    : QAbstractButton(parent),
      m_symbol(symbol),
      m_pixelSize(pixelSize),
      m_color(color)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
}

void SymbolButton::setSymbol(const QString &symbol)
{
    if (symbol == m_symbol)
        return;
    m_symbol = symbol;
    update();
}

void SymbolButton::setColorRole(ColorRole color)
{
    if (color == m_color)
        return;
    m_color = color;
    update();
}

QSize SymbolButton::sizeHint() const { return {m_pixelSize + 2, m_pixelSize + 2}; }

void SymbolButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(SymbolGlyphs::font(m_pixelSize));
    QColor color = NamedColors::resolve(m_color, palette());
    if (isDown())
        color = NamedColors::withOpacity(color, 0.6);
    painter.setPen(color);
    painter.drawText(rect(), Qt::AlignCenter, SymbolGlyphs::glyph(m_symbol));
}
