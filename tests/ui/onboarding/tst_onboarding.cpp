#include "app/ScreenFactories.h"
#include "support/FakeApp.h"
#include "ui/onboarding/OnboardingView.h"
#include "ui/onboarding/ProgressDots.h"
#include "ui/onboarding/steps/AccessibilityPermissionStep.h"
#include "ui/onboarding/steps/ChoiceChip.h"
#include "ui/onboarding/steps/IntervalsStep.h"
#include "ui/stats/StatsView.h"
#include "ui/window/MainAppView.h"
#include "ui/window/MainWindow.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {
void press(QWidget *root, const QString &text)
{
    for (QPushButton *candidate : root->findChildren<QPushButton *>()) {
        if (candidate->text() == text && candidate->isVisibleTo(root))
            return QTest::mouseClick(candidate, Qt::LeftButton);
    }
    QFAIL(qPrintable(QStringLiteral("no button \"%1\"").arg(text)));
}

bool shows(QWidget *root, const QString &text)
{
    for (QLabel *label : root->findChildren<QLabel *>()) {
        if (label->text() == text && label->isVisibleTo(root))
            return true;
    }
    return false;
}
} // namespace

class OnboardingTest : public QObject {
    Q_OBJECT
private slots:
    void theFlowWalksThroughEveryStepWithItsDots()
    {
        FakeApp app;
        app.fake.input.trusted = false;
        app.fake.notifications.granted = false;
        OnboardingView view({app.settings, app.appState, app.fake.platform()}, false, {});
        QCOMPARE(view.currentStep(), OnboardingStep::welcome);
        QVERIFY(shows(&view, "Your personal break reminder"));

        press(&view, "Get Started");
        QCOMPARE(view.currentStep(), OnboardingStep::accessibility);
        press(&view, "Skip for now");
        QCOMPARE(view.currentStep(), OnboardingStep::notifications);
        // A refusal moves on too, but only once the answer has come.
        press(&view, "Enable Notifications");
        QCOMPARE(view.currentStep(), OnboardingStep::notifications);
        app.fake.mainLoop.runPending();
        QCOMPARE(view.currentStep(), OnboardingStep::intervals);
        QVERIFY(view.progress()->isFilled(OnboardingStep::intervals));
        QVERIFY(!view.progress()->isFilled(OnboardingStep::complete));

        auto *intervals = view.findChild<IntervalsStep *>();
        QVERIFY(intervals->workChips()[1]->isSelected() && intervals->breakChips()[0]->isSelected()); // 25 and 5 min
        QTest::mouseClick(intervals->workChips()[2], Qt::LeftButton);
        QCOMPARE(app.settings.workDuration(), 50);
        QVERIFY(intervals->workChips()[2]->isSelected() && !intervals->workChips()[1]->isSelected());

        press(&view, "Start Working");
        QCOMPARE(view.currentStep(), OnboardingStep::complete);
        QVERIFY(view.progress()->isFilled(OnboardingStep::complete));
        QVERIFY(shows(&view, "All Set!"));
    }

    void aLateNotificationAnswerAfterSkippingChangesNothing()
    {
        FakeApp app;
        OnboardingView view({app.settings, app.appState, app.fake.platform()}, false, {});
        view.showStep(OnboardingStep::notifications);
        press(&view, "Enable Notifications");
        press(&view, "Skip");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        app.fake.mainLoop.runPending();
        QCOMPARE(view.currentStep(), OnboardingStep::intervals);
    }

    void accessibilityGrantedWhileShownSwitchesTheButtonWithinASecond()
    {
        FakeApp app;
        app.fake.input.trusted = false;
        AccessibilityPermissionStep step(app.fake.input, app.fake.mainLoop);
        int nexts = 0;
        connect(&step, &AccessibilityPermissionStep::next, this, [&] { ++nexts; });
        QVERIFY(step.note()->isVisibleTo(&step));
        const int timers = app.fake.mainLoop.activeTimerCount();

        QTest::mouseClick(step.mainButton(), Qt::LeftButton);
        QTest::mouseClick(step.mainButton(), Qt::LeftButton);
        QCOMPARE(app.fake.input.prompts, 2);                        // each press prompts
        QCOMPARE(app.fake.mainLoop.activeTimerCount(), timers + 1); // but one watch is enough
        app.fake.input.trusted = true;
        app.fake.mainLoop.advance(1);
        QCOMPARE(step.mainButton()->text(), QStringLiteral("Continue"));
        QVERIFY(!step.note()->isVisibleTo(&step));
        QCOMPARE(app.fake.mainLoop.activeTimerCount(), 0);
        QCOMPARE(nexts, 0); // the user presses on
        QTest::mouseClick(step.mainButton(), Qt::LeftButton);
        QCOMPARE(nexts, 1);
    }

    void finishingSwitchesTheSameWindowToTheMainView()
    {
        FakeApp app;
        MainWindow window(app.appState, app.fake.platform(), screenFactories(app.appState, app.fake.platform()));
        window.show();
        auto *onboarding = qobject_cast<OnboardingView *>(window.centralWidget());
        QVERIFY(onboarding);
        QCOMPARE(window.size(), QSize(500, 450));

        onboarding->showStep(OnboardingStep::complete);
        app.fake.log.lines.clear();
        press(onboarding, "Let's Go!");
        QVERIFY(app.settings.hasCompletedOnboarding());
        QCOMPARE(app.fake.log.lines.value(0), QStringLiteral("AppState: start() called"));
        QCOMPARE(window.centralWidget(), window.mainView());
        QVERIFY(window.isVisible());
        QCOMPARE(window.size(), QSize(800, 600));
        // The screens are the real ones.
        window.mainView()->setSelectedSection(AppSection::stats);
        QVERIFY(window.findChild<StatsView *>());
    }
};

QTEST_MAIN(OnboardingTest)
#include "tst_onboarding.moc"
