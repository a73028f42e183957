#include "FormSection.h"

#include "ui/common/widgets/ScreenStyle.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace {
class Card final : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(ScreenStyle::tertiaryText(palette()).lighter(120), 0.5));
        painter.setBrush(ScreenStyle::cardFill(palette()));
        painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
    }
};
} // namespace

FormSection::FormSection(const QString &header, const QString &footer, QWidget *parent)
    : QWidget(parent),
      m_card(new Card(this)),
      m_rows(new QVBoxLayout(m_card))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    if (!header.isEmpty()) {
        auto *title = ScreenStyle::label(header, ScreenStyle::font(13, QFont::DemiBold), {}, this);
        title->setContentsMargins(4, 0, 0, 0);
        layout->addWidget(title);
    }
    m_rows->setContentsMargins(12, 4, 12, 4);
    m_rows->setSpacing(0);
    layout->addWidget(m_card);
    if (!footer.isEmpty()) {
        auto *note = ScreenStyle::label(footer, ScreenStyle::font(11), ScreenStyle::secondaryText(palette()), this);
        note->setWordWrap(true);
        note->setContentsMargins(4, 0, 0, 0);
        layout->addWidget(note);
    }
}

void FormSection::addSeparatorIfNeeded()
{
    if (m_rows->count() == 0)
        return;
    auto *line = new QFrame(m_card);
    line->setFixedHeight(1);
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, ScreenStyle::tertiaryText(this->palette()).lighter(130));
    line->setPalette(palette);
    m_rows->addWidget(line);
}

QLabel *FormSection::addRow(const QString &title, QWidget *control)
{
    addSeparatorIfNeeded();
    auto *row = new QWidget(m_card);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 8, 0, 8);
    auto *label = ScreenStyle::label(title, ScreenStyle::font(13), {}, row);
    label->setBuddy(control);
    layout->addWidget(label);
    layout->addStretch(1);
    control->setParent(row);
    layout->addWidget(control);
    m_rows->addWidget(row);
    return label;
}

void FormSection::addWidgetRow(QWidget *widget)
{
    addSeparatorIfNeeded();
    widget->setParent(m_card);
    m_rows->addWidget(widget);
}
