#include "ui/FocusBoardModel.h"
#include "ui/MenuBarLabelModel.h"
#include "ui/MenuBarPanelModel.h"
#include "ui/SymbolGlyphs.h"
#include "ui/TaskRowModel.h"

#include <QFontMetrics>
#include <QTest>

namespace {

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

// The decisions behind the tray, the panel, the focus board and the task rows.
class UiModelsTest : public QObject {
    Q_OBJECT

private slots:
    void trayLabelShowsTheStateSymbolAndTheTimeLeft_data()
    {
        QTest::addColumn<TimerSnapshot>("timer");
        QTest::addColumn<QString>("symbol");
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("minutes");
        QTest::newRow("fresh") << TimerSnapshot{} << "circle.fill" << "25:00" << qint64(25);
        QTest::newRow("overtime") << working(1600) << "circle.fill" << "0:00" << qint64(0);
        QTest::newRow("break due") << onBreak(TimerState::breakWaiting, 0) << "exclamationmark.circle.fill" << "5:00"
                                   << qint64(5);
        QTest::newRow("on break") << onBreak(TimerState::breakActive, 241) << "cup.and.saucer.fill" << "0:59"
                                  << qint64(0);
        // A snooze leaves both the symbol and the work countdown.
        QTest::newRow("snooze") << snoozed(working(100), 1799) << "circle.fill" << "23:20" << qint64(23);
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
        MenuBarPanelModel::Inputs inputs;
        inputs.timer = timer;
        QFETCH(bool, present);
        inputs.userPresent = present;
        const auto model = MenuBarPanelModel::make(inputs);
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
        MenuBarPanelModel::Inputs inputs;
        QFETCH(qint64, completed);
        QFETCH(qint64, every);
        QFETCH(qint64, counter);
        inputs.completedSessionsToday = completed;
        inputs.longBreakEvery = every;
        QCOMPARE(MenuBarPanelModel::make(inputs).longBreakCounterText, QString::number(counter) + QChar(0x2615));
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
        const auto model = FocusBoardModel::make({timer, true, std::nullopt});
        QTEST(model.countdownLabel, "label");
        QTEST(model.countdownText, "text");
        QTEST(int(model.countdownColor), "color");
        QTEST(model.progress, "progress");
        QTEST(int(model.progressColor), "barColor");
        QCOMPARE(model.showTakeBreak, timer.snoozeActive);
    }

    void statusMarkCyclesThroughTheThreeStatuses_data()
    {
        QTest::addColumn<TodoStatus>("status");
        QTest::addColumn<QString>("symbol");
        QTest::addColumn<TodoStatus>("next");
        // focus button, trash button, active badge, struck-out title
        QTest::addColumn<QList<bool>>("flags");
        QTest::newRow("todo") << TodoStatus::todo << "circle" << TodoStatus::inProgress
                              << QList<bool>{true, false, false, false};
        QTest::newRow("in progress") << TodoStatus::inProgress << "checkmark.circle" << TodoStatus::done
                                     << QList<bool>{false, false, true, false};
        QTest::newRow("done") << TodoStatus::done << "checkmark.circle.fill" << TodoStatus::todo
                              << QList<bool>{false, true, false, true};
    }

    void statusMarkCyclesThroughTheThreeStatuses()
    {
        TaskRowModel::Inputs inputs;
        QFETCH(TodoStatus, status);
        inputs.status = status;
        inputs.completedAt = inputs.now.addSeconds(-7200);
        const auto row = TaskRowModel::make(inputs);
        QTEST(row.markSymbol, "symbol");
        QTEST(row.markTarget, "next");
        QTEST((QList<bool>{row.hasFocusButton, row.hasTrashButton, row.showActiveBadge, row.titleStruckOut}), "flags");
        QCOMPARE(row.completionText.has_value(), status == TodoStatus::done);
        if (status == TodoStatus::done)
            QCOMPARE(*row.completionText, QStringLiteral("2 hours ago"));
    }

    void titlesAreTrimmedOfSpacesAndTabsOnly()
    {
        QCOMPARE(FocusBoardModel::trimmedTitle(" \t Write  report \t "), "Write  report");
        QCOMPARE(FocusBoardModel::trimmedTitle("\nA\n"), "\nA\n");
        QCOMPARE(TaskRowModel::renamedTitle("  New name\t", "Old"), QStringLiteral("New name"));
        QCOMPARE(TaskRowModel::renamedTitle("   ", "Old"), std::nullopt);
        QCOMPARE(TaskRowModel::renamedTitle("  Old  ", "Old"), std::nullopt);
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
};

QTEST_MAIN(UiModelsTest)
#include "tst_uimodels.moc"
