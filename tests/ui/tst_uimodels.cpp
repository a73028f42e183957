#include "platform/Instant.h"
#include "ui/common/format/CountdownText.h"
#include "ui/common/format/DurationFormat.h"
#include "ui/common/format/RelativeTimeFormat.h"
#include "ui/common/symbols/SymbolGlyphs.h"
#include "ui/common/widgets/ElidedLabel.h"
#include "ui/focus/FocusBoardModel.h"
#include "ui/settings/SettingsOptions.h"
#include "ui/stats/model/ChartAxis.h"
#include "ui/stats/model/StatsFormat.h"
#include "ui/tray/MenuBarLabelModel.h"
#include "ui/tray/panel/MenuBarPanelModel.h"

#include <QFontMetrics>
#include <QTest>

#include <ctime>

namespace {

// An instant given as wall-clock time in the test's zone (Europe/Berlin).
Instant local(int mo, int d, int h, int mi, int s = 0)
{
    return Instant::fromDateTime(QDateTime(QDate(2026, mo, d), QTime(h, mi, s)));
}

TimerSnapshot working(qint64 workSeconds, qint64 interval = 1500)
{
    TimerSnapshot timer;
    timer.workSeconds = workSeconds;
    timer.breakIntervalSeconds = interval;
    return timer;
}

TimerSnapshot onBreak(TimerState state, qint64 breakSeconds, qint64 duration = 300)
{
    TimerSnapshot timer;
    timer.state = state;
    timer.breakSeconds = breakSeconds;
    timer.breakDurationSeconds = duration;
    return timer;
}

TimerSnapshot snoozed(TimerSnapshot timer, qint64 remaining)
{
    timer.snoozeActive = true;
    timer.snoozeSecondsRemaining = remaining;
    return timer;
}

} // namespace

