#include "StepParts.h"

#include "FeatureRow.h"
#include "ScreenStyle.h"
#include "ui/common/style/NamedColors.h"
#include "ui/common/symbols/SymbolLabel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace StepParts {

namespace {
constexpr int kDefaultMargin = 16;
constexpr int kSpacing = 20;
constexpr int kBottomMargin = 30;
constexpr int kButtonSideMargin = 40;
} // namespace

QVBoxLayout *stackLayout(QWidget *widget)
{
    auto *layout = new QVBoxLayout(widget);
    layout->setSpacing(kSpacing);
    layout->setContentsMargins(kDefaultMargin, kDefaultMargin, kDefaultMargin, kDefaultMargin + kBottomMargin);
    layout->addStretch(1);
    return layout;
}

void finish(QVBoxLayout *layout)
{
    // The 450-pixel window cannot always hold every element 20 apart (the activity step with
    // its note does not): the gaps give way before any element is squeezed.
    layout->setSpacing(0);
    for (int i = layout->count() - 1; i > 1; --i)
        layout->insertSpacerItem(i, new QSpacerItem(0, kSpacing, QSizePolicy::Minimum, QSizePolicy::Preferred));
    layout->addStretch(1);
}

void addSymbol(QVBoxLayout *layout, const QString &symbol, int pixelSize, ColorRole color)
{
    layout->addWidget(ScreenStyle::symbolLabel(symbol, pixelSize, color), 0, Qt::AlignHCenter);
}

QLabel *addText(QVBoxLayout *layout, const QString &text, int pixelSize, bool bold, const QColor &color, int sideMargin)
{
    QLabel *label = ScreenStyle::label(text, ScreenStyle::font(pixelSize, bold ? QFont::Bold : QFont::Normal), color);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignHCenter);
    label->setWordWrap(sideMargin > 0);
    label->setContentsMargins(sideMargin, 0, sideMargin, 0);
    layout->addWidget(label);
    return label;
}

void addIntroduction(QVBoxLayout *layout, QWidget *owner)
{
    const QColor secondary = ScreenStyle::secondaryText(owner->palette());
    addSymbol(layout, QStringLiteral("figure.mind.and.body"), 60, ColorRole::secondary);
    addText(layout, QStringLiteral("Pelmix"), 32, true);
    addText(layout, QStringLiteral("Your personal break reminder"), 16, false, secondary);
    layout->addWidget(FeatureRow::column(FeatureRow::introductionFeatures(), 20));
}

QPushButton *mainButton(const QString &text)
{
    auto *button = new QPushButton(text);
    button->setDefault(true);
    button->setCursor(Qt::PointingHandCursor);
    button->setFont(ScreenStyle::font(14, QFont::DemiBold));
    // The theme's highlight, deepened where its text would not stand out (Fusion's and Breeze's
    // blues are too light under white).
    const QColor label = button->palette().color(QPalette::HighlightedText);
    const QColor fill = NamedColors::readableFill(button->palette().color(QPalette::Highlight), label);
    button->setStyleSheet(QStringLiteral("QPushButton { background: %1; color: %2;"
                                         " border: none; border-radius: 8px; padding: 10px; }"
                                         "QPushButton:pressed { background: %3; }")
                              .arg(NamedColors::cssColor(fill), NamedColors::cssColor(label),
                                   NamedColors::cssColor(NamedColors::readableFill(fill.darker(115), label))));
    return button;
}

void addMainButton(QVBoxLayout *layout, QPushButton *button)
{
    auto *row = new QHBoxLayout;
    row->setContentsMargins(kButtonSideMargin, 0, kButtonSideMargin, 0);
    row->addWidget(button);
    layout->addLayout(row);
}

QPushButton *secondaryButton(const QString &text)
{
    auto *button = new QPushButton(text);
    button->setFlat(true);
    button->setCursor(Qt::PointingHandCursor);
    button->setFont(ScreenStyle::font(13));
    ScreenStyle::setTextColor(button, ScreenStyle::secondaryText(button->palette()));
    button->setStyleSheet(QStringLiteral("QPushButton { border: none; padding: 4px; }"));
    return button;
}

} // namespace StepParts
