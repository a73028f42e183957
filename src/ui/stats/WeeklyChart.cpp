#include "WeeklyChart.h"

#include "ui/common/widgets/ScreenStyle.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace {
constexpr qreal kBarShareOfSlot = 0.6;
constexpr qreal kLabelGap = 6;
} // namespace

WeeklyChart::WeeklyChart(QWidget *parent) : QWidget(parent)
{
    setFixedHeight(kHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void WeeklyChart::setChart(StatsPresentation::WeeklyChart chart)
{
    m_chart = std::move(chart);
    update();
}

QSize WeeklyChart::sizeHint() const { return {360, kHeight}; }
QSize WeeklyChart::minimumSizeHint() const { return {200, kHeight}; }

void WeeklyChart::paintEvent(QPaintEvent *)
{
    if (m_chart.axis.ticks.empty())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QFont font = ScreenStyle::font(10);
    const QFontMetrics metrics(font);
    painter.setFont(font);
    const QColor labelColor = ScreenStyle::secondaryText(palette());
    QColor gridColor = ScreenStyle::tertiaryText(palette());
    gridColor.setAlphaF(0.5f);

    qreal axisWidth = 0;
    for (double tick : m_chart.axis.ticks)
        axisWidth = std::max<qreal>(axisWidth, metrics.horizontalAdvance(ChartAxis::label(tick)));
    const QRectF plot(0, metrics.height() / 2.0, width() - axisWidth - kLabelGap,
                      height() - metrics.height() / 2.0 - metrics.height() - kLabelGap);
    const double top = m_chart.axis.top();
    const auto yOf = [&](double hours) { return plot.bottom() - hours / top * plot.height(); };

    for (double tick : m_chart.axis.ticks) {
        const qreal y = yOf(tick);
        painter.setPen(QPen(gridColor, 0.5));
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(labelColor);
        painter.drawText(QRectF(plot.right() + kLabelGap, y - metrics.height() / 2.0, axisWidth, metrics.height()),
                         Qt::AlignLeft | Qt::AlignVCenter, ChartAxis::label(tick));
    }

    const auto count = static_cast<qreal>(std::max<size_t>(1, m_chart.bars.size()));
    const qreal slot = plot.width() / count;
    const qreal barWidth = slot * kBarShareOfSlot;
    const QColor blue = ScreenStyle::color(ColorRole::blue, palette());
    for (size_t i = 0; i < m_chart.bars.size(); ++i) {
        const StatsPresentation::ChartBar &bar = m_chart.bars[i];
        const qreal centre = plot.left() + slot * (static_cast<qreal>(i) + 0.5);
        painter.setPen(labelColor);
        painter.drawText(QRectF(centre - slot / 2, plot.bottom() + kLabelGap, slot, metrics.height()),
                         Qt::AlignHCenter | Qt::AlignTop, bar.weekday);
        if (bar.hours <= 0)
            continue;
        const QRectF shape(centre - barWidth / 2, yOf(bar.hours), barWidth, plot.bottom() - yOf(bar.hours));
        const qreal radius = std::min({kCornerRadius, shape.height() / 2, shape.width() / 2});
        QLinearGradient gradient(shape.topLeft(), shape.bottomLeft());
        gradient.setColorAt(0, blue.lighter(125));
        gradient.setColorAt(1, blue);
        QPainterPath path;
        path.addRoundedRect(shape, radius, radius);
        painter.fillPath(path, gradient);
    }
}
