#include "SessionRow.h"

#include "ui/common/widgets/ElidedLabel.h"

#include "ui/common/symbols/SymbolLabel.h"
#include "ui/common/widgets/ScreenStyle.h"
#include "ui/stats/model/StatsPresentation.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>

namespace {
QWidget *divider(QWidget *parent)
{
    auto *line = new QWidget(parent);
    line->setFixedSize(1, 14);
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, ScreenStyle::tertiaryText(parent->palette()));
    line->setPalette(palette);
    return line;
}
} // namespace

SessionRow::SessionRow(const Session &session, QWidget *parent) : QWidget(parent), m_session(session)
{
    const StatsPresentation::SessionRowText text = StatsPresentation::sessionRow(session);
    const QColor secondary = ScreenStyle::secondaryText(palette());
    const QColor typeColor = ScreenStyle::color(text.typeColor, palette());
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 6);
    layout->setSpacing(8);

    QLabel *range = ScreenStyle::label(text.timeRange, ScreenStyle::monospacedFont(12), secondary, this);
    range->setObjectName(QStringLiteral("timeRange"));
    layout->addWidget(range);
    layout->addWidget(divider(this));
    auto *type = new QHBoxLayout;
    type->setSpacing(4);
    type->addWidget(ScreenStyle::symbolLabel(text.typeIcon, 11, text.typeColor, this));
    QLabel *typeLabel = ScreenStyle::label(text.typeLabel, ScreenStyle::font(12), typeColor, this);
    typeLabel->setObjectName(QStringLiteral("type"));
    type->addWidget(typeLabel);
    layout->addLayout(type);
    if (text.taskTitle) {
        layout->addWidget(divider(this));
        auto *task = new ElidedLabel(this);
        task->setObjectName(QStringLiteral("taskTitle"));
        task->setFont(ScreenStyle::font(12));
        task->setFullText(*text.taskTitle);
        task->setMinimumWidth(40);
        layout->addWidget(task, 1);
    } else {
        layout->addStretch(1);
    }
    QLabel *duration = ScreenStyle::label(text.duration, ScreenStyle::font(12), secondary, this);
    duration->setObjectName(QStringLiteral("duration"));
    layout->addWidget(duration);
    SymbolLabel *mark = ScreenStyle::symbolLabel(text.completionIcon, 14, text.completionColor, this);
    mark->setObjectName(QStringLiteral("completion"));
    layout->addWidget(mark);
}

void SessionRow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    QColor fill = ScreenStyle::color(ColorRole::gray, palette());
    fill.setAlphaF(0.1f);
    painter.setBrush(fill);
    painter.drawRoundedRect(QRectF(rect()), 6, 6);
}
