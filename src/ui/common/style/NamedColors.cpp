#include "NamedColors.h"

#include <QGuiApplication>
#include <QPalette>
#include <QWidget>

#include <cmath>

namespace NamedColors {

bool isDark(const QPalette &palette) { return palette.color(QPalette::Window).lightnessF() < 0.5; }

QColor resolve(ColorRole role, const QPalette &palette)
{
    const bool dark = isDark(palette);
    const auto pick = [dark](QRgb light, QRgb darkVariant) { return QColor::fromRgb(dark ? darkVariant : light); };
    switch (role) {
    case ColorRole::primary:
        return palette.color(QPalette::WindowText);
    case ColorRole::secondary:
        return withOpacity(palette.color(QPalette::WindowText), kSecondaryAlpha);
    case ColorRole::tertiary:
        return withOpacity(palette.color(QPalette::WindowText), kTertiaryAlpha);
    case ColorRole::green:
        return pick(kGreenLight, kGreenDark);
    case ColorRole::orange:
        return pick(kOrangeLight, kOrangeDark);
    case ColorRole::red:
        return pick(kRedLight, kRedDark);
    case ColorRole::purple:
        return pick(kPurpleLight, kPurpleDark);
    case ColorRole::blue:
        return pick(kBlueLight, kBlueDark);
    case ColorRole::gray:
        return pick(kGrayLight, kGrayDark);
    case ColorRole::white:
        return QColor(Qt::white);
    }
    return palette.color(QPalette::WindowText);
}

QColor resolve(ColorRole role) { return resolve(role, QGuiApplication::palette()); }

namespace {
double luminance(const QColor &color)
{
    const auto channel = [](float value) {
        return value <= 0.04045f ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(color.redF()) + 0.7152 * channel(color.greenF()) + 0.0722 * channel(color.blueF());
}

} // namespace

double contrast(const QColor &a, const QColor &b)
{
    const double first = luminance(a), second = luminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

QColor readableFill(QColor fill, const QColor &text)
{
    const bool lightText = text.lightnessF() >= 0.5;
    for (int step = 0; step < 40 && contrast(fill, text) < 4.5; ++step)
        fill = lightText ? fill.darker(105) : fill.lighter(105);
    return fill;
}

QColor opaque(const QColor &color, const QColor &background)
{
    const float alpha = color.alphaF();
    const auto mix = [alpha](float front, float back) { return front * alpha + back * (1 - alpha); };
    return QColor::fromRgbF(mix(color.redF(), background.redF()), mix(color.greenF(), background.greenF()),
                            mix(color.blueF(), background.blueF()));
}

QColor withOpacity(QColor color, double opacity)
{
    color.setAlphaF(static_cast<float>(color.alphaF() * opacity));
    return color;
}

void setForeground(QWidget *widget, ColorRole role, double opacity)
{
    const QColor color = withOpacity(resolve(role), opacity);
    if (widget->palette().color(QPalette::WindowText) == color)
        return;
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Text, color);
    widget->setPalette(palette);
}

QString cssColor(const QColor &color)
{
    if (color.alpha() == 255)
        return color.name(QColor::HexRgb);
    return QStringLiteral("rgba(%1,%2,%3,%4)").arg(color.red()).arg(color.green()).arg(color.blue()).arg(color.alpha());
}

} // namespace NamedColors
