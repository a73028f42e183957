#include "stats/StatsManager.h"
#include "support/FakePlatform.h"
#include "ui/common/symbols/SymbolLabel.h"
#include "ui/stats/SessionHistoryCard.h"
#include "ui/stats/SessionRow.h"
#include "ui/stats/StatBox.h"
#include "ui/stats/StatsView.h"
#include "ui/stats/TodaySummaryCard.h"
#include "ui/stats/WeeklyChart.h"
#include "ui/stats/WeeklyChartCard.h"
#include "ui/stats/model/StatsPresentation.h"

#include <QLabel>
#include <QTest>

#include <ctime>

namespace {
// An instant given as wall-clock time in the test's zone (Europe/Berlin).
Instant local(int d, int h, int mi, int mo = 3)
{
    return Instant::fromDateTime(QDateTime(QDate(2026, mo, d), QTime(h, mi)));
}

Session work(Instant start, qint64 seconds, bool completed = true, std::optional<QString> task = std::nullopt)
{
    return Session::make(start, start.addSeconds(static_cast<double>(seconds)), seconds, SessionType::work, completed,
                         std::move(task));
}

Session pause(Instant start, qint64 seconds, bool completed = true)
{
    return Session::make(start, start.addSeconds(static_cast<double>(seconds)), seconds, SessionType::breakSession,
                         completed);
}

struct Screen {
    FakePlatform fake;
    std::unique_ptr<StatsManager> stats;
    std::unique_ptr<StatsView> view;

    explicit Screen(Instant now = local(14, 18, 0))
    {
        fake.mainLoop.setNow(now);
        stats = std::make_unique<StatsManager>(fake.platform());
    }
    void open() { view = std::make_unique<StatsView>(*stats, fake.mainLoop); }

    QStringList tiles() const
    {
        QStringList result;
        for (StatBox *box : view->summary()->tiles())
            result << box->title() + "=" + box->value();
        return result;
    }
    QStringList rows() const
    {
        QStringList result;
        for (SessionRow *row : view->history()->rows()) {
            QStringList parts;
            for (const char *name : {"timeRange", "type", "taskTitle", "duration"}) {
                if (auto *label = row->findChild<QLabel *>(name))
                    parts << label->text();
            }
            parts << row->findChild<SymbolLabel *>("completion")->symbol();
            result << parts.join(" | ");
        }
        return result;
    }
    const StatsPresentation::WeeklyChart &chart() const { return view->weeklyChart()->chart()->chart(); }
};
} // namespace

class StatsViewTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        qputenv("TZ", "Europe/Berlin");
        tzset();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    void todaysSessionsInTilesAndRows()
    {
        Screen screen;
        screen.stats->appendSession(work(local(14, 9, 0), 1500, true, QStringLiteral("Write report")));
        screen.stats->appendSession(pause(local(14, 9, 26), 300));
        screen.stats->appendSession(work(local(14, 10, 0), 42, false));   // closed by a long absence
        screen.stats->appendSession(pause(local(14, 11, 0), 120, false)); // open at termination
        screen.open();
        QCOMPARE(screen.tiles(), (QStringList{"Work Time=25m", "Sessions=1", "Breaks=1", "Streak=0"}));
        QCOMPARE(screen.rows(), (QStringList{
                                    "09:00 - 09:25 | Work | Write report | 25 min | checkmark.circle.fill",
                                    "09:26 - 09:31 | Break | 5 min | checkmark.circle.fill",
                                    "10:00 - 10:00 | Work | 42 sec | xmark.circle",
                                    "11:00 - 11:02 | Break | 2 min | xmark.circle",
                                }));
    }

    // Across the night the clocks go forward, and again after the 23-hour day that follows.
    void theScreenMovesOnAtEachLocalMidnight()
    {
        Screen screen(local(28, 23, 0));
        screen.stats->appendSession(work(local(28, 9, 0), 1500));
        screen.open();
        screen.fake.mainLoop.advance(3599);
        QCOMPARE(screen.tiles().first(), QStringLiteral("Work Time=25m"));
        screen.fake.mainLoop.advance(1);
        QCOMPARE(screen.tiles(), (QStringList{"Work Time=0m", "Sessions=0", "Breaks=0", "Streak=0"}));
        QCOMPARE(screen.chart().bars.back().weekday, QStringLiteral("Sun"));
        QCOMPARE(screen.chart().bars[5].hours, 1500 / 3600.0);
        screen.stats->appendSession(work(local(29, 9, 0), 600));
        QCOMPARE(screen.tiles().first(), QStringLiteral("Work Time=10m"));
        screen.fake.mainLoop.advance(23 * 3600);
        QCOMPARE(screen.tiles().first(), QStringLiteral("Work Time=0m"));
        QCOMPARE(screen.chart().bars.back().weekday, QStringLiteral("Mon"));
    }
};

QTEST_MAIN(StatsViewTest)
#include "tst_statsview.moc"
