#include "hold/BreakHold.h"
#include "support/FakeApp.h"
#include "ui/common/style/NamedColors.h"
#include "ui/tray/MenuBarLabel.h"
#include "ui/tray/TrayMenu.h"
#include "ui/tray/panel/MenuBarView.h"
#include "ui/tray/panel/MenuButton.h"
#include "ui/tray/panel/PanelInputs.h"
#include "ui/tray/panel/PanelPlacement.h"
#include "ui/tray/panel/TrayActions.h"
#include "ui/window/MainAppView.h"
#include "ui/window/MainWindow.h"

#include <QLabel>
#include <QListWidget>
#include <QMenu>
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
        MenuBarLabel label(app.timer(), app.todos, app.appState.breakHold(), icon, app.fake.trayHost);
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

        app.fake.holdSources.set(HoldSources::Source::camera, HoldSources::Reading::inUse);
        QCOMPARE(icon.toolTip(), "23:59\nHolding reminders: camera in use");
        QCOMPARE(label.iconRenderCount(), 3);
    }

    void panelSaysWhyRemindersWaitAndRemindsAnyway()
    {
        FakeApp app{onboarded};
        TrayActions actions(app.appState, app.fake.desktop, {});
        MenuBarView panel(app.appState, app.timer(), actions);
        panel.setAttribute(Qt::WA_DeleteOnClose, false);
        panel.popUp(QRect(500, 10, 1, 1), std::nullopt);
        QVERIFY(!panel.button("Remind me anyway")->isVisible());
        app.fake.holdSources.set(HoldSources::Source::microphone, HoldSources::Reading::inUse);
        QCOMPARE(panel.findChild<QLabel *>("holdText")->text(), "Holding reminders: microphone in use");
        QTest::mouseClick(panel.button("Remind me anyway"), Qt::LeftButton);
        QVERIFY(!app.appState.breakHold().held());
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
        app.timer().snooze(30);
        // Above a bottom bar.
        panel.popUp(QRect(500, 590, 1, 1), QRect(0, 572, 1024, 28));
        QCOMPARE(panel.model().statusText, "On a meet (30:00)");
        QVERIFY(panel.button("Take Break Now")->isVisible());
        const int bottom = panel.geometry().bottom();
        QTest::mouseClick(panel.button("Take Break Now"), Qt::LeftButton);
        QCOMPARE(app.timer().state(), TimerState::breakActive);
        QVERIFY(panel.isVisible()); // the panel stays open
        QVERIFY(!panel.button("Take Break Now")->isVisible());
        // It shrank, and its edge stays at the bar.
        QTRY_COMPARE(panel.geometry().bottom(), bottom);
        QCOMPARE(bottom, 571);
    }

    // The right-click menu follows the state while open (the snooze counts down) and keeps the
    // status dot's colour on its disabled line.
    void menuIsLiveWhileOpen()
    {
        FakeApp app{onboarded};
        TrayMenu tray([&app] { return MenuBarPanelModel::make(ViewInputs::panel(app.appState)); },
                      [](MenuBarPanelModel::Action) {});
        connect(&app.timer(), &WorkTimer::snoozeSecondsRemainingChanged, &tray, &TrayMenu::stateChanged);
        app.startPresent();
        app.timer().snooze(30);
        QAction *status = tray.menu().actions().first();
        tray.menu().popup(QPoint(0, 0));
        app.fake.mainLoop.advance(2);
        QCOMPARE(status->text(), QStringLiteral("On a meet (29:58)\t4") + QChar(0x2615));
        const QImage dot = status->icon().pixmap(16, QIcon::Disabled).toImage();
        QCOMPARE(dot.pixelColor(8, 8).rgb(), NamedColors::resolve(ColorRole::purple).rgb());
        tray.menu().hide();
        app.fake.mainLoop.advance(2);
        QCOMPARE(status->text(), QStringLiteral("On a meet (29:58)\t4") + QChar(0x2615)); // closed: nothing redrawn
    }

    // Beside the bar, never over it, centred on the item and inside the screen.
    void panelOpensBesideTheBar_data()
    {
        QTest::addColumn<QRect>("item");
        QTest::addColumn<QRect>("bar");
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QPoint>("position");
        QTest::addColumn<bool>("keepsBottomEdge");
        const QRect screen(0, 0, 1024, 600);
        QTest::newRow("top bar") << QRect(500, 12, 1, 1) << QRect(0, 0, 1024, 27) << screen << QPoint(390, 27) << false;
        QTest::newRow("bottom bar") << QRect(500, 590, 1, 1) << QRect(0, 572, 1024, 28) << screen << QPoint(390, 372)
                                    << true;
        QTest::newRow("left bar") << QRect(10, 300, 1, 1) << QRect(0, 0, 32, 600) << screen << QPoint(32, 200) << false;
        QTest::newRow("at the right end")
            << QRect(1015, 12, 1, 1) << QRect(0, 0, 1024, 27) << screen << QPoint(804, 27) << false;
        QTest::newRow("bar from the struts")
            << QRect(500, 12, 1, 1) << QRect() << QRect(0, 30, 1024, 570) << QPoint(390, 30) << false;
        QTest::newRow("bar guessed") << QRect(500, 12, 1, 1) << QRect() << screen << QPoint(390, 25) << false;
    }
    void panelOpensBesideTheBar()
    {
        QFETCH(QRect, item);
        QFETCH(QRect, bar);
        QFETCH(QRect, available);
        QFETCH(QPoint, position);
        QFETCH(bool, keepsBottomEdge);
        const auto placement =
            PanelPlacement::place(QSize(220, 200), item, bar.isValid() ? std::optional(bar) : std::nullopt,
                                  QRect(0, 0, 1024, 600), available);
        QCOMPARE(placement.position, position);
        QCOMPARE(placement.keepsBottomEdge, keepsBottomEdge);
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

        // The window names the program; its smallest size leaves the content its own minimum.
        MainWindow window(app.appState, app.fake.platform(), factories);
        window.show();
        QCOMPARE(window.windowTitle(), QString::fromUtf8("Focus \u2014 Pelmix"));
        window.resize(1, 1);
        QTRY_VERIFY(window.centralWidget()->height() >= 500 && window.centralWidget()->width() >= 700);
    }
};

QTEST_MAIN(TrayTest)
#include "tst_tray.moc"
