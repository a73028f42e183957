#pragma once

#include "ui/common/style/ColorRole.h"

#include <QWidget>

// Two concentric circles with a symbol: the focus board's sign of presence.
class PresenceCircles : public QWidget {
    Q_OBJECT
public:
    explicit PresenceCircles(QWidget *parent = nullptr);

    void setState(ColorRole color, double haloOpacity, const QString &symbol);
    QString symbol() const { return m_symbol; }

    QSize sizeHint() const override { return {80, 80}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    ColorRole m_color = ColorRole::gray;
    double m_haloOpacity = 0.1;
    QString m_symbol;
};
