#include "MenuBarLabel.h"

#include "timer/WorkTimer.h"
#include "ui/ChangeWatcher.h"
#include "ui/SymbolGlyphs.h"
#include "ui/ViewInputs.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QSystemTrayIcon>

MenuBarLabel::MenuBarLabel(WorkTimer &workTimer, TodoManager &, QSystemTrayIcon &trayIcon, QObject *parent)
    : QObject(parent),
      m_workTimer(workTimer),
      m_trayIcon(trayIcon)
{
    auto *watcher = new ChangeWatcher([this] { refresh(); }, this);
    watcher->watch(&workTimer);
    refresh();
}

void MenuBarLabel::refresh()
{
    const MenuBarLabelModel next = MenuBarLabelModel::make(ViewInputs::timer(m_workTimer));
    const bool iconChanged = !m_hasIcon || next.symbol != m_model.symbol || next.minutesLeft() != m_model.minutesLeft();
    const bool textChanged = next.timeText != m_model.timeText || !m_hasIcon;
    m_model = next;
    if (textChanged) {
        m_trayIcon.setToolTip(m_model.timeText);
        emit timeTextChanged(m_model.timeText);
    }
    if (!iconChanged)
        return;
    QIcon icon;
    m_iconImages.clear();
    for (const int side : {16, 22, 24, 32, 48}) {
        m_iconImages.append(renderIcon(m_model, side));
        icon.addPixmap(QPixmap::fromImage(m_iconImages.last()));
    }
    m_trayIcon.setIcon(icon);
    m_hasIcon = true;
    ++m_iconRenders;
    emit faceChanged();
}

QImage MenuBarLabel::renderIcon(const MenuBarLabelModel &model, int side, qreal devicePixelRatio)
{
    QImage image(QSize(side, side) * devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    // The symbol over the upper half, the minutes below it, both white with a dark outline so
    // they read on light and dark panels alike.
    const qreal s = side;
    QPainterPath path;
    const QString glyph = SymbolGlyphs::glyph(model.symbol);
    const QFont symbolFont = SymbolGlyphs::font(s * 0.5);
    const QFontMetricsF symbolMetrics(symbolFont);
    const qreal glyphWidth = symbolMetrics.horizontalAdvance(glyph);
    path.addText((s - glyphWidth) / 2, s * 0.02 + symbolMetrics.ascent() * 0.92, symbolFont, glyph);

    const QString minutes = QString::number(model.minutesLeft());
    QFont digits = QApplication::font();
    digits.setBold(true);
    digits.setPixelSize(qRound(s * 0.5));
    QFontMetricsF digitMetrics(digits);
    while (digitMetrics.horizontalAdvance(minutes) > s - 1 && digits.pixelSize() > 6) {
        digits.setPixelSize(digits.pixelSize() - 1);
        digitMetrics = QFontMetricsF(digits);
    }
    const QRectF bounds = digitMetrics.tightBoundingRect(minutes);
    path.addText((s - bounds.width()) / 2 - bounds.left(), s - 1 - bounds.bottom(), digits, minutes);

    painter.setPen(QPen(QColor(0, 0, 0, 170), qMax(1.5, s / 11.0), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawPath(path);
    return image;
}
