#pragma once

#include "ui/stats/model/StatsPresentation.h"

#include <QWidget>

// The bar chart of the last seven days, painted directly: a bar per day in a blue gradient
// with rounded corners, the weekday under it, and round hour marks with grid lines along
// the trailing edge.
class WeeklyChart : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHeight = 150;
    static constexpr qreal kCornerRadius = 4;

    explicit WeeklyChart(QWidget *parent = nullptr);

    void setChart(StatsPresentation::WeeklyChart chart);
    const StatsPresentation::WeeklyChart &chart() const { return m_chart; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    StatsPresentation::WeeklyChart m_chart;
};
