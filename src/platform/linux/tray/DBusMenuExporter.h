#pragma once

#include "DBusMenuTypes.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSet>

class QAction;
class QMenu;

// Publishes a QMenu as com.canonical.dbusmenu, the menu of a StatusNotifierItem for hosts that
// draw menus themselves (XFCE, MATE, GNOME's AppIndicator extension, Plasma, LXQt). Each entry
// keeps one id for its life, so a host may act on an entry while the menu changes; a change
// of an entry is sent as ItemsPropertiesUpdated for that entry alone. A call that names no
// entry is answered with a D-Bus error.
class DBusMenuExporter : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.canonical.dbusmenu")
    Q_PROPERTY(uint Version READ version)
    Q_PROPERTY(QString TextDirection READ textDirection)
    Q_PROPERTY(QString Status READ status)
    Q_PROPERTY(QStringList IconThemePath READ iconThemePath)

public:
    static inline const QString kPath = QStringLiteral("/MenuBar");
    static inline const QString kUnknownIdError = QStringLiteral("com.canonical.dbusmenu.UnknownId");

    explicit DBusMenuExporter(QMenu &menu, QObject *parent = nullptr);

    bool registerOn(QDBusConnection connection);
    void unregisterFrom(QDBusConnection connection);

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

    // Not exported: the host is about to show the menu, or it opened or closed it.
    void aboutToShowRequested();
    void hostMenuOpened(bool open);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool isKnown(int id) const;
    int idOf(QAction *action);
    QAction *actionFor(int id) const;
    QVariantMap propertiesOf(int id) const;
    static QVariantMap selected(const QVariantMap &properties, const QStringList &names);
    DBusMenuLayoutItem layoutOf(int id, int depth, const QStringList &names);
    bool handleEvent(int id, const QString &eventId);
    void failUnknown(int id);
    void sendChanges();

    QPointer<QMenu> m_menu;
    uint m_revision = 1;
    int m_nextId = 1;
    QHash<QAction *, int> m_ids;
    // What the host was last told of each entry, to send only what changed.
    QHash<int, QVariantMap> m_sent;
    QSet<int> m_changed;
    bool m_changesPending = false;
    bool m_layoutChanged = false;
};
