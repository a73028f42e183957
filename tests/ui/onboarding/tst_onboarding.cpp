#include "support/FakeApp.h"
#include "ui/MainAppView.h"
#include "ui/MainWindow.h"
#include "ui/about/AboutWindow.h"
#include "ui/about/FeatureRow.h"
#include "ui/onboarding/AccessibilityPermissionStep.h"
#include "ui/onboarding/ChoiceChip.h"
#include "ui/onboarding/IntervalsStep.h"
#include "ui/onboarding/NotificationPermissionStep.h"
#include "ui/onboarding/OnboardingView.h"
#include "ui/onboarding/ProgressDots.h"
#include "ui/screens/ScreenFactories.h"
#include "ui/settings/SettingsContent.h"
#include "ui/stats/StatsView.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {
QPushButton *button(QWidget *root, const QString &text)
{
    for (QPushButton *candidate : root->findChildren<QPushButton *>()) {
        if (candidate->text() == text && candidate->isVisibleTo(root))
            return candidate;
    }
    return nullptr;
}

void press(QWidget *root, const QString &text)
{
    QPushButton *target = button(root, text);
    QVERIFY2(target, qPrintable(QStringLiteral("no button \"%1\"").arg(text)));
    QTest::mouseClick(target, Qt::LeftButton);
}

QStringList texts(QWidget *root)
{
    QStringList result;
    for (QLabel *label : root->findChildren<QLabel *>()) {
        if (!label->text().isEmpty() && label->isVisibleTo(root))
            result << label->text();
    }
    return result;
}

struct Flow {
    FakeApp app;
    FakePlatform &fake = app.fake;
    UserSettings &settings = app.settings;
    AppState &appState = app.appState;

    OnboardingView::Services services() { return {settings, appState, fake.platform()}; }
};

void deleteLaterNow() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
} // namespace

class OnboardingTest : public QObject {
    Q_OBJECT
private slots:
    void theFlowWalksThroughEveryStepWithItsDots()
    {
        Flow flow;
        flow.fake.input.trusted = false;
        const int requestsBefore = flow.fake.notifications.authorizationRequests;
        OnboardingView view(flow.services(), false, {});
        QCOMPARE(view.currentStep(), OnboardingStep::welcome);
        QVERIFY(texts(&view).contains("Your personal break reminder"));

        press(&view, "Get Started");
        QCOMPARE(view.currentStep(), OnboardingStep::accessibility);
        press(&view, "Skip for now");
        QCOMPARE(view.currentStep(), OnboardingStep::notifications);
        press(&view, "Skip");
        QCOMPARE(view.currentStep(), OnboardingStep::intervals);
        QVERIFY(view.progress()->isFilled(OnboardingStep::intervals));
        QVERIFY(!view.progress()->isFilled(OnboardingStep::complete));
        press(&view, "Start Working");
        QCOMPARE(view.currentStep(), OnboardingStep::complete);
        QVERIFY(view.progress()->isFilled(OnboardingStep::complete));
        QVERIFY(texts(&view).contains("All Set!"));
        QCOMPARE(flow.fake.notifications.authorizationRequests, requestsBefore); // skipping asks nothing
    }

    void accessibilityGrantedWhileShownSwitchesTheButtonWithinASecond()
    {
        Flow flow;
        flow.fake.input.trusted = false;
        AccessibilityPermissionStep step(flow.fake.input, flow.fake.mainLoop);
        int nexts = 0;
        connect(&step, &AccessibilityPermissionStep::next, this, [&] { ++nexts; });
        QCOMPARE(step.mainButton()->text(), QStringLiteral("Enable Activity Tracking"));
        QVERIFY(step.note()->isVisibleTo(&step));

        QTest::mouseClick(step.mainButton(), Qt::LeftButton);
        QTest::mouseClick(step.mainButton(), Qt::LeftButton);
        QCOMPARE(flow.fake.input.prompts, 2);               // each press prompts
        QCOMPARE(flow.fake.mainLoop.activeTimerCount(), 1); // but one watch is enough
        flow.fake.input.trusted = true;
        flow.fake.mainLoop.advance(1);
        QCOMPARE(step.mainButton()->text(), QStringLiteral("Continue"));
        QVERIFY(!step.note()->isVisibleTo(&step));
        QCOMPARE(flow.fake.mainLoop.activeTimerCount(), 0);
        QCOMPARE(nexts, 0); // the user presses on
        QTest::mouseClick(step.mainButton(), Qt::LeftButton);
        QCOMPARE(nexts, 1);
    }

