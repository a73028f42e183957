// Session history at ten years of heavy use: 100,000 records in sessions.json.
// Measures reading the file, appending one record with its save, and one evaluation of
// every figure the statistics screen shows. Run: build/bin/bench_history [runs]
#include "platform/DataLocations.h"
#include "platform/Desktop.h"
#include "platform/InputMonitoring.h"
#include "platform/LoginItem.h"
#include "platform/NotificationCenter.h"
#include "platform/Platform.h"
#include "platform/SessionEvents.h"
#include "platform/tray/StatusItem.h"
#include "platform/tray/TrayHost.h"
#include "platform/linux/system/QtMainLoop.h"
#include "platform/linux/system/StdoutLogger.h"
#include "stats/SessionCodec.h"
#include "stats/StatsManager.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSaveFile>
#include <QSettings>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <utility>
#include <vector>

namespace {

constexpr int kRecords = 100'000;

class FolderLocations final : public DataLocations {
public:
    explicit FolderLocations(QString folder) : m_folder(std::move(folder)) {}
    QString documentsFolder() const override { return m_folder; }

private:
    QString m_folder;
};

class NoInput final : public InputMonitoring {
public:
    bool isTrusted() override { return false; }
    void promptForTrust() override {}
    std::unique_ptr<InputTap> createTap(std::function<void()>) override { return nullptr; }
};

class NoLoginItem final : public LoginItem {
public:
    std::optional<QString> registerItem() override { return std::nullopt; }
    std::optional<QString> unregisterItem() override { return std::nullopt; }
};

class NoNotifications final : public NotificationCenter {
public:
    void requestAuthorization(AuthorizationCompletion) override {}
    void setNotificationCategories(const QList<NotificationCategory> &) override {}
    void add(const NotificationRequest &, AddCompletion) override {}
    void setResponseHandler(ResponseHandler) override {}
};

class NoDesktop final : public Desktop {
public:
    std::optional<QString> askSaveFileName(const QString &, const QString &, const QStringList &) override
    {
        return std::nullopt;
    }
    int runModalAlert(const AlertRequest &) override { return kFirstButton; }
    void openUrl(const QUrl &) override {}
    void activateIgnoringOtherApps() override {}
    void terminate() override {}
};

class NoTrayHost final : public TrayHost {
public:
    std::optional<QRect> panelAt(const QPoint &) const override { return std::nullopt; }
    std::optional<QPoint> pointer() const override { return std::nullopt; }
    Look panelLook() const override { return Look::dark; }
    std::unique_ptr<StatusItem> createStatusItem(QMenu &) const override { return nullptr; }
};

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

// Wall time, and the CPU time of this thread: the machine may be busy with other work, which
// shows in the first and hardly in the second.
class Stopwatch {
public:
    Stopwatch() { restart(); }
    void restart()
    {
        m_wall.start();
        m_cpu = cpuMilliseconds();
    }
    std::pair<double, double> elapsed() const
    {
        return {static_cast<double>(m_wall.nsecsElapsed()) / 1e6, cpuMilliseconds() - m_cpu};
    }

private:
    static double cpuMilliseconds()
    {
        timespec now{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
    }

    QElapsedTimer m_wall;
    double m_cpu = 0;
};

struct Series {
    const char *name;
    double targetMs;
    std::vector<double> wall, cpu;

    void add(const Stopwatch &watch)
    {
        const auto [wallMs, cpuMs] = watch.elapsed();
        wall.push_back(wallMs);
        cpu.push_back(cpuMs);
    }
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void report(const Series &series)
{
    std::printf("%-26s wall min %7.2f  median %7.2f ms | cpu median %7.2f ms", series.name,
                *std::min_element(series.wall.begin(), series.wall.end()), median(series.wall), median(series.cpu));
    if (series.targetMs > 0)
        std::printf("  (target %.0f ms)", series.targetMs);
    std::printf("\n");
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const int runs = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 5;

    QTemporaryDir folder;
    QtMainLoop mainLoop;
    StdoutLogger log;
    QSettings preferences(QDir(folder.path()).filePath(QStringLiteral("bench.conf")), QSettings::IniFormat);
    FolderLocations locations(folder.path());
    NoInput input;
    NoLoginItem loginItem;
    NoDesktop desktop;
    NoNotifications notifications;
    SessionEvents sessionEvents;
    NoTrayHost trayHost;
    Platform platform{.mainLoop = mainLoop,
                      .log = log,
                      .preferences = preferences,
                      .locations = locations,
                      .input = input,
                      .loginItem = loginItem,
                      .desktop = desktop,
                      .notifications = notifications,
                      .sessionEvents = sessionEvents,
                      .trayHost = trayHost};

    locations.ensureDataFolder();
    const QString path = locations.dataFile(QStringLiteral("sessions.json"));
    const QByteArray original = *SessionCodec::encode(generateHistory(mainLoop.now()));
    std::printf("sessions.json: %d records, %.1f MB\n", kRecords, static_cast<double>(original.size()) / 1e6);

    Series load{"load", 250, {}, {}};
    Series appendSave{"append one + save", 150, {}, {}};
    Series queries{"all statistics queries", 5, {}, {}};
    Series decode{"  decode", 0, {}, {}};
    Series encode{"  encode", 0, {}, {}};
    Series write{"  atomic write", 0, {}, {}};
    qint64 checksum = 0;
    for (int run = 0; run < runs; ++run) {
        QFile file(path);
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(original);
        file.close();

        Stopwatch watch;
        StatsManager stats(platform);
        load.add(watch);
        if (stats.sessions().size() != kRecords) {
            std::fprintf(stderr, "read %lld records instead of %d\n", static_cast<long long>(stats.sessions().size()),
                         kRecords);
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
        watch.restart();
        const auto encoded = SessionCodec::encode(*decoded);
        encode.add(watch);
        watch.restart();
        QSaveFile saveFile(path);
        saveFile.open(QIODevice::WriteOnly);
        saveFile.write(*encoded);
        saveFile.commit();
        write.add(watch);
    }

    std::printf("%d runs\n", runs);
    report(load);
    report(appendSave);
    report(queries);
    std::printf("where the time goes:\n");
    report(decode);
    report(encode);
    report(write);
    std::printf("(checksum %lld)\n", static_cast<long long>(checksum));
    return 0;
}
