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
    void trayLabelShowsTheStateSymbolAndTheTimeLeft()
    {
        const auto fresh = MenuBarLabelModel::make(TimerSnapshot{});
        QCOMPARE(fresh.symbol, "circle.fill");
        QCOMPARE(fresh.timeText, "25:00");
        QCOMPARE(fresh.minutesLeft(), 25);

        const auto overtime = MenuBarLabelModel::make(working(1600));
        QCOMPARE(overtime.timeText, "0:00");
        QCOMPARE(overtime.secondsLeft, 0);

        const auto waiting = MenuBarLabelModel::make(onBreak(TimerState::breakWaiting, 0));
        QCOMPARE(waiting.symbol, "exclamationmark.circle.fill");
        QCOMPARE(waiting.timeText, "5:00");

        const auto away = MenuBarLabelModel::make(onBreak(TimerState::breakActive, 241));
        QCOMPARE(away.symbol, "cup.and.saucer.fill");
        QCOMPARE(away.timeText, "0:59");
        QCOMPARE(away.minutesLeft(), 0);

        // A snooze leaves both the symbol and the work countdown.
        const auto duringSnooze = MenuBarLabelModel::make(snoozed(working(100), 1799));
        QCOMPARE(duringSnooze.symbol, "circle.fill");
        QCOMPARE(duringSnooze.timeText, "23:20");
    }

    void panelStatusFollowsTheFirstMatchingCondition_data()
    {
        QTest::addColumn<TimerSnapshot>("timer");
        QTest::addColumn<bool>("present");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("color");
        TimerSnapshot paused;
        paused.trackingPaused = true;
        QTest::newRow("snooze while working")
            << snoozed(working(10), 1799) << true << "On a meet (29:59)" << int(ColorRole::purple);
        QTest::newRow("snooze beats break and pause") << snoozed(
                                                             [] {
                                                                 auto t = onBreak(TimerState::breakWaiting, 0);
                                                                 t.trackingPaused = true;
                                                                 return t;
                                                             }(),
                                                             1800)
                                                      << true << "On a meet (30:00)" << int(ColorRole::purple);
        QTest::newRow("paused") << paused << true << "Paused" << int(ColorRole::gray);
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
        QFETCH(QString, text);
        QFETCH(int, color);
        MenuBarPanelModel::Inputs inputs;
        inputs.timer = timer;
        inputs.userPresent = present;
        const auto model = MenuBarPanelModel::make(inputs);
        QCOMPARE(model.statusText, text);
        QCOMPARE(int(model.statusColor), color);
        QCOMPARE(model.takeBreakNow.has_value(), timer.snoozeActive);
    }

    void panelOffersTakeBreakOnlyDuringASnoozeAndTheSameEntriesOtherwise()
    {
        MenuBarPanelModel::Inputs inputs;
        inputs.timer = snoozed(working(10), 60);
        inputs.currentTaskTitle = QStringLiteral("Write report");
        const auto snoozing = MenuBarPanelModel::make(inputs);
        QVERIFY(snoozing.takeBreakNow);
        QCOMPARE(snoozing.takeBreakNow->text, "Take Break Now");
        QCOMPARE(snoozing.takeBreakNow->symbol, "cup.and.saucer.fill");
        QCOMPARE(int(snoozing.takeBreakNow->color), int(ColorRole::orange));
        QCOMPARE(snoozing.currentTaskTitle, QStringLiteral("Write report"));

        inputs.timer.snoozeActive = false;
        const auto plain = MenuBarPanelModel::make(inputs);
        QVERIFY(!plain.takeBreakNow);
        QStringList texts;
        QStringList symbols;
        for (const auto &entries : {plain.sectionEntries, plain.applicationEntries}) {
            for (const auto &entry : entries) {
                texts << entry.text;
                symbols << entry.symbol;
            }
        }
        QCOMPARE(texts, QStringList({"Focus Board", "Stats", "Settings", "About Pelmix", "Quit Pelmix"}));
        QCOMPARE(symbols, QStringList({"checklist", "chart.bar.fill", "gearshape", "info.circle", "xmark.circle"}));
        QCOMPARE(MenuBarPanelModel::sectionFor(plain.sectionEntries[1].action), AppSection::stats);
        QCOMPARE(MenuBarPanelModel::sectionFor(MenuBarPanelModel::Action::quit), std::nullopt);
    }

    void longBreakCounterCountsDownToTheLongBreak_data()
    {
        QTest::addColumn<qint64>("completed");
        QTest::addColumn<qint64>("every");
        QTest::addColumn<qint64>("counter");
        QTest::newRow("start of day") << qint64(0) << qint64(4) << qint64(4);
        QTest::newRow("after three") << qint64(3) << qint64(4) << qint64(1);
        QTest::newRow("right after the long break") << qint64(4) << qint64(4) << qint64(4);
        QTest::newRow("six of every four") << qint64(6) << qint64(4) << qint64(2);
        QTest::newRow("long breaks off") << qint64(6) << qint64(0) << qint64(0);
        QTest::newRow("negative every") << qint64(6) << qint64(-2) << qint64(0);
    }

    void longBreakCounterCountsDownToTheLongBreak()
    {
        QFETCH(qint64, completed);
        QFETCH(qint64, every);
        QFETCH(qint64, counter);
        QCOMPARE(MenuBarPanelModel::longBreakCounter(completed, every), counter);
        MenuBarPanelModel::Inputs inputs;
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
        QTest::newRow("80 %") << working(1200) << "Break in"
                              << "5:00" << int(ColorRole::primary) << 0.8 << int(ColorRole::orange);
        QTest::newRow("overtime") << working(1700) << "Break in"
                                  << "0:00" << int(ColorRole::orange) << 1.0 << int(ColorRole::red);
        QTest::newRow("no interval") << working(5, 0) << "Break in"
                                     << "0:00" << int(ColorRole::orange) << 0.0 << int(ColorRole::green);
        QTest::newRow("long interval") << working(0, 5400) << "Break in"
                                       << "90:00" << int(ColorRole::primary) << 0.0 << int(ColorRole::green);
        QTest::newRow("break due") << onBreak(TimerState::breakWaiting, 60) << "Step away!"
                                   << "4:00" << int(ColorRole::red) << 0.2 << int(ColorRole::red);
        QTest::newRow("on break") << onBreak(TimerState::breakActive, 150) << "Break left"
                                  << "2:30" << int(ColorRole::orange) << 0.5 << int(ColorRole::orange);
        QTest::newRow("snooze start") << snoozed(onBreak(TimerState::breakWaiting, 0), 1800) << "On a meet"
                                      << "30:00" << int(ColorRole::purple) << 0.0 << int(ColorRole::purple);
        QTest::newRow("snooze half") << snoozed(working(10), 900) << "On a meet"
                                     << "15:00" << int(ColorRole::purple) << 0.5 << int(ColorRole::purple);
        QTest::newRow("snooze end") << snoozed(working(10), 0) << "On a meet"
                                    << "0:00" << int(ColorRole::purple) << 1.0 << int(ColorRole::purple);
    }

    void boardCountdownPicksLabelValueAndColours()
    {
        QFETCH(TimerSnapshot, timer);
        QFETCH(QString, label);
        QFETCH(QString, text);
        QFETCH(int, color);
        QFETCH(double, progress);
        QFETCH(int, barColor);
        const auto model = FocusBoardModel::make({timer, true, std::nullopt});
        QCOMPARE(model.countdownLabel, label);
        QCOMPARE(model.countdownText, text);
        QCOMPARE(int(model.countdownColor), color);
        QCOMPARE(model.progress, progress);
        QCOMPARE(int(model.progressColor), barColor);
        QCOMPARE(model.showTakeBreak, timer.snoozeActive);
    }

    void boardShowsPresenceAndTheCurrentTask()
    {
        const auto idle = FocusBoardModel::make({working(0), false, std::nullopt});
        QCOMPARE(idle.presenceSymbol, "moon.zzz.fill");
        QCOMPARE(idle.presenceText, "Idle");
        QCOMPARE(int(idle.presenceColor), int(ColorRole::gray));
        QCOMPARE(int(idle.presenceTextColor), int(ColorRole::secondary));
        QCOMPARE(idle.haloOpacity, 0.1);
        QVERIFY(!idle.taskTitle);

        const auto focused =
            FocusBoardModel::make({working(0), true, FocusBoardModel::CurrentTask{QStringLiteral("Write"), 3600}});
        QCOMPARE(focused.presenceSymbol, "keyboard.fill");
        QCOMPARE(focused.presenceText, "Active");
        QCOMPARE(int(focused.presenceColor), int(ColorRole::green));
        QCOMPARE(focused.haloOpacity, 0.2);
        QCOMPARE(focused.taskTitle, QStringLiteral("Write"));
        QCOMPARE(focused.focusTimeText, "1:00:00");
        QCOMPARE(focused.focusStateSymbol, "play.fill");

        const FocusBoardModel::CurrentTask task{QStringLiteral("Write"), 59};
        QCOMPARE(FocusBoardModel::make({working(0), false, task}).focusStateSymbol, "pause.fill");
        QCOMPARE(FocusBoardModel::make({onBreak(TimerState::breakWaiting, 0), true, task}).focusStateSymbol,
                 "pause.fill");
        QCOMPARE(FocusBoardModel::make({working(0), true, task}).focusTimeText, "0:59");
    }

    void newTaskTitlesLoseOnlySpacesAndTabs()
    {
        QCOMPARE(FocusBoardModel::trimmedTitle(" \t Write report \t "), "Write report");
        QCOMPARE(FocusBoardModel::trimmedTitle("Write  report"), "Write  report");
        QCOMPARE(FocusBoardModel::trimmedTitle("   "), "");
        QCOMPARE(FocusBoardModel::trimmedTitle("\nA\n"), "\nA\n");
        QCOMPARE(FocusBoardModel::emptyState(false).text, "Add your first task");
        QCOMPARE(FocusBoardModel::emptyState(false).symbol, "tray");
        QCOMPARE(FocusBoardModel::emptyState(true).text, "No completed tasks");
        QCOMPARE(FocusBoardModel::emptyState(true).symbol, "checkmark.circle");
    }

    void statusMarkCyclesThroughTheThreeStatuses_data()
    {
        QTest::addColumn<TodoStatus>("status");
        QTest::addColumn<QString>("symbol");
        QTest::addColumn<int>("color");
        QTest::addColumn<TodoStatus>("next");
        // focus button, trash button, active badge, struck-out title
        QTest::addColumn<QList<bool>>("flags");
        QTest::newRow("todo") << TodoStatus::todo << "circle" << int(ColorRole::secondary) << TodoStatus::inProgress
                              << QList<bool>{true, false, false, false};
        QTest::newRow("in progress") << TodoStatus::inProgress << "checkmark.circle" << int(ColorRole::orange)
                                     << TodoStatus::done << QList<bool>{false, false, true, false};
        QTest::newRow("done") << TodoStatus::done << "checkmark.circle.fill" << int(ColorRole::green)
                              << TodoStatus::todo << QList<bool>{false, true, false, true};
    }

    void statusMarkCyclesThroughTheThreeStatuses()
    {
        QFETCH(TodoStatus, status);
        QFETCH(QString, symbol);
        QFETCH(int, color);
        QFETCH(TodoStatus, next);
        QFETCH(QList<bool>, flags);
        TaskRowModel::Inputs inputs;
        inputs.status = status;
        inputs.completedAt = inputs.now.addSeconds(-59);
        const auto row = TaskRowModel::make(inputs);
        QCOMPARE(row.markSymbol, symbol);
        QCOMPARE(int(row.markColor), color);
        QCOMPARE(row.markTarget, next);
        QCOMPARE((QList<bool>{row.hasFocusButton, row.hasTrashButton, row.showActiveBadge, row.titleStruckOut}), flags);
        QCOMPARE(TaskRowModel::needsTrackingSync(status), status != TodoStatus::todo);
        if (status == TodoStatus::done) {
            QCOMPARE(int(row.titleColor), int(ColorRole::secondary));
            QCOMPARE(row.completionText, QStringLiteral("just now"));
            // The menu's texts per status are checked on the widget; Delete is drawn as destructive.
            QVERIFY(TaskRowModel::contextMenu(status).back().destructive);
        }
    }

    void onlyDoneTasksShowACompletionLine()
    {
        TaskRowModel::Inputs inputs;
        inputs.status = TodoStatus::done;
        QVERIFY(!TaskRowModel::make(inputs).completionText);
        inputs.completedAt = inputs.now.addSeconds(-7200);
        QCOMPARE(TaskRowModel::make(inputs).completionText, QStringLiteral("2 hours ago"));
        inputs.status = TodoStatus::todo;
        QVERIFY(!TaskRowModel::make(inputs).completionText);
    }

    void focusLineShowsForFocusedTimeOrTheCurrentTask()
    {
        TaskRowModel::Inputs inputs;
        QVERIFY(!TaskRowModel::make(inputs).showFocusLine);

        inputs.focusSeconds = 330;
        auto row = TaskRowModel::make(inputs);
        QVERIFY(row.showFocusLine);
        QCOMPARE(row.focusText, "5m 30s");
        QCOMPARE(int(row.focusLineColor), int(ColorRole::secondary));
        QCOMPARE(row.focusLineOpacity, 0.6);
        QVERIFY(!row.showClock);

        inputs.focusSeconds = 0;
        inputs.isCurrent = true;
        row = TaskRowModel::make(inputs);
        QVERIFY(row.showFocusLine);
        QCOMPARE(row.focusText, "0s");
        QCOMPARE(int(row.focusLineColor), int(ColorRole::blue));
        QVERIFY(!row.showClock);

        inputs.currentSessionSeconds = 1;
        inputs.focusSeconds = 1;
        QVERIFY(TaskRowModel::make(inputs).showClock);
    }

    void renameStoresOnlyANewNonEmptyTrimmedTitle()
    {
        QCOMPARE(TaskRowModel::renamedTitle("  New name\t", "Old"), QStringLiteral("New name"));
        QCOMPARE(TaskRowModel::renamedTitle("   ", "Old"), std::nullopt);
        QCOMPARE(TaskRowModel::renamedTitle("  Old  ", "Old"), std::nullopt);
        QCOMPARE(TaskRowModel::renamedTitle("old", "Old"), QStringLiteral("old"));
    }

    void everySymbolOfTheProgramHasAGlyphInTheFont()
    {
        // All the symbol names the screens use, from the tray to the about view.
        const QStringList symbols =
            QStringLiteral(
                "arrow.up.circle.fill bell.badge.fill chart.bar.fill checklist checkmark.circle "
                "checkmark.circle.fill circle circle.fill clock clock.fill cup.and.saucer cup.and.saucer.fill "
                "exclamationmark.circle.fill figure.mind.and.body flame.fill gearshape gearshape.fill hand.tap "
                "info.circle keyboard keyboard.fill laptopcomputer lock.shield moon.zzz moon.zzz.fill "
                "pause.fill play.fill plus.circle.fill target timer trash tray xmark.circle")
                .split(u' ');
        QVERIFY(SymbolGlyphs::ensureFontLoaded());
        const QFontMetrics metrics(SymbolGlyphs::font(24));
        QCOMPARE(QFontInfo(SymbolGlyphs::font(24)).family(), QString::fromLatin1(SymbolGlyphs::kFontFamily));
        for (const QString &symbol : symbols) {
            const QString glyph = SymbolGlyphs::glyph(symbol);
            QVERIFY2(glyph.size() == 1, qPrintable(symbol));
            QVERIFY2(metrics.inFont(glyph.at(0)), qPrintable(symbol));
        }
        QCOMPARE(qsizetype(SymbolGlyphs::entries().size()), symbols.size());
        QVERIFY(SymbolGlyphs::glyph(u"no.such.symbol").isEmpty());

        // A glyph really draws something.
        const QImage image = SymbolGlyphs::pixmap(u"circle.fill", 24, Qt::black).toImage();
        QCOMPARE(image.pixelColor(12, 12).alpha(), 255);
        QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
    }
};

QTEST_MAIN(UiModelsTest)
#include "tst_uimodels.moc"
