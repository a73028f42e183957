#include "DBusMenuExporter.h"

#include <QAction>
#include <QActionEvent>
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
    for (QAction *action : menu.actions())
        idOf(action);
    menu.installEventFilter(this);
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

bool DBusMenuExporter::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_menu && (event->type() == QEvent::ActionAdded || event->type() == QEvent::ActionRemoved)) {
        auto *actionEvent = static_cast<QActionEvent *>(event);
        if (event->type() == QEvent::ActionAdded)
            idOf(actionEvent->action());
        else
            m_sent.remove(m_ids.take(actionEvent->action()));
        m_layoutChanged = true;
        sendChanges();
    }
    return QObject::eventFilter(watched, event);
}

int DBusMenuExporter::idOf(QAction *action)
{
    if (const auto found = m_ids.constFind(action); found != m_ids.cend())
        return *found;
    const int id = m_nextId++;
    m_ids.insert(action, id);
    connect(action, &QAction::changed, this, [this, id] {
        m_changed.insert(id);
        sendChanges();
    });
    connect(action, &QObject::destroyed, this, [this, action] { m_sent.remove(m_ids.take(action)); });
    return id;
}

QAction *DBusMenuExporter::actionFor(int id) const
{
    if (!m_menu || id <= kRootId)
        return nullptr;
    QAction *action = m_ids.key(id, nullptr);
    return action && m_menu->actions().contains(action) ? action : nullptr;
}

bool DBusMenuExporter::isKnown(int id) const { return id == kRootId || actionFor(id); }

QVariantMap DBusMenuExporter::propertiesOf(int id) const
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
    return properties;
}

QVariantMap DBusMenuExporter::selected(const QVariantMap &properties, const QStringList &names)
{
    if (names.isEmpty())
        return properties;
    QVariantMap asked;
    for (const QString &name : names) {
        if (properties.contains(name))
            asked.insert(name, properties.value(name));
    }
    return asked;
}

DBusMenuLayoutItem DBusMenuExporter::layoutOf(int id, int depth, const QStringList &names)
{
    const QVariantMap properties = propertiesOf(id);
    m_sent.insert(id, properties);
    DBusMenuLayoutItem item{id, selected(properties, names), {}};
    if (id == kRootId && depth != 0 && m_menu) {
        for (QAction *action : m_menu->actions())
            item.children.append(layoutOf(idOf(action), depth - 1, names));
    }
    return item;
}

void DBusMenuExporter::failUnknown(int id)
{
    if (calledFromDBus())
        sendErrorReply(kUnknownIdError, QStringLiteral("The menu has no entry %1").arg(id));
}

void DBusMenuExporter::sendChanges()
{
    // Changes made together (a new state changes several entries) travel in one signal.
    if (m_changesPending)
        return;
    m_changesPending = true;
    QTimer::singleShot(0, this, [this] {
        m_changesPending = false;
        if (m_layoutChanged) {
            m_layoutChanged = false;
            m_changed.clear();
            emit LayoutUpdated(++m_revision, kRootId);
            return;
        }
        DBusMenuItemPropertiesList updated;
        DBusMenuRemovedPropertiesList removed;
        for (const int id : std::as_const(m_changed)) {
            // An entry the host never fetched needs no update: it gets it with the layout.
            const auto before = m_sent.constFind(id);
            if (before == m_sent.cend() || !actionFor(id))
                continue;
            const QVariantMap now = propertiesOf(id);
            QVariantMap changed;
            QStringList gone;
            for (auto it = now.cbegin(); it != now.cend(); ++it) {
                if (before->value(it.key()) != it.value())
                    changed.insert(it.key(), it.value());
            }
            for (auto it = before->cbegin(); it != before->cend(); ++it) {
                if (!now.contains(it.key()))
                    gone.append(it.key());
            }
            if (!changed.isEmpty())
                updated.append({id, changed});
            if (!gone.isEmpty())
                removed.append({id, gone});
            m_sent.insert(id, now);
        }
        m_changed.clear();
        if (!updated.isEmpty() || !removed.isEmpty())
            emit ItemsPropertiesUpdated(updated, removed);
    });
}

uint DBusMenuExporter::GetLayout(int parentId, int recursionDepth, const QStringList &propertyNames,
                                 DBusMenuLayoutItem &layout)
{
    if (!isKnown(parentId)) {
        failUnknown(parentId);
        return m_revision;
    }
    layout = layoutOf(parentId, recursionDepth, propertyNames);
    return m_revision;
}

DBusMenuItemPropertiesList DBusMenuExporter::GetGroupProperties(const QList<int> &ids, const QStringList &propertyNames)
{
    DBusMenuItemPropertiesList result;
    for (const int id : ids) {
        if (!isKnown(id))
            continue;
        const QVariantMap properties = propertiesOf(id);
        m_sent.insert(id, properties);
        result.append({id, selected(properties, propertyNames)});
    }
    return result;
}

QDBusVariant DBusMenuExporter::GetProperty(int id, const QString &name)
{
    const QVariantMap properties = propertiesOf(id);
    if (!isKnown(id) || !properties.contains(name)) {
        if (calledFromDBus())
            sendErrorReply(QDBusError::InvalidArgs, QStringLiteral("Entry %1 has no property %2").arg(id).arg(name));
        return QDBusVariant(QString());
    }
    return QDBusVariant(properties.value(name));
}

bool DBusMenuExporter::handleEvent(int id, const QString &eventId)
{
    if (!isKnown(id))
        return false;
    if (id == kRootId) {
        if (eventId == QLatin1String("opened"))
            emit hostMenuOpened(true);
        else if (eventId == QLatin1String("closed"))
            emit hostMenuOpened(false);
        return true;
    }
    if (eventId != QLatin1String("clicked"))
        return true;
    // After the reply: an entry such as "Quit Pelmix" must not end the process mid-call.
    if (QAction *action = actionFor(id); action->isEnabled() && action->isVisible() && !action->isSeparator())
        QTimer::singleShot(0, action, &QAction::trigger);
    return true;
}

void DBusMenuExporter::Event(int id, const QString &eventId, const QDBusVariant &, uint)
{
    if (!handleEvent(id, eventId))
        failUnknown(id);
}

QList<int> DBusMenuExporter::EventGroup(const DBusMenuEventList &events)
{
    QList<int> unknown;
    for (const DBusMenuEvent &event : events) {
        if (!handleEvent(event.id, event.eventId))
            unknown.append(event.id);
    }
    if (!events.isEmpty() && unknown.size() == events.size())
        failUnknown(unknown.first());
    return unknown;
}

bool DBusMenuExporter::AboutToShow(int id)
{
    if (!isKnown(id)) {
        failUnknown(id);
        return false;
    }
    if (id != kRootId)
        return false;
    // The status line and the snooze entry change while the menu is closed; the entries
    // changed now reach the host before it draws them.
    emit aboutToShowRequested();
    return false;
}

QList<int> DBusMenuExporter::AboutToShowGroup(const QList<int> &ids, QList<int> &idErrors)
{
    for (const int id : ids) {
        if (!isKnown(id))
            idErrors.append(id);
        else if (id == kRootId)
            emit aboutToShowRequested();
    }
    return {};
}
