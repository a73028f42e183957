// What a session gets: the Qt window system plugin the program starts on (never one that is not
// installed), the way input is observed when a compositor offers several, and the activity a
// compositor's idle and resumed notifications report.
#include "platform/linux/input/idle/IdleActivityReporter.h"
#include "platform/linux/input/InputMethodChoice.h"
#include "platform/linux/session/QtPlatformChoice.h"
#include "support/FakeMainLoop.h"

#include <QTest>

class SessionChoicesTest : public QObject {
    Q_OBJECT

private slots:
    void choice_data()
    {
        QTest::addColumn<QByteArray>("requested");
        QTest::addColumn<QByteArray>("wayland");
        QTest::addColumn<QByteArray>("x11");
        QTest::addColumn<QByteArray>("installed");
        QTest::addColumn<QByteArray>("chosen");
        QTest::addColumn<QString>("noteHas");

        QTest::newRow("X11") << QByteArray() << QByteArray() << QByteArray(":0") << QByteArray("xcb wayland")
                             << QByteArray("xcb") << QString();
        QTest::newRow("Wayland with Xwayland") << QByteArray() << QByteArray("wayland-0") << QByteArray(":0")
                                               << QByteArray("xcb wayland") << QByteArray("xcb") << QString();
        QTest::newRow("Wayland alone") << QByteArray() << QByteArray("wayland-0") << QByteArray()
                                       << QByteArray("xcb wayland") << QByteArray("wayland") << QString();
        QTest::newRow("Wayland alone, no plugin") << QByteArray() << QByteArray("wayland-0") << QByteArray()
                                                  << QByteArray("xcb") << QByteArray() << QString("qt6-wayland");
        QTest::newRow("asked for a missing one")
            << QByteArray("wayland") << QByteArray("wayland-0") << QByteArray(":0") << QByteArray("xcb")
            << QByteArray("xcb") << QString("using \"xcb\" instead");
        QTest::newRow("Qt's list form") << QByteArray("wayland;xcb") << QByteArray() << QByteArray(":0")
                                        << QByteArray("xcb") << QByteArray("xcb") << QString();
        QTest::newRow("offscreen") << QByteArray("offscreen") << QByteArray() << QByteArray()
                                   << QByteArray("offscreen xcb") << QByteArray("offscreen") << QString();
    }
    void choice()
    {
        QFETCH(QByteArray, requested);
        QFETCH(QByteArray, wayland);
        QFETCH(QByteArray, x11);
        QFETCH(QByteArray, installed);
        QFETCH(QByteArray, chosen);
        QFETCH(QString, noteHas);
        const QList<QByteArray> names = installed.split(' ');
        const auto choice =
            QtPlatformChoice::choose({requested, wayland, x11}, QSet<QByteArray>(names.begin(), names.end()));
        QCOMPARE(choice.platform, chosen);
        QVERIFY2(noteHas.isEmpty() ? choice.note.isEmpty() : choice.note.contains(noteHas), qPrintable(choice.note));
    }

    void theInstalledPluginsAreFound() { QVERIFY(QtPlatformChoice::installedPlugins().contains("offscreen")); }

    // The standard protocol first, the desktops' own after it; XInput2 alone on X11.
    void inputMethodOrder()
    {
        const auto offering = [](std::initializer_list<InputMethod> offered) {
            return [offered](InputMethod method) {
                return std::find(offered.begin(), offered.end(), method) != offered.end();
            };
        };
        using M = InputMethod;
        QCOMPARE(chooseInputMethod(true, offering({M::kdeIdle, M::mutterIdleMonitor, M::extIdleNotify})),
                 M::extIdleNotify);
        QCOMPARE(chooseInputMethod(true, offering({M::kdeIdle, M::mutterIdleMonitor})), M::mutterIdleMonitor);
        QCOMPARE(chooseInputMethod(true, offering({M::kdeIdle})), M::kdeIdle);
        QCOMPARE(chooseInputMethod(true, offering({M::x11XInput2})), M::none);
        QCOMPARE(chooseInputMethod(false, offering({M::x11XInput2, M::extIdleNotify})), M::x11XInput2);
    }

    // Active: a report a second; resumed: one at once; idle: none, and no timer.
    void idleNotificationsBecomeActivity()
    {
        FakeMainLoop loop;
        int reports = 0;
        IdleActivityReporter reporter(loop, [&reports] { ++reports; });
        loop.advance(3);
        QCOMPARE(reports, 3);
        reporter.idled();
        loop.advance(10);
        QCOMPARE(reports, 3);
        QCOMPARE(loop.activeTimerCount(), 0);
        reporter.resumed();
        QCOMPARE(reports, 4);
        loop.advance(1);
        QCOMPARE(reports, 5);
    }
};

QTEST_GUILESS_MAIN(SessionChoicesTest)
#include "tst_sessionchoices.moc"
