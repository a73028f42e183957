// The tray item where the panel hosts StatusNotifierItems, seen from a test watcher on a private
// bus as a host sees it: registration when the watcher appears after the program, the label
// and icon, once a minute, the menu over dbusmenu, and the way back to the XEmbed icon.
#include "hold/BreakHold.h"
#include "platform/linux/tray/DBusMenuTypes.h"
#include "platform/linux/tray/StatusNotifierItem.h"
#include "platform/linux/tray/StatusNotifierTypes.h"
#include "support/FakeApp.h"
#include "support/PrivateSessionBus.h"
#include "support/TestStatusNotifierWatcher.h"
#include "ui/tray/MenuBarLabel.h"
#include "ui/tray/TrayItem.h"
#include "ui/tray/panel/TrayActions.h"

#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTest>

class SniTrayTest : public QObject {
    Q_OBJECT

    PrivateSessionBus m_bus;
    QString m_item;

    QDBusMessage callItem(const QString &path, const QString &interface, const QString &method,
                          const QVariantList &arguments = {})
    {
        QDBusMessage call = QDBusMessage::createMethodCall(m_item, path, interface, method);
        call.setArguments(arguments);
        // The item answers on this thread: wait with its events processed.
        return QDBusConnection(QStringLiteral("host")).call(call, QDBus::BlockWithGui);
    }

    QVariantMap itemProperties()
    {
        const QDBusMessage reply =
            callItem(QStringLiteral("/StatusNotifierItem"), QStringLiteral("org.freedesktop.DBus.Properties"),
                     QStringLiteral("GetAll"), {QStringLiteral("org.kde.StatusNotifierItem")});
        return qdbus_cast<QVariantMap>(reply.arguments().value(0));
    }

    // The labels of the menu's entries as a host opening the menu draws them ("---" for a
    // separator).
    QStringList menuLabels(QList<int> *ids = nullptr)
    {
        callItem(QStringLiteral("/MenuBar"), QStringLiteral("com.canonical.dbusmenu"), QStringLiteral("AboutToShow"),
                 {0});
        const QDBusMessage reply = callItem(QStringLiteral("/MenuBar"), QStringLiteral("com.canonical.dbusmenu"),
                                            QStringLiteral("GetLayout"), {0, -1, QStringList()});
        const auto root = qdbus_cast<DBusMenuLayoutItem>(reply.arguments().value(1));
        QStringList labels;
        for (const DBusMenuLayoutItem &entry : root.children) {
            if (!entry.properties.value("visible", true).toBool())
                continue;
            labels << (entry.properties.value("type") == "separator" ? QStringLiteral("---")
                                                                     : entry.properties.value("label").toString());
            if (ids)
                ids->append(entry.id);
        }
        return labels;
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(m_bus.isRunning(), qPrintable(m_bus.errorString()));
        registerStatusNotifierTypes();
        registerDBusMenuTypes();
    }

