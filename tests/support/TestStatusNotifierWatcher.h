#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QStringList>

#include <optional>

// A test stand-in for a panel's StatusNotifierWatcher with a host: owns
// org.kde.StatusNotifierWatcher on the bus it is registered on, records the items that register
// and the labels they announce (XAyatanaNewLabel), as a host that draws labels would see them.
class TestStatusNotifierWatcher : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ registeredItems)
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ isHostRegistered)
    Q_PROPERTY(int ProtocolVersion READ protocolVersion)

public:
    explicit TestStatusNotifierWatcher(QObject *parent = nullptr) : QObject(parent) {}
    ~TestStatusNotifierWatcher() override { unregister(); }

    // Takes the watcher's name and path on `connection`, with a host registered already.
    bool registerOn(QDBusConnection connection);
    void unregister();

    QStringList registeredItems() const { return items; }
    bool isHostRegistered() const { return true; }
    int protocolVersion() const { return 0; }

    QStringList items;
    QStringList announcedLabels;
    int announcedToolTips = 0;
    int registrations = 0;

public slots:
    Q_SCRIPTABLE void RegisterStatusNotifierItem(const QString &service);
    Q_SCRIPTABLE void RegisterStatusNotifierHost(const QString &) {}

signals:
    Q_SCRIPTABLE void StatusNotifierItemRegistered(const QString &service);
    Q_SCRIPTABLE void StatusNotifierItemUnregistered(const QString &service);
    Q_SCRIPTABLE void StatusNotifierHostRegistered();

private slots:
    void onNewLabel(const QString &label, const QString &guide);
    void onNewToolTip();

private:
    std::optional<QDBusConnection> m_connection;
};
