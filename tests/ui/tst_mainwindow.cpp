#include "support/FakeApp.h"
#include "ui/MainAppView.h"
#include "ui/MainWindow.h"
#include "ui/TrayActions.h"

#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

// The main window, its sections and the one-shot requests that select them.
class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
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
        QCOMPARE(statsBuilt, 1);

        // Settings twice, with the sidebar used in between; the sidebar writes no request.
        app.appState.setSelectedSection(AppSection::settings);
        QCOMPARE(view.selectedSection(), AppSection::settings);
        view.sidebar()->setCurrentRow(0);
        QCOMPARE(view.selectedSection(), AppSection::focus);
        QCOMPARE(app.appState.selectedSection(), std::nullopt);
        app.appState.setSelectedSection(AppSection::settings);
        QCOMPARE(view.selectedSection(), AppSection::settings);
    }

    void theApplicationMenuOffersAboutOnceOnboarded()
    {
        FakeApp app{onboarded};
        app.settings.setHasCompletedOnboarding(false);
        MainWindow window(app.appState, app.fake.platform(), {});
        QVERIFY(window.menuBar()->isHidden()); // the flow keeps its fixed frame
        app.settings.setHasCompletedOnboarding(true);
        QVERIFY(!window.menuBar()->isHidden());

        QSignalSpy about(&window, &MainWindow::aboutRequested);
        const QList<QAction *> items = window.menuBar()->actions().first()->menu()->actions();
        QCOMPARE(items.first()->text(), "About Pelmix");
        QCOMPARE(items.last()->text(), "Quit Pelmix");
        items.first()->trigger();
        QCOMPARE(about.count(), 1);
    }

    void openingASectionReopensAClosedWindowOnThatSection()
    {
        FakeApp app{onboarded};
        QPointer<MainWindow> window;
        const auto ensure = [&] {
            if (!window) {
                window = new MainWindow(app.appState, app.fake.platform(), {});
                window->show();
            }
        };
        TrayActions actions(app.appState, app.fake.desktop, {ensure, {}});
        ensure();
        QVERIFY(QTest::qWaitForWindowExposed(window.data()));

        actions.openSection(AppSection::stats);
        QCOMPARE(window->windowTitle(), "Stats");

        window->close();
        QTRY_VERIFY(!window); // closing ends the window
        actions.openSection(AppSection::stats);
        QVERIFY(window);
        QVERIFY(window->isVisible());
        QCOMPARE(window->mainView()->selectedSection(), AppSection::stats);
        delete window;
    }
};

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
