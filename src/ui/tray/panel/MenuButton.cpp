#include "MenuButton.h"

#include "ui/common/style/Fonts.h"
#include "ui/common/style/NamedColors.h"
#include "ui/common/symbols/SymbolGlyphs.h"

#include <QPainter>

namespace {
constexpr int kInset = 4;     // of the button within the panel
constexpr int kPaddingX = 12; // of the label within the button
constexpr int kPaddingY = 6;
constexpr int kIconColumn = 16;
constexpr int kSpacing = 8;
constexpr int kFontSize = 13;
} // namespace

MenuButton::MenuButton(const QString &icon, const QString &text, std::function<void()> action, QWidget *parent)
    : QAbstractButton(parent),
      m_icon(icon),
      m_action(std::move(action))
{
    setText(text);
    setFont(Fonts::system(kFontSize));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setFocusPolicy(Qt::NoFocus);
    connect(this, &QAbstractButton::clicked, this, [this] {
        if (m_action)
            m_action();
    });
}

void MenuButton::setColorRole(ColorRole color)
{
    m_color = color;
    update();
}

QSize MenuButton::sizeHint() const
{
    const QFontMetrics metrics(font());
    const int height = qMax(metrics.height(), kIconColumn) + 2 * kPaddingY;
    return {2 * kInset + 2 * kPaddingX + kIconColumn + kSpacing + metrics.horizontalAdvance(text()), height};
}

void MenuButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF button = QRectF(rect()).adjusted(kInset, 0, -kInset, 0);
    if (m_isHovered) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(NamedColors::withOpacity(NamedColors::resolve(ColorRole::primary, palette()), 0.1));
        painter.drawRoundedRect(button, 4, 4);
    }
    const QColor color = NamedColors::resolve(m_color, palette());
    painter.setPen(color);
    const QRectF label = button.adjusted(kPaddingX, kPaddingY, -kPaddingX, -kPaddingY);
    painter.setFont(SymbolGlyphs::font(kFontSize + 2));
    painter.drawText(QRectF(label.left(), label.top(), kIconColumn, label.height()), Qt::AlignCenter,
                     SymbolGlyphs::glyph(m_icon));
    painter.setFont(font());
    painter.drawText(label.adjusted(kIconColumn + kSpacing, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, text());
}

void MenuButton::enterEvent(QEnterEvent *event)
{
    m_isHovered = true;
    update();
    QAbstractButton::enterEvent(event);
}

void MenuButton::leaveEvent(QEvent *event)
{
    m_isHovered = false;
    update();
    QAbstractButton::leaveEvent(event);
}
