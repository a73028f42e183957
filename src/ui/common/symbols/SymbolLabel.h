#pragma once

#include "ui/common/style/ColorRole.h"

#include <QWidget>

// One symbol of the icon font at a size and colour. The colour is a role, resolved against
// the widget's palette at paint time, so the symbol follows a change of theme.
class SymbolLabel : public QWidget {
    Q_OBJECT
public:
    explicit SymbolLabel(const QString &symbol = {}, int pixelSize = 16, ColorRole color = ColorRole::primary,
                         QWidget *parent = nullptr);

    QString symbol() const { return m_symbol; }
    void setSymbol(const QString &symbol);
    ColorRole colorRole() const { return m_color; }
    void setColorRole(ColorRole color, double opacity = 1.0);
    void setPixelSize(int pixelSize);
    // The box the symbol is centred in; by default a square of the pixel size.
    void setBoxWidth(int width);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_symbol;
    int m_pixelSize;
    int m_boxWidth = 0;
    ColorRole m_color;
    double m_opacity = 1.0;
};
