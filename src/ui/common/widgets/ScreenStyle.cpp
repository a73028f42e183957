#include "ScreenStyle.h"

#include "ui/common/style/Fonts.h"
#include "ui/common/style/NamedColors.h"
#include "ui/common/symbols/SymbolLabel.h"

#include <QFontDatabase>
#include <QLabel>
#include <QPalette>
#include <QScrollArea>
#include <QVBoxLayout>

namespace ScreenStyle {

QColor color(ColorRole role, const QPalette &palette) { return NamedColors::resolve(role, palette); }
QColor color(ColorRole role) { return NamedColors::resolve(role); }
QColor secondaryText(const QPalette &palette) { return NamedColors::resolve(ColorRole::secondary, palette); }
QColor tertiaryText(const QPalette &palette) { return NamedColors::resolve(ColorRole::tertiary, palette); }
QColor accent(const QPalette &palette) { return palette.color(QPalette::Highlight); }

QColor cardFill(const QPalette &palette)
{
    return NamedColors::isDark(palette) ? QColor(255, 255, 255, 18) : QColor(255, 255, 255, 150);
}

QFont font(int pixelSize, QFont::Weight weight) { return Fonts::system(pixelSize, weight); }

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

SymbolLabel *symbolLabel(const QString &symbol, int pixelSize, ColorRole color, QWidget *parent)
{
    return new SymbolLabel(symbol, pixelSize, color, parent);
}

QVBoxLayout *scrollingPage(QWidget *owner, const QString &title, int margin, int spacing)
{
    auto *outer = new QVBoxLayout(owner);
    outer->setContentsMargins(0, 0, 0, 0);
    auto *scroll = new QScrollArea(owner);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    outer->addWidget(scroll);

    auto *content = new QWidget;
    auto *column = new QVBoxLayout(content);
    column->setContentsMargins(margin, margin, margin, margin);
    column->setSpacing(spacing);
    column->addWidget(label(title, font(22, QFont::Bold)));
    scroll->setWidget(content);
    return column;
}

} // namespace ScreenStyle
