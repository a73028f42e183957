#include "TrayItem.h"

#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QSystemTrayIcon>

namespace {
QIcon placeholderIcon()
{
    QPixmap pixmap(22, 22);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(0x34, 0xc7, 0x59));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QRectF(3, 3, 16, 16));
    return QIcon(pixmap);
}
} // namespace

TrayItem::TrayItem(QObject *parent) : QObject(parent), m_icon(new QSystemTrayIcon(this)), m_menu(new QMenu)
{
    m_menu->addAction(QStringLiteral("Quit Pelmix"), this, &TrayItem::quitRequested);
    m_icon->setIcon(placeholderIcon());
    m_icon->setToolTip(QStringLiteral("Pelmix"));
    m_icon->setContextMenu(m_menu);
    m_icon->show();
}

TrayItem::~TrayItem() { delete m_menu; }
