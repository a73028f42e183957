#include "ScreenStyle.h"

#include <QFontDatabase>
#include <QLabel>
#include <QPalette>

namespace {
QColor mix(const QColor &over, const QColor &under, double amount)
{
    return QColor::fromRgbF(static_cast<float>(over.redF() * amount + under.redF() * (1 - amount)),
                            static_cast<float>(over.greenF() * amount + under.greenF() * (1 - amount)),
                            static_cast<float>(over.blueF() * amount + under.blueF() * (1 - amount)));
}
} // namespace

namespace ScreenStyle {

QColor blue() { return QColor(0x00, 0x7a, 0xff); }
QColor green() { return QColor(0x34, 0xc7, 0x59); }
QColor orange() { return QColor(0xff, 0x95, 0x00); }
QColor red() { return QColor(0xff, 0x3b, 0x30); }
QColor gray() { return QColor(0x8e, 0x8e, 0x93); }

QColor color(ColorRole role, const QPalette &palette)
{
    switch (role) {
    case ColorRole::primary:
        return primaryText(palette);
    case ColorRole::secondary:
        return secondaryText(palette);
    case ColorRole::tertiary:
        return tertiaryText(palette);
    case ColorRole::green:
        return green();
    case ColorRole::orange:
        return orange();
    case ColorRole::red:
        return red();
    case ColorRole::purple:
        return QColor(0xaf, 0x52, 0xde);
    case ColorRole::blue:
        return blue();
    case ColorRole::gray:
        return gray();
    case ColorRole::white:
        return Qt::white;
    }
    return primaryText(palette);
}

QColor primaryText(const QPalette &palette) { return palette.color(QPalette::WindowText); }
QColor secondaryText(const QPalette &palette)
{
    return mix(palette.color(QPalette::WindowText), palette.color(QPalette::Window), 0.6);
}
QColor tertiaryText(const QPalette &palette)
{
    return mix(palette.color(QPalette::WindowText), palette.color(QPalette::Window), 0.35);
}
QColor accent(const QPalette &palette) { return palette.color(QPalette::Highlight); }

QColor cardFill(const QPalette &palette)
{
    const QColor window = palette.color(QPalette::Window);
    return window.lightness() > 128 ? mix(QColor(Qt::white), window, 0.6) : mix(QColor(Qt::white), window, 0.07);
}

QFont font(int pixelSize, QFont::Weight weight)
{
    QFont result = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    result.setPixelSize(pixelSize);
    result.setWeight(weight);
    return result;
}

QFont monospacedFont(int pixelSize)
{
    QFont result = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    result.setPixelSize(pixelSize);
    return result;
}

QLabel *label(const QString &text, const QFont &font, const QColor &color, QWidget *parent)
{
    auto *result = new QLabel(text, parent);
    result->setFont(font);
    if (color.isValid())
        setTextColor(result, color);
    return result;
}

void setTextColor(QWidget *widget, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::ButtonText, color);
    palette.setColor(QPalette::Text, color);
    widget->setPalette(palette);
}

QLabel *symbolLabel(const QString &symbol, int pixelSize, const QColor &color, QWidget *parent)
{
    auto *result = new QLabel(parent);
    result->setAlignment(Qt::AlignCenter);
    setSymbol(result, symbol, pixelSize, color);
    return result;
}

void setSymbol(QLabel *label, const QString &symbol, int pixelSize, const QColor &color)
{
    label->setProperty("symbol", symbol);
    label->setAccessibleName(symbol);
    label->setFixedHeight(pixelSize);
    label->setMinimumWidth(pixelSize);
    Q_UNUSED(color);
}

} // namespace ScreenStyle
