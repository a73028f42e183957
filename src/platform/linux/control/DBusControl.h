#pragma once

#include "platform/RemoteControl.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QObject>

#include <optional>

// The program on the session bus: org.pelmix.Pelmix, object /org/pelmix/Pelmix, interface
// org.pelmix.Pelmix1 (docs/dbus.md). Properties announce a change with PropertiesChanged when
// their value changes, never for the countdown itself: SecondsLeft is read, DueAt announced.
class DBusControl final : public QObject, public QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.pelmix.Pelmix1")
    // As docs/dbus.md shows it (a test holds the two together).
    Q_CLASSINFO("D-Bus Introspection", "  <interface name=\"org.pelmix.Pelmix1\">\n"
"    <property name=\"State\" type=\"s\" access=\"read\"/>\n"
"    <property name=\"SecondsLeft\" type=\"x\" access=\"read\">\n"
"      <annotation name=\"org.freedesktop.DBus.Property.EmitsChangedSignal\" value=\"false\"/>\n"
"    </property>\n"
"    <property name=\"PhaseSeconds\" type=\"x\" access=\"read\"/>\n"
"    <property name=\"DueAt\" type=\"x\" access=\"read\"/>\n"
"    <property name=\"CompletedSessionsToday\" type=\"x\" access=\"read\"/>\n"
"    <property name=\"CurrentTask\" type=\"s\" access=\"read\"/>\n"
"    <property name=\"Presence\" type=\"s\" access=\"read\"/>\n"
"    <method name=\"TakeBreak\"/>\n"
"    <method name=\"Snooze\">\n"
"      <arg name=\"minutes\" type=\"u\" direction=\"in\"/>\n"
"    </method>\n"
"    <method name=\"Show\">\n"
"      <arg name=\"section\" type=\"s\" direction=\"in\"/>\n"
"    </method>\n"
"    <method name=\"Quit\"/>\n"
"    <method name=\"Export\">\n"
"      <arg name=\"format\" type=\"s\" direction=\"in\"/>\n"
"      <arg name=\"from\" type=\"s\" direction=\"in\"/>\n"
"      <arg name=\"to\" type=\"s\" direction=\"in\"/>\n"
"      <arg name=\"text\" type=\"s\" direction=\"out\"/>\n"
"    </method>\n"
"  </interface>\n")
    Q_PROPERTY(QString State READ state)
    Q_PROPERTY(qlonglong SecondsLeft READ secondsLeft)
    Q_PROPERTY(qlonglong PhaseSeconds READ phaseSeconds)
    Q_PROPERTY(qlonglong DueAt READ dueAt)
    Q_PROPERTY(qlonglong CompletedSessionsToday READ completedSessionsToday)
    Q_PROPERTY(QString CurrentTask READ currentTask)
    Q_PROPERTY(QString Presence READ presence)

public:
    static inline const QString kService = QStringLiteral("org.pelmix.Pelmix");
    static inline const QString kPath = QStringLiteral("/org/pelmix/Pelmix");
    static inline const QString kInterface = QStringLiteral("org.pelmix.Pelmix1");

    // Registers the object and takes the name; `connection` is the session bus.
    DBusControl(RemoteControl &control, QDBusConnection connection, QObject *parent = nullptr);
    ~DBusControl() override;

    QString state() const { return read().state; }
    qlonglong secondsLeft() const { return read().secondsLeft; }
    qlonglong phaseSeconds() const { return read().phaseSeconds; }
    qlonglong dueAt() const { return announced().dueAt; }
    qlonglong completedSessionsToday() const { return read().completedSessionsToday; }
    QString currentTask() const { return read().currentTask; }
    QString presence() const { return read().presence; }

public slots:
    Q_SCRIPTABLE void TakeBreak();
    Q_SCRIPTABLE void Snooze(uint minutes);
    Q_SCRIPTABLE void Show(const QString &section);
    Q_SCRIPTABLE void Quit();
    Q_SCRIPTABLE QString Export(const QString &format, const QString &from, const QString &to);

private:
    void announceChanges();
    // What changes are told against. Taken when a client first reads a property, not at
    // start: a client that has read nothing holds nothing a change could make stale, and the
    // status needs the history, which is read once the program is on screen.
    const RemoteControl::Status &announced() const;
    // The status now, for a property read; the first read also sets what changes are told against.
    RemoteControl::Status read() const;

    RemoteControl &m_control;
    QDBusConnection m_connection;
    mutable std::optional<RemoteControl::Status> m_announced;
};
