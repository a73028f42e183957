#include "FilterTab.h"

#include "AccessibleRoles.h"
#include "ui/common/style/FocusRing.h"
#include "ui/common/style/Fonts.h"
#include "ui/common/style/NamedColors.h"

#include <QKeyEvent>
#include <QPainter>

namespace {
constexpr int kPaddingX = 10;
constexpr int kPaddingY = 6;
constexpr int kSpacing = 4;
constexpr int kBadgePaddingX = 5;
constexpr int kBadgePaddingY = 1;
constexpr int kTitleSize = 12;
constexpr int kBadgeSize = 10;

QFont badgeFont() { return Fonts::system(kBadgeSize); }
} // namespace

FilterTab::FilterTab(const QString &title, qint64 count, bool isSelected, std::function<void()> action, QWidget *parent)
    : QAbstractButton(parent),
      m_count(count),
      m_isSelected(isSelected),
      m_action(std::move(action))
{
    setText(title);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    AccessibleRoles::install();
    connect(this, &QAbstractButton::clicked, this, [this] {
        if (m_action)
            m_action();
    });
}

void FilterTab::setCount(qint64 count)
{
    if (count == m_count)
        return;
    m_count = count;
    updateGeometry();
    update();
}

void FilterTab::setSelected(bool selected)
{
    if (selected == m_isSelected)
        return;
    m_isSelected = selected;
    updateGeometry();
    update();
}

QFont FilterTab::titleFont() const { return Fonts::system(kTitleSize, m_isSelected ? QFont::DemiBold : QFont::Normal); }

QSize FilterTab::sizeHint() const
{
    const QFontMetrics title(titleFont());
    int width = title.horizontalAdvance(text());
    int height = title.height();
    if (showsBadge()) {
        const QFontMetrics badge(badgeFont());
        width += kSpacing + badge.horizontalAdvance(QString::number(m_count)) + 2 * kBadgePaddingX;
        height = qMax(height, badge.height() + 2 * kBadgePaddingY);
    }
    return {width + 2 * kPaddingX, height + 2 * kPaddingY};
}

QRect FilterTab::badgeRect(const QRect &label) const
{
    const QFontMetrics badge(badgeFont());
    const int width = badge.horizontalAdvance(QString::number(m_count)) + 2 * kBadgePaddingX;
    const int height = badge.height() + 2 * kBadgePaddingY;
    return {label.right() - width + 1, label.center().y() - height / 2, width, height};
}

void FilterTab::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor primary = NamedColors::resolve(ColorRole::primary, palette());
    if (m_isSelected) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(NamedColors::withOpacity(primary, 0.08));
        painter.drawRoundedRect(QRectF(rect()), 6, 6);
    }
    const QColor color = m_isSelected ? primary : NamedColors::resolve(ColorRole::secondary, palette());
    const QRect label = rect().adjusted(kPaddingX, kPaddingY, -kPaddingX, -kPaddingY);
    painter.setPen(color);
    painter.setFont(titleFont());
    painter.drawText(label, Qt::AlignVCenter | Qt::AlignLeft, text());
    if (showsBadge()) {
        const QRect badge = badgeRect(label);
        painter.setPen(Qt::NoPen);
        painter.setBrush(NamedColors::withOpacity(primary, 0.1));
        painter.drawRoundedRect(QRectF(badge), 4, 4);
        painter.setPen(color);
        painter.setFont(badgeFont());
        painter.drawText(badge, Qt::AlignCenter, QString::number(m_count));
    }
    FocusRing::paint(painter, *this, QRectF(rect()), 6);
}

void FilterTab::keyPressEvent(QKeyEvent *event)
{
    // Left and Right choose the tab beside, as in a tab bar; Enter chooses this one.
    const int key = event->key();
    if (key == Qt::Key_Left || key == Qt::Key_Right) {
        const QList<FilterTab *> tabs = parentWidget()->findChildren<FilterTab *>(Qt::FindDirectChildrenOnly);
        const qsizetype next = tabs.indexOf(this) + (key == Qt::Key_Right ? 1 : -1);
        if (next >= 0 && next < tabs.size()) {
            tabs[next]->setFocus(Qt::TabFocusReason);
            tabs[next]->click();
        }
        return;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        click();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}
