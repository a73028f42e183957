#pragma once

#include "ui/common/style/ColorRole.h"

#include <QAbstractButton>

// A borderless button that is only a symbol of the icon font. It takes the focus with Tab and
// a click; Space and Enter press it. Give it an accessible name: it has no text.
class SymbolButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit SymbolButton(const QString &symbol = {}, int pixelSize = 16, ColorRole color = ColorRole::primary,
                          QWidget *parent = nullptr);

    QString symbol() const { return m_symbol; }
    void setSymbol(const QString &symbol);
    ColorRole colorRole() const { return m_color; }
    void setColorRole(ColorRole color);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QString m_symbol;
    int m_pixelSize;
    ColorRole m_color;
};
