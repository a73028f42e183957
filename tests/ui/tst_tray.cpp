#include "support/FakeApp.h"
#include "ui/MainAppView.h"
#include "ui/MenuBarLabel.h"
#include "ui/MenuBarView.h"
#include "ui/MenuButton.h"
#include "ui/TrayActions.h"
#include "ui/TrayItem.h"

#include <QLabel>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTest>

namespace {

QStringList actionTexts(const QMenu &menu)
{
    QStringList texts;
    for (QAction *action : menu.actions())
        texts << (action->isSeparator() ? QStringLiteral("---") : action->text());
    return texts;
}

int opaquePixels(const QImage &image, const QRect &area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.pixelColor(x, y).alpha() > 128 ? 1 : 0;
    return count;
}

} // namespace

// The tray item: its drawn label, its panel and its menu.
class TrayTest : public QObject {
    Q_OBJECT

private slots:
    void labelRedrawsTheIconOnlyWhenTheMinutesChange()
    {
        FakeApp app{onboarded};
        QSystemTrayIcon icon;
        MenuBarLabel label(app.appState.workTimer(), app.todos, icon);
        QCOMPARE(icon.toolTip(), "25:00");
        QCOMPARE(label.iconRenderCount(), 1);

        app.startPresent();
        app.work(1);
        QCOMPARE(icon.toolTip(), "24:59");
        QCOMPARE(label.iconRenderCount(), 2);
        app.work(59);
        QCOMPARE(icon.toolTip(), "24:00");
        QCOMPARE(label.iconRenderCount(), 2);
        app.work(1);
        QCOMPARE(icon.toolTip(), "23:59");
        QCOMPARE(label.iconRenderCount(), 3);

        // A snooze changes neither the symbol nor the countdown.
        app.appState.workTimer().snooze(30);
        QCOMPARE(label.model().symbol, "circle.fill");
        QCOMPARE(icon.toolTip(), "23:59");
    }

    void iconDrawsTheSymbolAboveTheMinutes()
    {
        MenuBarLabelModel model = MenuBarLabelModel::make(TimerSnapshot{});
        const QImage at25 = MenuBarLabel::renderIcon(model, 22);
        QCOMPARE(at25.size(), QSize(22, 22));
        QVERIFY(opaquePixels(at25, QRect(0, 0, 22, 10)) > 10);
        QVERIFY(opaquePixels(at25, QRect(0, 12, 22, 10)) > 10);

        TimerSnapshot later;
        later.workSeconds = 600;
        QVERIFY(MenuBarLabel::renderIcon(MenuBarLabelModel::make(later), 22) != at25);
        later.state = TimerState::breakActive;
        later.breakSeconds = 0;
        QVERIFY(MenuBarLabel::renderIcon(MenuBarLabelModel::make(later), 22) != at25);
        // Three-digit minutes still fit.
        later.state = TimerState::working;
        later.breakIntervalSeconds = 120 * 60;
        later.workSeconds = 0;
        QVERIFY(opaquePixels(MenuBarLabel::renderIcon(MenuBarLabelModel::make(later), 22), QRect(0, 12, 22, 10)) > 10);
    }

