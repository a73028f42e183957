#include "StatsCard.h"

#include "ui/common/style/NamedColors.h"
#include "ui/common/widgets/ScreenStyle.h"

#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

StatsCard::StatsCard(const QString &title, QWidget *parent) : QWidget(parent), m_layout(new QVBoxLayout(this))
{
    m_layout->setSpacing(12);
    m_layout->setContentsMargins(16, 16, 16, 16);
    m_layout->addWidget(
        ScreenStyle::label(title, ScreenStyle::font(13, QFont::DemiBold), ScreenStyle::secondaryText(palette())));
}

void StatsCard::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(NamedColors::withOpacity(ScreenStyle::cardFill(palette()), 0.75));
    painter.drawRoundedRect(QRectF(rect()), 12, 12);
}
