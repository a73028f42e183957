#include "ChoiceChip.h"

#include "ui/common/widgets/ScreenStyle.h"

#include <QFontMetrics>
#include <QPainter>

namespace {
constexpr int kHorizontalPadding = 14;
constexpr int kVerticalPadding = 8;
constexpr qreal kCornerRadius = 8;
} // namespace

ChoiceChip::ChoiceChip(const QString &text, QWidget *parent) : QAbstractButton(parent)
{
    setText(text);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
}

QFont ChoiceChip::chipFont() const { return ScreenStyle::font(13, m_selected ? QFont::DemiBold : QFont::Normal); }

void ChoiceChip::setSelected(bool selected)
{
    m_selected = selected;
    updateGeometry();
    update();
}

QSize ChoiceChip::sizeHint() const
{
    // Sized for the semibold label, so selecting a chip does not shift its neighbours.
    const QFontMetrics metrics(ScreenStyle::font(13, QFont::DemiBold));
    return {metrics.horizontalAdvance(text()) + 2 * kHorizontalPadding, metrics.height() + 2 * kVerticalPadding};
}

void ChoiceChip::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QColor fill = m_selected ? ScreenStyle::accent(palette()) : ScreenStyle::color(ColorRole::gray, palette());
    fill.setAlphaF(m_selected ? 0.2f : 0.1f);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawRoundedRect(QRectF(rect()), kCornerRadius, kCornerRadius);
    if (hasFocus() && window()->testAttribute(Qt::WA_KeyboardFocusChange)) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(ScreenStyle::accent(palette()), 1));
        painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), kCornerRadius, kCornerRadius);
    }
    painter.setFont(chipFont());
    painter.setPen(ScreenStyle::color(ColorRole::primary, palette()));
    painter.drawText(rect(), Qt::AlignCenter, text());
}
