// The Qt window system plugin the program starts on, for the sessions and installations a user
// may have: it never names one that is not installed.
#include "platform/linux/QtPlatformChoice.h"

#include <QTest>

class QtPlatformChoiceTest : public QObject {
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
        QTest::newRow("asked for a missing one") << QByteArray("wayland") << QByteArray("wayland-0")
                                                 << QByteArray(":0") << QByteArray("xcb") << QByteArray("xcb")
                                                 << QString("using \"xcb\" instead");
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
        const auto choice = QtPlatformChoice::choose({requested, wayland, x11}, QSet<QByteArray>(names.begin(), names.end()));
        QCOMPARE(choice.platform, chosen);
        QVERIFY2(noteHas.isEmpty() ? choice.note.isEmpty() : choice.note.contains(noteHas), qPrintable(choice.note));
    }

    void theInstalledPluginsAreFound() { QVERIFY(QtPlatformChoice::installedPlugins().contains("offscreen")); }
};

QTEST_GUILESS_MAIN(QtPlatformChoiceTest)
#include "tst_qtplatformchoice.moc"