    void hostSeesLabelIconAndMenuAndActivates()
    {
        FakeApp app{onboarded};
        TrayActions actions(app.appState, app.fake.desktop, {});
        app.fake.trayHost.statusItems = [this](QMenu &menu) {
            return std::make_unique<StatusNotifierItem>(m_bus.connect(QStringLiteral("app")), menu);
        };
        TrayItem tray(app.appState, actions, app.fake.trayHost);
        // No panel yet, as at login: the XEmbed icon stands in.
        QTRY_VERIFY(tray.icon().isVisible());

        TestStatusNotifierWatcher watcher;
        QVERIFY(watcher.registerOn(m_bus.connect(QStringLiteral("host"))));
        QTRY_COMPARE(watcher.items.size(), 1);
        m_item = watcher.items.first();
        // A watcher announces its host as it comes up: still one registration, or hosts drop the item.
        QSignalSpy probed(&tray.statusItem(), &StatusItem::hostProbed);
        emit watcher.StatusNotifierHostRegistered();
        QVERIFY(probed.wait());
        // The program's next message reaches the watcher after anything it sent before.
        const QDBusPendingCall trip =
            QDBusConnection(QStringLiteral("app"))
                .asyncCall(QDBusMessage::createMethodCall("org.kde.StatusNotifierWatcher", "/StatusNotifierWatcher",
                                                          "org.freedesktop.DBus.Properties", "GetAll")
                           << QStringLiteral("org.kde.StatusNotifierWatcher"));
        QTRY_VERIFY(trip.isFinished());
        QCOMPARE(watcher.registrations, 1);
        QTRY_VERIFY(!tray.icon().isVisible());

        QVariantMap properties = itemProperties();
        QCOMPARE(properties.value("Id").toString(), "pelmix");
        QCOMPARE(properties.value("Status").toString(), "Active");
        QCOMPARE(properties.value("XAyatanaLabel").toString(), "25 min");
        QCOMPARE(properties.value("Menu").value<QDBusObjectPath>().path(), "/MenuBar");
        QCOMPARE(qdbus_cast<StatusNotifierToolTip>(properties.value("ToolTip")).text, "25:00");
        const auto pixmaps = qdbus_cast<StatusNotifierPixmaps>(properties.value("IconPixmap"));
        QCOMPARE(pixmaps.size(), 5);
        // Network byte order: the host gets back exactly the icon the tray draws.
        QCOMPARE(pixmaps[1].toImage(), MenuBarLabel::renderIcon(tray.label().model(), 22, TrayHost::Look::dark)
                                           .convertToFormat(QImage::Format_ARGB32));

        // Once a minute, not every second; the tooltip still has the exact time when asked.
        app.startPresent();
        app.work(1);
        app.work(59);
        properties = itemProperties();
        QCOMPARE(properties.value("XAyatanaLabel").toString(), "24 min");
        QCOMPARE(qdbus_cast<StatusNotifierToolTip>(properties.value("ToolTip")).text, "24:00");
        QCOMPARE(watcher.announcedLabels, QStringList{"24 min"});
        app.work(1);
        QTRY_COMPARE(watcher.announcedLabels, QStringList({"24 min", "23 min"}));
        // Why reminders wait is announced at once, not with the next minute.
        const int toolTips = watcher.announcedToolTips;
        app.fake.holdSources.set(HoldSources::Source::camera, HoldSources::Reading::inUse);
        QTRY_COMPARE(watcher.announcedToolTips, toolTips + 1);
        QCOMPARE(qdbus_cast<StatusNotifierToolTip>(itemProperties().value("ToolTip")).text,
                 "23:59\nHolding reminders: camera in use");

        // The menu has today's entries, with dbusmenu's mnemonic escaping, and they act.
        app.addCurrentTask("Fix & ship_it");
        app.timer().snooze(30);
        QList<int> ids;
        const QStringList labels = menuLabels(&ids);
        QCOMPARE(labels, QStringList({QString("On a meet (30:00)   4") + QChar(0x2615), "Fix & ship__it",
                                      "Take Break Now", "Holding reminders: camera in use", "Remind me anyway", "---",
                                      "Focus Board", "Stats", "Settings", "---", "About Pelmix", "Quit Pelmix"}));
        const auto click = [&](const char *label) {
            callItem("/MenuBar", "com.canonical.dbusmenu", "Event",
                     {ids.at(labels.indexOf(label)), "clicked", QVariant::fromValue(QDBusVariant(0)), 0u});
        };
        click("Settings");
        QTRY_COMPARE(app.appState.selectedSection(), AppSection::settings);
        click("Remind me anyway");
        QTRY_VERIFY(!app.appState.breakHold().held());
        // XFCE's panel sends its clicks as a group; an id the menu never had is an error.
        const DBusMenuEventList quit{{ids.at(labels.indexOf("Quit Pelmix")), "clicked", QDBusVariant(0), 0u}};
        const QDBusMessage group =
            callItem("/MenuBar", "com.canonical.dbusmenu", "EventGroup", {QVariant::fromValue(quit)});
        QCOMPARE(group.type(), QDBusMessage::ReplyMessage);
        QTRY_COMPARE(app.fake.desktop.terminations, 1);
        const QDBusMessage unknown = callItem("/MenuBar", "com.canonical.dbusmenu", "Event",
                                              {999, "clicked", QVariant::fromValue(QDBusVariant(0)), 0u});
        QCOMPARE(unknown.errorName(), "com.canonical.dbusmenu.UnknownId");

        // The panel quits: back to the XEmbed icon, and the item is off the bus.
        watcher.unregister();
        QTRY_VERIFY(tray.icon().isVisible());
        QVERIFY(!tray.statusItem().isPublished());
    }
};

QTEST_MAIN(SniTrayTest)
#include "tst_sni_tray.moc"