    void panelShowsStatusTaskAndTakeBreakWhileSnoozing()
    {
        FakeApp app{onboarded};
        TrayActions actions(app.appState, app.fake.desktop, {});
        MenuBarView panel(app.appState, app.appState.workTimer(), actions);
        panel.setAttribute(Qt::WA_DeleteOnClose, false);
        QCOMPARE(panel.width(), MenuBarView::kWidth);
        QCOMPARE(panel.model().statusText, "Away");
        QCOMPARE(panel.model().longBreakCounterText, QString("4") + QChar(0x2615));
        QCOMPARE(panel.model().currentTaskTitle, std::nullopt);

        const QUuid id = app.addTask("Write");
        app.todos.setStatus(id, TodoStatus::inProgress);
        QCOMPARE(panel.model().currentTaskTitle, QStringLiteral("Write"));
        app.startPresent();
        QCOMPARE(panel.model().statusText, "Working");

        panel.show();
        QVERIFY(!panel.button("Take Break Now")->isVisible());
        app.appState.workTimer().snooze(30);
        QCOMPARE(panel.model().statusText, "On a meet (30:00)");
        QVERIFY(panel.button("Take Break Now")->isVisible());
        QTest::mouseClick(panel.button("Take Break Now"), Qt::LeftButton);
        QCOMPARE(app.appState.workTimer().state(), TimerState::breakActive);
        QVERIFY(panel.isVisible()); // the panel stays open
        QVERIFY(!panel.button("Take Break Now")->isVisible());
        QCOMPARE(panel.model().statusText, "On break");
    }

    void statsOpensTheMainViewOnStatsAndClosesThePanel()
    {
        FakeApp app{onboarded};
        MainAppView view(app.appState, app.fake.platform(), {});
        TrayActions actions(app.appState, app.fake.desktop, {});
        auto *panel = new MenuBarView(app.appState, app.appState.workTimer(), actions);
        QPointer<MenuBarView> watch(panel);
        panel->popUp(QRect(), QPoint(100, 100));
        QTest::mouseClick(panel->button("Stats"), Qt::LeftButton);
        QCOMPARE(view.selectedSection(), AppSection::stats);
        QCOMPARE(app.appState.selectedSection(), std::nullopt);
        QVERIFY(!app.appState.showMainWindow());
        QVERIFY(app.fake.desktop.activations >= 1);
        QTRY_VERIFY(!watch);
    }

    void menuButtonsHighlightOnlyWhileHovered()
    {
        FakeApp app{onboarded};
        TrayActions actions(app.appState, app.fake.desktop, {});
        MenuBarView panel(app.appState, app.appState.workTimer(), actions);
        panel.setAttribute(Qt::WA_DeleteOnClose, false);
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(panel.button("Settings"), &enter);
        QVERIFY(panel.button("Settings")->isHovered());
        QVERIFY(!panel.button("Stats")->isHovered());
        QApplication::sendEvent(panel.button("Settings"), &leave);
        QVERIFY(!panel.button("Settings")->isHovered());
    }

    void trayMenuShowsTheSameEntriesAndActs()
    {
        FakeApp app{onboarded};
        int abouts = 0;
        TrayActions actions(app.appState, app.fake.desktop, {{}, [&abouts] { ++abouts; }});
        TrayItem tray(app.appState, actions);
        app.settings.incrementCompletedSessions();
        app.startPresent();
        emit tray.menu().aboutToShow();
        const QString counter = QString("3") + QChar(0x2615);
        QCOMPARE(actionTexts(tray.menu()), QStringList({"Working\t" + counter, "---", "Focus Board", "Stats",
                                                        "Settings", "---", "About Pelmix", "Quit Pelmix"}));

        const QUuid id = app.addTask("Fix & ship");
        app.todos.setStatus(id, TodoStatus::inProgress);
        app.appState.workTimer().snooze(30);
        emit tray.menu().aboutToShow();
        const QStringList texts = actionTexts(tray.menu());
        QCOMPARE(texts.mid(0, 3), QStringList({"On a meet (30:00)\t" + counter, "Fix && ship", "Take Break Now"}));

        tray.menu().actions()[texts.indexOf("Settings")]->trigger();
        QCOMPARE(app.appState.selectedSection(), AppSection::settings); // no main view here to take it
        tray.menu().actions()[texts.indexOf("About Pelmix")]->trigger();
        QCOMPARE(abouts, 1);
        tray.menu().actions()[texts.indexOf("Quit Pelmix")]->trigger();
        QCOMPARE(app.fake.desktop.terminations, 1);
    }
};

QTEST_MAIN(TrayTest)
#include "tst_tray.moc"
