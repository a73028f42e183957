#include "CardFrame.h"

#include "ui/common/style/NamedColors.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>

CardFrame::CardFrame(int cornerRadius, double shadowOpacity, int shadowRadius, int shadowOffset, QWidget *parent)
    : QWidget(parent),
      m_cornerRadius(cornerRadius),
      m_shadowOpacity(shadowOpacity),
      m_shadowRadius(shadowRadius),
      m_shadowOffset(shadowOffset)
{
    const int margin = shadowMargin();
    setContentsMargins(margin, margin, margin, margin);
}

void CardFrame::paintEvent(QPaintEvent *event)
{
    const qreal ratio = devicePixelRatioF();
    if (m_background.size() != size() * ratio || m_backgroundPalette != palette().cacheKey())
        renderBackground();
    QPainter painter(this);
    const QRect area = event->rect();
    painter.drawPixmap(area, m_background,
                       QRectF(QPointF(area.topLeft()) * ratio, QSizeF(area.size()) * ratio));
}

void CardFrame::renderBackground()
{
    const qreal ratio = devicePixelRatioF();
    m_background = QPixmap(size() * ratio);
    m_background.setDevicePixelRatio(ratio);
    m_background.fill(Qt::transparent);
    m_backgroundPalette = palette().cacheKey();
    QPainter painter(&m_background);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF card = QRectF(contentsRect());

    // A blur approximated by rings of falling strength.
    painter.setPen(Qt::NoPen);
    for (int ring = m_shadowRadius; ring >= 1; --ring) {
        const double strength = m_shadowOpacity * (1.0 - double(ring) / (m_shadowRadius + 1)) * 2.0 / m_shadowRadius;
        painter.setBrush(QColor::fromRgbF(0, 0, 0, float(strength)));
        painter.drawRoundedRect(card.translated(0, m_shadowOffset).adjusted(-ring, -ring, ring, ring),
                                m_cornerRadius + ring, m_cornerRadius + ring);
    }

    // The regular material: the window colour, slightly see-through and lifted towards the text.
    QColor fill = palette().color(QPalette::Base);
    fill.setAlphaF(0.85f);
    painter.setBrush(fill);
    painter.setPen(QPen(NamedColors::withOpacity(palette().color(QPalette::WindowText), 0.06), 1));
    painter.drawRoundedRect(card.adjusted(0.5, 0.5, -0.5, -0.5), m_cornerRadius, m_cornerRadius);
}
