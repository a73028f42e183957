#include "MenuBarLabel.h"

#include "hold/BreakHold.h"
#include "timer/WorkTimer.h"
#include "ui/common/ChangeWatcher.h"
#include "ui/common/ViewInputs.h"
#include "ui/common/symbols/SymbolGlyphs.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QSystemTrayIcon>

MenuBarLabel::MenuBarLabel(WorkTimer &workTimer, TodoManager &, BreakHold &hold, QSystemTrayIcon &trayIcon,
                           const TrayHost &host, QObject *parent)
    : QObject(parent),
      m_workTimer(workTimer),
      m_hold(hold),
      m_trayIcon(trayIcon),
      m_host(host),
      m_look(host.panelLook())
{
    auto *watcher = new ChangeWatcher([this] { refresh(); }, this);
    watcher->watch(&workTimer, ViewInputs::timerSignals());
    watcher->watch(&hold);
    refresh();
}

void MenuBarLabel::checkLook()
{
    const TrayHost::Look look = m_host.panelLook();
    if (look == m_look)
        return;
    m_look = look;
    refresh(true);
}

void MenuBarLabel::refresh(bool lookChanged)
{
    const MenuBarLabelModel next = MenuBarLabelModel::make(ViewInputs::timer(m_workTimer), m_hold.statusText());
    const bool iconChanged =
        !m_hasIcon || lookChanged || next.symbol != m_model.symbol || next.minutesLeft() != m_model.minutesLeft();
    const bool textChanged = next.toolTip() != m_model.toolTip() || !m_hasIcon;
    m_model = next;
    if (textChanged) {
        m_trayIcon.setToolTip(m_model.toolTip());
        emit toolTipChanged(m_model.toolTip());
    }
    if (!iconChanged)
        return;
    QIcon icon;
    m_iconImages = renderFace(m_model, m_look);
    for (const QImage &image : std::as_const(m_iconImages))
        icon.addPixmap(QPixmap::fromImage(image));
    m_trayIcon.setIcon(icon);
    m_hasIcon = true;
    ++m_iconRenders;
    emit faceChanged();
}

QList<QImage> MenuBarLabel::renderFace(const MenuBarLabelModel &model, TrayHost::Look look)
{
    QList<QImage> images;
    for (const int side : kIconSizes)
        images.append(renderIcon(model, side, look));
    return images;
}

QString MenuBarLabel::faceKey(const MenuBarLabelModel &model, TrayHost::Look look)
{
    return QStringLiteral("%1-%2-%3")
        .arg(model.symbol)
        .arg(model.minutesLeft())
        .arg(look == TrayHost::Look::light ? QStringLiteral("dark-ink") : QStringLiteral("light-ink"));
}

std::optional<MenuBarLabelModel> MenuBarLabel::nextFace() const
{
    if (m_model.minutesLeft() == 0)
        return std::nullopt;
    MenuBarLabelModel next = m_model;
    next.secondsLeft -= 60;
    return next;
}

QImage MenuBarLabel::renderIcon(const MenuBarLabelModel &model, int side, TrayHost::Look look, qreal devicePixelRatio)
{
    QImage image(QSize(side, side) * devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QColor ink = look == TrayHost::Look::light ? QColor(0x24, 0x24, 0x26) : QColor(Qt::white);
    painter.setPen(ink);

    // The symbol over the top half, the minutes below it as large as they fit, with a gap
    // between the digits so that they stay apart at 16 px.
    const qreal s = side;
    const QString glyph = SymbolGlyphs::glyph(model.symbol);
    painter.setFont(SymbolGlyphs::font(s * 0.56));
    painter.drawText(QRectF(0, -s * 0.06, s, s * 0.56), Qt::AlignHCenter | Qt::AlignVCenter, glyph);

    const QString minutes = QString::number(model.minutesLeft());
    QFont digits(QStringLiteral("DejaVu Sans"));
    digits.setBold(true);
    digits.setHintingPreference(QFont::PreferFullHinting);
    const qreal gap = qMax(1.0, s / 16.0);
    digits.setLetterSpacing(QFont::AbsoluteSpacing, gap);
    const qreal digitHeight = s * 0.5;
    digits.setPixelSize(qRound(digitHeight / 0.73)); // DejaVu's digits are 73 % of the size
    QFontMetricsF metrics(digits);
    while (metrics.tightBoundingRect(minutes).width() > s && digits.pixelSize() > 5) {
        digits.setPixelSize(digits.pixelSize() - 1);
        metrics = QFontMetricsF(digits);
    }
    const QRectF bounds = metrics.tightBoundingRect(minutes);
    painter.setFont(digits);
    painter.drawText(QPointF((s - bounds.width()) / 2 - bounds.left(), s - qMax(0.5, s / 24) - bounds.bottom()),
                     minutes);
    return image;
}
