#pragma once

#include "platform/linux/DBusMenuTypes.h"

#include <QDBusConnection>
#include <QObject>
#include <QPointer>

class QAction;
class QMenu;

// Publishes a QMenu as com.canonical.dbusmenu, the menu of a StatusNotifierItem for hosts that
// draw menus themselves (GNOME's AppIndicator extension, Plasma). Entries are numbered by their
// place in the menu; every rebuild of the menu is a new layout revision.
class DBusMenuExporter : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.canonical.dbusmenu")
    Q_PROPERTY(uint Version READ version)
    Q_PROPERTY(QString TextDirection READ textDirection)
    Q_PROPERTY(QString Status READ status)
    Q_PROPERTY(QStringList IconThemePath READ iconThemePath)

public:
    static inline const QString kPath = QStringLiteral("/MenuBar");

    explicit DBusMenuExporter(QMenu &menu, QObject *parent = nullptr);

    bool registerOn(QDBusConnection connection);
    void unregisterFrom(QDBusConnection connection);

    // Asks the menu to rebuild itself (its aboutToShow) and tells the host the layout changed.
    void refresh();

    uint version() const { return 3; }
    QString textDirection() const { return QStringLiteral("ltr"); }
    QString status() const { return QStringLiteral("normal"); }
    QStringList iconThemePath() const { return {}; }

    // The label as dbusmenu writes it: "_" marks the mnemonic, so a plain one is doubled, and
    // Qt's "&&" is a plain "&"; the tab before the menu's counter becomes spaces.
    static QString labelFor(const QString &qtText);

public slots:
    Q_SCRIPTABLE uint GetLayout(int parentId, int recursionDepth, const QStringList &propertyNames,
                                DBusMenuLayoutItem &layout);
    Q_SCRIPTABLE DBusMenuItemPropertiesList GetGroupProperties(const QList<int> &ids, const QStringList &propertyNames);
    Q_SCRIPTABLE QDBusVariant GetProperty(int id, const QString &name);
    Q_SCRIPTABLE void Event(int id, const QString &eventId, const QDBusVariant &data, uint timestamp);
    Q_SCRIPTABLE QList<int> EventGroup(const DBusMenuEventList &events);
    Q_SCRIPTABLE bool AboutToShow(int id);
    Q_SCRIPTABLE QList<int> AboutToShowGroup(const QList<int> &ids, QList<int> &idErrors);

signals:
    Q_SCRIPTABLE void ItemsPropertiesUpdated(const DBusMenuItemPropertiesList &updatedProps,
                                             const DBusMenuRemovedPropertiesList &removedProps);
    Q_SCRIPTABLE void LayoutUpdated(uint revision, int parent);
    Q_SCRIPTABLE void ItemActivationRequested(int id, uint timestamp);

private:
    QAction *actionFor(int id) const;
    QVariantMap propertiesOf(int id, const QStringList &names) const;
    DBusMenuLayoutItem layoutOf(int id, int depth, const QStringList &names) const;
    void rebuild();

    QPointer<QMenu> m_menu;
    uint m_revision = 1;
};
