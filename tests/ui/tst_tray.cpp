#include "support/FakeApp.h"
#include "ui/MainAppView.h"
#include "ui/MenuBarLabel.h"
#include "ui/MenuBarView.h"
#include "ui/MenuButton.h"
#include "ui/TrayActions.h"
#include "ui/TrayItem.h"

#include <QLabel>
#include <QListWidget>
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

} // namespace

// The tray item: its drawn label, its panel and its menu; and the main view's sections, which
// the tray opens through one-shot requests.
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
    }

    void panelShowsStatusTaskAndTakeBreakWhileSnoozing()
    {
        FakeApp app{onboarded};
        TrayActions actions(app.appState, app.fake.desktop, {});
        MenuBarView panel(app.appState, app.appState.workTimer(), actions);
        panel.setAttribute(Qt::WA_DeleteOnClose, false);

        const QUuid id = app.addTask("Write");
        app.todos.setStatus(id, TodoStatus::inProgress);
        QCOMPARE(panel.model().currentTaskTitle, QStringLiteral("Write"));
        app.startPresent();
        panel.show();
        QVERIFY(!panel.button("Take Break Now")->isVisible());
        app.appState.workTimer().snooze(30);
        QCOMPARE(panel.model().statusText, "On a meet (30:00)");
        QVERIFY(panel.button("Take Break Now")->isVisible());
        QTest::mouseClick(panel.button("Take Break Now"), Qt::LeftButton);
        QCOMPARE(app.appState.workTimer().state(), TimerState::breakActive);
        QVERIFY(panel.isVisible()); // the panel stays open
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

        tray.menu().actions()[texts.indexOf("About Pelmix")]->trigger();
        QCOMPARE(abouts, 1);
        tray.menu().actions()[texts.indexOf("Quit Pelmix")]->trigger();
        QCOMPARE(app.fake.desktop.terminations, 1);
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

        // Settings twice, with the sidebar used in between; the sidebar writes no request.
        app.appState.setSelectedSection(AppSection::settings);
        QCOMPARE(view.selectedSection(), AppSection::settings);
        view.sidebar()->setCurrentRow(0);
        QCOMPARE(view.selectedSection(), AppSection::focus);
        QCOMPARE(app.appState.selectedSection(), std::nullopt);
        app.appState.setSelectedSection(AppSection::settings);
        QCOMPARE(view.selectedSection(), AppSection::settings);
    }
};

QTEST_MAIN(TrayTest)
#include "tst_tray.moc"
