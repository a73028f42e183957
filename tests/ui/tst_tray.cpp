#include "support/FakeApp.h"
#include "ui/MainAppView.h"
#include "ui/MenuBarLabel.h"
#include "ui/MenuBarView.h"
#include "ui/MenuButton.h"
#include "ui/TrayActions.h"

#include <QLabel>
#include <QListWidget>
#include <QSystemTrayIcon>
#include <QTest>

// The tray item: its drawn label and its panel; and the main view's sections, which the tray
// opens through one-shot requests.
class TrayTest : public QObject {
    Q_OBJECT

private slots:
    void labelRedrawsTheIconOnlyWhenTheMinutesChange()
    {
        FakeApp app{onboarded};
        QSystemTrayIcon icon;
        MenuBarLabel label(app.timer(), app.todos, icon, app.fake.trayHost);
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
    }

    void panelShowsStatusTaskAndTakeBreakWhileSnoozing()
    {
        FakeApp app{onboarded};
        TrayActions actions(app.appState, app.fake.desktop, {});
        MenuBarView panel(app.appState, app.timer(), actions);
        panel.setAttribute(Qt::WA_DeleteOnClose, false);

        app.addCurrentTask("Write");
        QCOMPARE(panel.model().currentTaskTitle, QStringLiteral("Write"));
        app.startPresent();
        panel.show();
        QVERIFY(!panel.button("Take Break Now")->isVisible());
        app.timer().snooze(30);
        QCOMPARE(panel.model().statusText, "On a meet (30:00)");
        QVERIFY(panel.button("Take Break Now")->isVisible());
        QTest::mouseClick(panel.button("Take Break Now"), Qt::LeftButton);
        QCOMPARE(app.timer().state(), TimerState::breakActive);
        QVERIFY(panel.isVisible()); // the panel stays open
    }

    void sectionRequestsSwitchTheViewAndAreCleared()
    {
        FakeApp app{onboarded};
        int statsBuilt = 0;
        ViewFactories factories;
        factories.stats = [&statsBuilt](QWidget *parent) {
            ++statsBuilt;
            return new QLabel(QStringLiteral("statistics"), parent);
        };
        MainAppView view(app.appState, app.fake.platform(), factories);
        QCOMPARE(view.selectedSection(), AppSection::focus);
        QCOMPARE(statsBuilt, 0);

        app.appState.setSelectedSection(AppSection::stats);
        QCOMPARE(view.selectedSection(), AppSection::stats);
        QCOMPARE(app.appState.selectedSection(), std::nullopt);
        QCOMPARE(qobject_cast<QLabel *>(view.sectionView(AppSection::stats))->text(), "statistics");
        QCOMPARE(view.sidebar()->currentRow(), 1);

        app.appState.setSelectedSection(AppSection::stats);
        QCOMPARE(statsBuilt, 1); // built once, when first shown

        // The sidebar writes no request.
        view.sidebar()->setCurrentRow(0);
        QCOMPARE(view.selectedSection(), AppSection::focus);
        QCOMPARE(app.appState.selectedSection(), std::nullopt);
    }
};

QTEST_MAIN(TrayTest)
#include "tst_tray.moc"
