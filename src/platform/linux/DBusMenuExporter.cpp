#include "DBusMenuExporter.h"

#include <QAction>
#include <QBuffer>
#include <QMenu>
#include <QTimer>

namespace {

constexpr int kRootId = 0;

QByteArray pngOf(const QIcon &icon)
{
    QByteArray png;
    if (icon.isNull())
        return png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    icon.pixmap(16).toImage().save(&buffer, "PNG");
    return png;
}

} // namespace

DBusMenuExporter::DBusMenuExporter(QMenu &menu, QObject *parent) : QObject(parent), m_menu(&menu)
{
    registerDBusMenuTypes();
}

bool DBusMenuExporter::registerOn(QDBusConnection connection)
{
    return connection.registerObject(kPath, this,
                                     QDBusConnection::ExportScriptableContents | QDBusConnection::ExportAllProperties);
}

void DBusMenuExporter::unregisterFrom(QDBusConnection connection) { connection.unregisterObject(kPath); }

QString DBusMenuExporter::labelFor(const QString &qtText)
{
    QString label;
    for (qsizetype i = 0; i < qtText.size(); ++i) {
        const QChar c = qtText.at(i);
        if (c == u'&') {
            if (i + 1 < qtText.size() && qtText.at(i + 1) == u'&') {
                label += u'&';
                ++i;
            } else {
                label += u'_';
            }
        } else if (c == u'_') {
            label += QStringLiteral("__");
        } else if (c == u'\t') {
            label += QStringLiteral("   ");
        } else {
            label += c;
        }
    }
    return label;
}

void DBusMenuExporter::rebuild()
{
    if (m_menu)
        emit m_menu->aboutToShow();
    ++m_revision;
}

void DBusMenuExporter::refresh()
{
    rebuild();
    emit LayoutUpdated(m_revision, kRootId);
}

QAction *DBusMenuExporter::actionFor(int id) const
{
    if (!m_menu || id <= kRootId || id > m_menu->actions().size())
        return nullptr;
    return m_menu->actions().at(id - 1);
}

QVariantMap DBusMenuExporter::propertiesOf(int id, const QStringList &names) const
{
    QVariantMap properties;
    if (id == kRootId) {
        properties.insert(QStringLiteral("children-display"), QStringLiteral("submenu"));
    } else if (const QAction *action = actionFor(id)) {
        if (action->isSeparator()) {
            properties.insert(QStringLiteral("type"), QStringLiteral("separator"));
        } else {
            properties.insert(QStringLiteral("label"), labelFor(action->text()));
            if (const QByteArray png = pngOf(action->icon()); !png.isEmpty())
                properties.insert(QStringLiteral("icon-data"), png);
        }
        // Only values that differ from the protocol's defaults are sent.
        if (!action->isEnabled())
            properties.insert(QStringLiteral("enabled"), false);
        if (!action->isVisible())
            properties.insert(QStringLiteral("visible"), false);
    }
    if (names.isEmpty())
        return properties;
    QVariantMap asked;
    for (const QString &name : names) {
        if (properties.contains(name))
            asked.insert(name, properties.value(name));
    }
    return asked;
}

DBusMenuLayoutItem DBusMenuExporter::layoutOf(int id, int depth, const QStringList &names) const
{
    DBusMenuLayoutItem item{id, propertiesOf(id, names), {}};
    if (id == kRootId && depth != 0 && m_menu) {
        for (int child = 1; child <= m_menu->actions().size(); ++child)
            item.children.append(layoutOf(child, depth - 1, names));
    }
    return item;
}

uint DBusMenuExporter::GetLayout(int parentId, int recursionDepth, const QStringList &propertyNames,
                                 DBusMenuLayoutItem &layout)
{
    layout = layoutOf(parentId == kRootId || actionFor(parentId) ? parentId : kRootId, recursionDepth, propertyNames);
    return m_revision;
}

DBusMenuItemPropertiesList DBusMenuExporter::GetGroupProperties(const QList<int> &ids, const QStringList &propertyNames)
{
    DBusMenuItemPropertiesList result;
    for (const int id : ids) {
        if (id == kRootId || actionFor(id))
            result.append({id, propertiesOf(id, propertyNames)});
    }
    return result;
}

QDBusVariant DBusMenuExporter::GetProperty(int id, const QString &name)
{
    return QDBusVariant(propertiesOf(id, {}).value(name));
}

void DBusMenuExporter::Event(int id, const QString &eventId, const QDBusVariant &, uint)
{
    if (eventId != QLatin1String("clicked"))
        return;
    // After the reply: an entry such as "Quit Pelmix" must not end the process mid-call.
    if (QAction *action = actionFor(id); action && action->isEnabled() && !action->isSeparator())
        QTimer::singleShot(0, action, &QAction::trigger);
}

QList<int> DBusMenuExporter::EventGroup(const DBusMenuEventList &events)
{
    QList<int> unknown;
    for (const DBusMenuEvent &event : events) {
        if (actionFor(event.id))
            Event(event.id, event.eventId, event.data, event.timestamp);
        else
            unknown.append(event.id);
    }
    return unknown;
}

bool DBusMenuExporter::AboutToShow(int id)
{
    if (id != kRootId)
        return false;
    // The status line and the snooze entry change while the menu is closed.
    rebuild();
    return true;
}

QList<int> DBusMenuExporter::AboutToShowGroup(const QList<int> &ids, QList<int> &idErrors)
{
    QList<int> needUpdate;
    for (const int id : ids) {
        if (id != kRootId && !actionFor(id))
            idErrors.append(id);
        else if (AboutToShow(id))
            needUpdate.append(id);
    }
    return needUpdate;
}
