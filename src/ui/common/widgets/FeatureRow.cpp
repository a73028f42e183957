#include "FeatureRow.h"

#include "ScreenStyle.h"
#include "ui/common/symbols/SymbolLabel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

FeatureRow::FeatureRow(const QString &icon, const QString &text, QWidget *parent)
    : QWidget(parent),
      m_icon(icon),
      m_text(text)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(12);
    SymbolLabel *symbol = ScreenStyle::symbolLabel(icon, 16, ColorRole::secondary, this);
    symbol->setBoxWidth(24);
    layout->addWidget(symbol, 0, Qt::AlignVCenter);
    QLabel *label = ScreenStyle::label(text, ScreenStyle::font(14), {}, this);
    label->setTextFormat(Qt::PlainText);
    layout->addWidget(label, 0, Qt::AlignVCenter);
    layout->addStretch(1);
}

std::vector<std::pair<QString, QString>> FeatureRow::introductionFeatures()
{
    return {{QStringLiteral("clock"), QStringLiteral("Reminds you to take breaks")},
            {QStringLiteral("keyboard"), QStringLiteral("Tracks activity automatically")},
            {QStringLiteral("lock.shield"), QStringLiteral("Works completely offline")}};
}

QWidget *FeatureRow::column(const std::vector<std::pair<QString, QString>> &features, int margin, QWidget *parent)
{
    auto *outer = new QWidget(parent);
    auto *centring = new QHBoxLayout(outer);
    centring->setContentsMargins(0, margin, 0, margin);
    auto *rows = new QWidget(outer);
    auto *layout = new QVBoxLayout(rows);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    for (const auto &[icon, text] : features)
        layout->addWidget(new FeatureRow(icon, text, rows));
    centring->addStretch(1);
    centring->addWidget(rows);
    centring->addStretch(1);
    return outer;
}
