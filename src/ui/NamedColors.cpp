#include "NamedColors.h"

#include <QGuiApplication>
#include <QPalette>
#include <QWidget>

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
