#pragma once

#include <QPixmap>
#include <QWidget>

// A rounded card on a translucent background with a soft shadow below it. The shadow is
// painted in the card's margins, which the caller leaves free (`shadowMargin()`).
class CardFrame : public QWidget {
    Q_OBJECT
public:
    CardFrame(int cornerRadius, double shadowOpacity, int shadowRadius, int shadowOffset, QWidget *parent = nullptr);

    // Room around the card that the shadow needs.
    int shadowMargin() const { return m_shadowRadius + m_shadowOffset; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void renderBackground();

    int m_cornerRadius;
    double m_shadowOpacity;
    int m_shadowRadius;
    int m_shadowOffset;
    // The card and its shadow, drawn once for a size and palette: what changes on the card
    // every second then costs a copy of its own small area, not the card's rounded fill.
    QPixmap m_background;
    qint64 m_backgroundPalette = 0;
};
