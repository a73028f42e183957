#include "SymbolButton.h"

#include "SymbolGlyphs.h"
#include "ui/common/style/FocusRing.h"
#include "ui/common/style/NamedColors.h"

#include <QKeyEvent>
#include <QPainter>

SymbolButton::SymbolButton(const QString &symbol, int pixelSize, ColorRole color, QWidget *parent)
    : QAbstractButton(parent),
      m_symbol(symbol),
      m_pixelSize(pixelSize),
      m_color(color)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
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

// Room around the symbol for the focus ring.
QSize SymbolButton::sizeHint() const { return {m_pixelSize + 6, m_pixelSize + 6}; }

void SymbolButton::keyPressEvent(QKeyEvent *event)
{
    // Enter presses the button as Space does.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        click();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

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
    FocusRing::paint(painter, *this, QRectF(rect()), height() / 2.0);
}
