#include "app/ScreenFactories.h"
#include "export/HistoryExport.h"
#include "stats/SessionCodec.h"
#include "support/FakeApp.h"
#include "support/TestFiles.h"

#include <QApplication>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include <ctime>

// The export's formats, and `pelmix export` as a user runs it.
class ExportTest : public QObject {
    Q_OBJECT

    static Session at(const QDateTime &start, const QString &task)
    {
        const Instant begin = Instant::fromDateTime(start);
        return Session::make(begin, begin.addSeconds(1500), 1500, SessionType::work, true, task);
    }

private slots:
    void csvFieldsAreQuotedAndNeverFormulas_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("field");
        QTest::newRow("plain") << "Write report"
                               << "Write report";
        QTest::newRow("comma") << "a, b"
                               << "\"a, b\"";
        QTest::newRow("quote") << "say \"hi\""
                               << "\"say \"\"hi\"\"\"";
        QTest::newRow("line break") << "one\ntwo"
                                    << "\"one\ntwo\"";
        for (const char *start : {"=", "+", "-", "@", "\t", "\r"})
            QTest::addRow("formula %d", int(*start))
                << QString::fromLatin1(start) + "1+1"
                << (*start == '\r' ? "\"'\r1+1\"" : "'" + QString::fromLatin1(start) + "1+1");
    }
    void csvFieldsAreQuotedAndNeverFormulas()
    {
        QFETCH(QString, text);
        QFETCH(QString, field);
        QCOMPARE(HistoryExport::csvField(text), field);
    }

    // Local times with the offset of their day, across the spring clock change in Berlin; the
    // range takes whole calendar days.
    void sessionsOfTheChosenDaysInLocalTime()
    {
        const QList<Session> sessions{at(QDateTime(QDate(2026, 3, 28), QTime(23, 50)), "before"),
                                      at(QDateTime(QDate(2026, 3, 29), QTime(9, 0)), "on the day"),
                                      at(QDateTime(QDate(2026, 3, 30), QTime(0, 0)), "after")};
        const QByteArray csv =
            HistoryExport::sessions(sessions, HistoryExport::Format::csv, {QDate(2026, 3, 29), QDate(2026, 3, 29)});
        QCOMPARE(csv, QByteArray("start,end,duration_seconds,type,completed,task\r\n"
                                 "2026-03-29T09:00:00+02:00,2026-03-29T09:25:00+02:00,1500,work,true,on the day\r\n"));
        const QByteArray json =
            HistoryExport::sessions(sessions, HistoryExport::Format::json, {QDate(2026, 3, 29), {}});
        QCOMPARE(SessionCodec::decode(json), sessions.mid(1));
    }

    // "Export…" on the statistics screen saves the whole history where the user chose, in the
    // format of the name.
    void theStatisticsScreenSavesWhereTheUserChooses()
    {
        FakeApp app{onboarded};
        app.stats.appendSession(at(QDateTime(QDate(2026, 3, 29), QTime(9, 0)), "task"));
        QTemporaryDir folder;
        app.fake.desktop.saveFileName = folder.filePath("march.json");
        const std::unique_ptr<QWidget> view(screenFactories(app.appState, app.fake.platform()).stats(nullptr));
        QTest::mouseClick(view->findChild<QPushButton *>("export"), Qt::LeftButton);
        QCOMPARE(SessionCodec::decode(readFile(*app.fake.desktop.saveFileName)), app.stats.sessions().value());
    }

    // The real program: exit codes, the file written whole or not at all, the data left alone.
    void theCommandAsAUserRunsIt_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("output");
        QTest::addColumn<bool>("readable");
        QTest::newRow("csv") << QStringList{"export"} << 0 << "2026-03-29T09:00:00+02:00" << true;
        QTest::newRow("unreadable history") << QStringList{"export"} << 1 << "" << false;
        QTest::newRow("bad date") << QStringList{"export", "--from", "29.3.2026"} << 1 << "" << true;
        QTest::newRow("bad format") << QStringList{"export", "--format", "xls"} << 1 << "" << true;
        QTest::newRow("unknown command") << QStringList{"exprot"} << 2 << "" << true;
        QTest::newRow("unknown option") << QStringList{"export", "--since", "2026-03-01"} << 2 << "" << true;
        QTest::newRow("unwritable output") << QStringList{"export", "-o", "/proc/pelmix.csv"} << 1 << "" << true;
    }
    void theCommandAsAUserRunsIt()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, output);
        QFETCH(bool, readable);
        QTemporaryDir home;
        const QString history = home.filePath("Documents/Pelmix/sessions.json");
        const QByteArray stored = readable
                                      ? *SessionCodec::encode({at(QDateTime(QDate(2026, 3, 29), QTime(9, 0)), "task")})
                                      : QByteArray("[{\"id\":");
        writeFile(history, stored);
        QProcess pelmix;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("HOME", home.path());
        environment.insert("TZ", "Europe/Berlin");
        pelmix.setProcessEnvironment(environment);
        pelmix.start(PELMIX_BINARY, arguments);
        QVERIFY(pelmix.waitForFinished(10000));
        QCOMPARE(pelmix.exitCode(), exitCode);
        QVERIFY(QString::fromUtf8(pelmix.readAllStandardOutput()).contains(output));
        QCOMPARE(pelmix.readAllStandardError().isEmpty(), exitCode == 0);
        QCOMPARE(readFile(history), stored);
    }
};

int main(int argc, char *argv[])
{
    qputenv("TZ", "Europe/Berlin");
    tzset();
    QApplication application(argc, argv);
    ExportTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_export.moc"