    void notificationsMoveOnWhateverTheAnswer()
    {
        for (bool granted : {false, true}) {
            Flow flow;
            flow.fake.notifications.granted = granted;
            OnboardingView view(flow.services(), false, {});
            view.showStep(OnboardingStep::notifications);
            const int requestsBefore = flow.fake.notifications.authorizationRequests;
            press(&view, "Enable Notifications");
            QCOMPARE(flow.fake.notifications.authorizationRequests, requestsBefore + 1);
            QCOMPARE(view.currentStep(), OnboardingStep::notifications); // until the answer comes
            flow.fake.mainLoop.runPending();
            QCOMPARE(view.currentStep(), OnboardingStep::intervals);
        }
    }

    void aLateNotificationAnswerAfterSkippingChangesNothing()
    {
        Flow flow;
        OnboardingView view(flow.services(), false, {});
        view.showStep(OnboardingStep::notifications);
        press(&view, "Enable Notifications");
        press(&view, "Skip");
        press(&view, "Start Working");
        deleteLaterNow();
        flow.fake.mainLoop.runPending();
        QCOMPARE(view.currentStep(), OnboardingStep::complete);
    }

    void chipsShowAndStoreTheLengths()
    {
        Flow flow;
        IntervalsStep step(flow.settings);
        const auto selected = [](const std::vector<ChoiceChip *> &chips) {
            QStringList result;
            for (ChoiceChip *chip : chips) {
                if (chip->isSelected())
                    result << chip->text();
            }
            return result;
        };
        QCOMPARE(selected(step.workChips()), QStringList{"25 min"});
        QCOMPARE(selected(step.breakChips()), QStringList{"5 min"});

        QTest::mouseClick(step.workChips()[2], Qt::LeftButton);
        QCOMPARE(flow.settings.workDuration(), 50);
        QCOMPARE(selected(step.workChips()), QStringList{"50 min"});

        flow.settings.setWorkDuration(30); // no chip carries it
        QCOMPARE(selected(step.workChips()), QStringList{});
    }

    void finishingSwitchesTheSameWindowToTheMainView()
    {
        Flow flow;
        flow.fake.input.trusted = false;
        MainWindow window(flow.appState, flow.fake.platform(), screenFactories(flow.appState, flow.fake.platform()));
        window.show();
        auto *onboarding = qobject_cast<OnboardingView *>(window.centralWidget());
        QVERIFY(onboarding);
        QCOMPARE(window.size(), QSize(500, 450));

        onboarding->showStep(OnboardingStep::complete);
        flow.fake.log.lines.clear();
        press(onboarding, "Let's Go!");
        QVERIFY(flow.settings.hasCompletedOnboarding());
        QCOMPARE(flow.fake.log.lines.value(0), QStringLiteral("AppState: start() called"));
        QCOMPARE(window.centralWidget(), window.mainView());
        QVERIFY(window.isVisible());
        QCOMPARE(window.size(), QSize(800, 600));
        // The screens are the real ones.
        window.mainView()->setSelectedSection(AppSection::settings);
        QVERIFY(window.findChild<SettingsContent *>());
        window.mainView()->setSelectedSection(AppSection::stats);
        QVERIFY(window.findChild<StatsView *>());
    }

    void theAboutWindowShowsTheAboutPanelAndClosesAlone()
    {
        Flow flow;
        QWidget mainWindow;
        mainWindow.show();
        AboutWindow about(screenFactories(flow.appState, flow.fake.platform()).about);
        about.bringToFront();
        QCOMPARE(about.size(), QSize(500, 450));
        QCOMPARE(about.windowTitle(), QStringLiteral("About Pelmix"));
        auto *view = qobject_cast<OnboardingView *>(about.content());
        QVERIFY(view && view->isInfoMode());
        const QStringList shown = texts(&about);
        QVERIFY(shown.contains("Version 1.0"));
        QCOMPARE(about.findChildren<FeatureRow *>().at(2)->text(), QStringLiteral("Works completely offline"));

        press(&about, "Close");
        QVERIFY(!about.isVisible());
        QVERIFY(mainWindow.isVisible());    }
};

QTEST_MAIN(OnboardingTest)
#include "tst_onboarding.moc"
