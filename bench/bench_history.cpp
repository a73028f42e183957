// Session history at ten years of heavy use: 100,000 records in sessions.json.
// Measures reading the file, appending one record with its save, and one evaluation of
// every figure the statistics screen shows. Run: build/bin/bench_history [runs]
// (build/bin/bench_history --write FILE writes the generated history to FILE instead).
#include "QuietPlatform.h"
#include "Stopwatch.h"
#include "stats/SessionCodec.h"
#include "stats/StatsManager.h"

#include <QCoreApplication>
#include <QFile>

using namespace bench;

namespace {

constexpr int kRecords = 100'000;

// A working day of 25-minute sessions and 5-minute breaks, going back from now, with a
// few sessions cut short, some without a task title, and every fifth break long.
QList<Session> generateHistory(Instant now)
{
    const QStringList titles{QStringLiteral("Write report"), QStringLiteral("Review the \"Q3\" plan"),
                             QStringLiteral("Übersetzung prüfen"), QStringLiteral("Inbox")};
    QList<Session> sessions;
    sessions.reserve(kRecords);
    Instant start = now.addSeconds(-static_cast<double>(kRecords) / 28.0 * 86400.0);
    for (int i = 0; i < kRecords; ++i) {
        const bool work = i % 2 == 0;
        const qint64 duration = work ? 1500 : (i % 10 == 9 ? 900 : 300);
        const double elapsed = static_cast<double>(duration) + 37.25 + (i % 7) * 11.5;
        const bool completed = i % 13 != 0;
        std::optional<QString> title;
        if (work && i % 3 != 0)
            title = titles[i % titles.size()];
        sessions.append(Session::make(start, start.addSeconds(elapsed), duration,
                                      work ? SessionType::work : SessionType::breakSession, completed, title));
        start = start.addSeconds(elapsed + (i % 28 == 27 ? 86400.0 - 28 * 1700.0 : 0.0));
    }
    return sessions;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const int runs = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 5;
    if (argc > 2 && QByteArrayView(argv[1]) == "--write") {
        // The generated history alone, for measuring the whole program over it.
        QFile out(QString::fromLocal8Bit(argv[2]));
        QtMainLoop clock;
        return out.open(QIODevice::WriteOnly) && out.write(*SessionCodec::encode(generateHistory(clock.now()))) > 0 ? 0 : 1;
    }

    QTemporaryDir folder;
    bench::QuietPlatform quiet;
    Platform &platform = quiet.platform;
    QtMainLoop &mainLoop = quiet.mainLoop;
    FolderLocations &locations = quiet.locations;
    const QString path = locations.dataFile(QStringLiteral("sessions.json"));
    const QByteArray original = *SessionCodec::encode(generateHistory(mainLoop.now()));
    std::printf("sessions.json: %d records, %.1f MB\n", kRecords, static_cast<double>(original.size()) / 1e6);

    Series load{"load", 250, {}, {}};
    Series appendSave{"append one + save", 150, {}, {}};
    Series queries{"all statistics queries", 5, {}, {}};
    Series decode{"  decode", 0, {}, {}};
    qint64 checksum = 0;
    for (int run = 0; run < runs; ++run) {
        QFile file(path);
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(original);
        file.close();

        Stopwatch watch;
        StatsManager stats(platform);
        // The first figure asked for reads the file.
        checksum += stats.todayWorkSeconds();
        load.add(watch);
        if (const qsizetype read = stats.sessions().value().size(); read != kRecords) {
            std::fprintf(stderr, "read %lld records instead of %d\n", static_cast<long long>(read), kRecords);
            return 1;
        }

        const Instant now = mainLoop.now();
        watch.restart();
        stats.appendSession(
            Session::make(now.addSeconds(-1500), now, 1500, SessionType::work, true, QStringLiteral("Write report")));
        appendSave.add(watch);

        // What the statistics screen evaluates on each redraw.
        watch.restart();
        checksum += stats.todayWorkSeconds();
        checksum += stats.completedWorkSessionsToday();
        checksum += stats.completedBreaksToday();
        checksum += stats.currentStreak();
        const QList<DailyWork> week = stats.weeklyData();
        checksum += static_cast<qint64>(week.size() + week.last().workHours);
        checksum += stats.todaySessions().size();
        queries.add(watch);

        watch.restart();
        const auto decoded = SessionCodec::decode(original);
        decode.add(watch);
        checksum += decoded ? decoded->size() : 0;
    }

    std::printf("%d runs\n", runs);
    report(load);
    report(appendSave);
    report(queries);
    std::printf("where the time goes:\n");
    report(decode);
    std::printf("(checksum %lld)\n", static_cast<long long>(checksum));
    return 0;
}