// The decisions behind the tray, the panel and the focus board, and the texts of the tray,
// the panels, the task rows, the statistics and the settings pickers.
class UiModelsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        qputenv("TZ", "Europe/Berlin");
        tzset();
    }

    void trayLabelShowsTheStateSymbolAndTheTimeLeft_data()
    {
        QTest::addColumn<TimerSnapshot>("timer");
        QTest::addColumn<QString>("symbol");
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("minutes");
        QTest::newRow("fresh") << TimerSnapshot{} << "circle.fill"
                               << "25:00" << qint64(25);
        QTest::newRow("overtime") << working(1600) << "circle.fill"
                                  << "0:00" << qint64(0);
        QTest::newRow("break due") << onBreak(TimerState::breakWaiting, 0) << "exclamationmark.circle.fill"
                                   << "5:00" << qint64(5);
        QTest::newRow("on break") << onBreak(TimerState::breakActive, 241) << "cup.and.saucer.fill"
                                  << "0:59" << qint64(0);
        // A snooze leaves both the symbol and the work countdown.
        QTest::newRow("snooze") << snoozed(working(100), 1799) << "circle.fill"
                                << "23:20" << qint64(23);
    }

    void trayLabelShowsTheStateSymbolAndTheTimeLeft()
    {
        QFETCH(TimerSnapshot, timer);
        const auto model = MenuBarLabelModel::make(timer);
        QTEST(model.symbol, "symbol");
        QTEST(model.timeText, "text");
        QTEST(model.minutesLeft(), "minutes");
    }

    void panelStatusFollowsTheFirstMatchingCondition_data()
    {
        QTest::addColumn<TimerSnapshot>("timer");
        QTest::addColumn<bool>("present");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("color");
        auto pausedBreak = onBreak(TimerState::breakWaiting, 0);
        pausedBreak.trackingPaused = true;
        QTest::newRow("snooze beats break and pause")
            << snoozed(pausedBreak, 1800) << true << "On a meet (30:00)" << int(ColorRole::purple);
        QTest::newRow("paused") << pausedBreak << true << "Paused" << int(ColorRole::gray);
        QTest::newRow("working, present") << working(10) << true << "Working" << int(ColorRole::green);
        QTest::newRow("working, away") << working(10) << false << "Away" << int(ColorRole::gray);
        QTest::newRow("break due") << onBreak(TimerState::breakWaiting, 0) << true << "Go away!" << int(ColorRole::red);
        QTest::newRow("on break") << onBreak(TimerState::breakActive, 20) << false << "On break"
                                  << int(ColorRole::orange);
    }

    void panelStatusFollowsTheFirstMatchingCondition()
    {
        QFETCH(TimerSnapshot, timer);
        QFETCH(bool, present);
        const auto model = MenuBarPanelModel::make({timer, present, 0, 4, std::nullopt, {}});
        QTEST(model.statusText, "text");
        QTEST(int(model.statusColor), "color");
        QCOMPARE(model.takeBreakNow.has_value(), timer.snoozeActive);
    }

    void longBreakCounterCountsDownToTheLongBreak_data()
    {
        QTest::addColumn<qint64>("completed");
        QTest::addColumn<qint64>("every");
        QTest::addColumn<qint64>("counter");
        QTest::newRow("start of day") << qint64(0) << qint64(4) << qint64(4);
        QTest::newRow("after three") << qint64(3) << qint64(4) << qint64(1);
        QTest::newRow("right after the long break") << qint64(4) << qint64(4) << qint64(4);
        QTest::newRow("long breaks off") << qint64(6) << qint64(0) << qint64(0);
    }

    void longBreakCounterCountsDownToTheLongBreak()
    {
        QFETCH(qint64, completed);
        QFETCH(qint64, every);
        QFETCH(qint64, counter);
        QCOMPARE(MenuBarPanelModel::make({{}, false, completed, every, std::nullopt, {}}).longBreakCounterText,
                 QString::number(counter) + QChar(0x2615));
    }

    void boardCountdownPicksLabelValueAndColours_data()
    {
        QTest::addColumn<TimerSnapshot>("timer");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("color");
        QTest::addColumn<double>("progress");
        QTest::addColumn<int>("barColor");
        QTest::newRow("61 s left") << working(1439) << "Break in"
                                   << "1:01" << int(ColorRole::primary) << 1439 / 1500.0 << int(ColorRole::orange);
        QTest::newRow("60 s left") << working(1440) << "Break in"
                                   << "1:00" << int(ColorRole::orange) << 0.96 << int(ColorRole::orange);
        QTest::newRow("just under 80 %") << working(1199) << "Break in"
                                         << "5:01" << int(ColorRole::primary) << 1199 / 1500.0 << int(ColorRole::green);
        QTest::newRow("overtime") << working(1700) << "Break in"
                                  << "0:00" << int(ColorRole::orange) << 1.0 << int(ColorRole::red);
        QTest::newRow("no interval") << working(5, 0) << "Break in"
                                     << "0:00" << int(ColorRole::orange) << 0.0 << int(ColorRole::green);
        QTest::newRow("break due") << onBreak(TimerState::breakWaiting, 60) << "Step away!"
                                   << "4:00" << int(ColorRole::red) << 0.2 << int(ColorRole::red);
        QTest::newRow("on break") << onBreak(TimerState::breakActive, 150) << "Break left"
                                  << "2:30" << int(ColorRole::orange) << 0.5 << int(ColorRole::orange);
        QTest::newRow("snooze half") << snoozed(working(10), 900) << "On a meet"
                                     << "15:00" << int(ColorRole::purple) << 0.5 << int(ColorRole::purple);
    }

    void boardCountdownPicksLabelValueAndColours()
    {
        QFETCH(TimerSnapshot, timer);
        const auto model = FocusBoardModel::make({timer, true, std::nullopt, {}});
        QTEST(model.countdownLabel, "label");
        QTEST(model.countdownText, "text");
        QTEST(int(model.countdownColor), "color");
        QTEST(model.progress, "progress");
        QTEST(int(model.progressColor), "barColor");
        QCOMPARE(model.showTakeBreak, timer.snoozeActive);
    }

    void everySymbolOfTheProgramHasAGlyphInTheFont()
    {
        QVERIFY(SymbolGlyphs::ensureFontLoaded());
        const QFontMetrics metrics(SymbolGlyphs::font(24));
        QCOMPARE(QFontInfo(SymbolGlyphs::font(24)).family(), QString::fromLatin1(SymbolGlyphs::kFontFamily));
        for (const auto &entry : SymbolGlyphs::entries()) {
            const QString glyph = SymbolGlyphs::glyph(QString::fromLatin1(entry.symbol));
            QVERIFY2(glyph.size() == 1 && metrics.inFont(glyph.at(0)), entry.symbol);
        }
        QVERIFY(SymbolGlyphs::glyph(u"no.such.symbol").isEmpty());
    }
    void durations_data()
    {
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<QString>("countdown");
        QTest::addColumn<QString>("compact");
        QTest::addColumn<QString>("workTime");
        QTest::newRow("zero") << qint64(0) << "0:00"
                              << "0s"
                              << "0m";
        QTest::newRow("59 s") << qint64(59) << "0:59"
                              << "59s"
                              << "0m";
        QTest::newRow("61 s") << qint64(61) << "1:01"
                              << "1m 1s"
                              << "1m";
        QTest::newRow("just under an hour") << qint64(3599) << "59:59"
                                            << "59m 59s"
                                            << "59m";
        QTest::newRow("65 min, no hours in the countdown") << qint64(3959) << "65:59"
                                                           << "1h 5m"
                                                           << "1h 5m";
        QTest::newRow("negative reads zero") << qint64(-7) << "0:00"
                                             << "0s"
                                             << "0m";
    }

    void durations()
    {
        QFETCH(qint64, seconds);
        QTEST(CountdownText::format(seconds), "countdown");
        QTEST(DurationFormat::compact(seconds), "compact");
        if (seconds >= 0)
            QTEST(StatsFormat::workTimeText(seconds), "workTime");
    }

    void relativeTimeStepsAtElapsedSeconds_data()
    {
        QTest::addColumn<double>("elapsed");
        QTest::addColumn<QString>("text");
        QTest::newRow("future") << -30.0 << "just now";
        QTest::newRow("59.9 s") << 59.9 << "just now";
        QTest::newRow("60 s") << 60.0 << "1 min ago";
        QTest::newRow("3600 s") << 3600.0 << "1 hour ago";
        QTest::newRow("7200 s") << 7200.0 << "2 hours ago";
        QTest::newRow("a day") << 86400.0 << "yesterday";
        QTest::newRow("two days") << 172800.0 << "2 days ago";
        QTest::newRow("a week") << 604800.0 << "Mar 7";
    }

    void relativeTimeStepsAtElapsedSeconds()
    {
        QFETCH(double, elapsed);
        const Instant now = Instant::fromDateTime(QDateTime(QDate(2026, 3, 14), QTime(9, 0), QTimeZone::utc()));
        QTEST(RelativeTimeFormat::format(now.addSeconds(-elapsed), now, QLocale::c(), QTimeZone::utc()), "text");
    }

    void timeRangeUsesTheLocalTwentyFourHourClock()
    {
        QCOMPARE(StatsFormat::timeRangeText(local(3, 14, 23, 50), local(3, 15, 0, 20, 59)),
                 QStringLiteral("23:50 - 00:20"));
    }

    void axisTicks_data()
    {
        QTest::addColumn<double>("maximum");
        QTest::addColumn<QStringList>("labels");
        QTest::newRow("empty week") << 0.0 << QStringList{"0.0h", "0.5h", "1.0h"};
        QTest::newRow("a short day") << 0.3 << QStringList{"0.0h", "0.1h", "0.2h", "0.3h"};
        QTest::newRow("a long day") << 7.9 << QStringList{"0.0h", "2.0h", "4.0h", "6.0h", "8.0h"};
        QTest::newRow("just over a step") << 2.01 << QStringList{"0.0h", "1.0h", "2.0h", "3.0h"};
    }
    void axisTicks()
    {
        QFETCH(double, maximum);
        QStringList shown;
        for (double tick : ChartAxis::forMaximum(maximum).ticks)
            shown << ChartAxis::label(tick);
        QTEST(shown, "labels");
    }

    void pickersShowAnUnlistedValueAsWhatItIsButNeverOfferIt_data()
    {
        QTest::addColumn<SettingsPicker>("picker");
        QTest::addColumn<qint64>("stored");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<int>("current");
        QTest::newRow("listed") << SettingsPicker::longBreak << qint64(20) << QStringList{"15 min", "20 min", "30 min"}
                                << 1;
        QTest::newRow("5s break left after developer mode was turned off")
            << SettingsPicker::shortBreak << qint64(0) << QStringList{"5s(shown only)", "5 min", "10 min"} << 0;
        QTest::newRow("idle seconds that are not whole minutes")
            << SettingsPicker::idleTimeout << qint64(90)
            << QStringList{"30 sec", "1 min", "90 sec(shown only)", "2 min"} << 2;
        QTest::newRow("one session") << SettingsPicker::longBreakEvery << qint64(1)
                                     << QStringList{"1 session(shown only)", "3 sessions", "4 sessions", "5 sessions"}
                                     << 0;
    }
    void pickersShowAnUnlistedValueAsWhatItIsButNeverOfferIt()
    {
        QFETCH(SettingsPicker, picker);
        QFETCH(qint64, stored);
        QFETCH(int, current);
        const PickerChoices choices = SettingsOptions::choices(picker, stored, false);
        QStringList labels;
        for (const PickerChoices::Entry &entry : choices.entries)
            labels << entry.option.label + (entry.selectable ? QString() : QStringLiteral("(shown only)"));
        QTEST(labels, "entries");
        QCOMPARE(choices.currentIndex, current);
        QCOMPARE(choices.entries[static_cast<size_t>(current)].option.value, stored);
    }

    // Long titles end with an ellipsis at a whole letter, on at most the lines given; the whole
    // title is the tooltip then.
    void longTitlesAreElided_data()
    {
        QTest::addColumn<int>("lines");
        QTest::newRow("one line") << 1;
        QTest::newRow("two lines") << 2;
    }
    void longTitlesAreElided()
    {
        QFETCH(int, lines);
        const QString title =
            QStringLiteral("Write the quarterly report for the board and the auditors, with every figure");
        ElidedLabel label(nullptr, lines);
        label.resize(160, 100);
        label.show();
        label.setFullText(title);
        QVERIFY(label.isElided());
        QVERIFY(label.text().endsWith(QChar(0x2026)));
        QCOMPARE(label.text().count(QLatin1Char('\n')), lines - 1);
        QCOMPARE(label.toolTip(), title);
        QCOMPARE(label.accessibleName(), title);
        const QFontMetrics metrics(label.font());
        for (const QString &line : label.text().split(QLatin1Char('\n')))
            QVERIFY(metrics.horizontalAdvance(line) <= 160);
        label.resize(2000, 100);
        QCOMPARE(label.text(), title);
        QVERIFY(label.toolTip().isEmpty());
    }
};

QTEST_MAIN(UiModelsTest)
#include "tst_uimodels.moc"
