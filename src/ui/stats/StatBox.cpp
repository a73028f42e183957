#include "StatBox.h"

#include "ui/common/symbols/SymbolLabel.h"
#include "ui/common/widgets/ScreenStyle.h"

#include <QLabel>
#include <QVBoxLayout>

StatBox::StatBox(const QString &title, const QString &value, const QString &icon, ColorRole color, QWidget *parent)
    : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    layout->addWidget(ScreenStyle::symbolLabel(icon, 22, color), 0, Qt::AlignHCenter);
    m_value = ScreenStyle::label(value, ScreenStyle::font(20, QFont::Bold));
    layout->addWidget(m_value, 0, Qt::AlignHCenter);
    m_title = ScreenStyle::label(title, ScreenStyle::font(11), ScreenStyle::secondaryText(palette()));
    layout->addWidget(m_title, 0, Qt::AlignHCenter);
}

QString StatBox::title() const { return m_title->text(); }
QString StatBox::value() const { return m_value->text(); }
void StatBox::setValue(const QString &value) { m_value->setText(value); }
