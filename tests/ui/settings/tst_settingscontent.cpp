#include "support/FakeApp.h"
#include "ui/settings/SettingsContent.h"
#include "ui/settings/ToggleSwitch.h"

#include <QComboBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {
QStringList items(QComboBox *combo)
{
    QStringList result;
    for (int i = 0; i < combo->count(); ++i)
        result << combo->itemText(i);
    return result;
}

// Picks the entry labelled `label` the way a click in the pop-up does.
void choose(QComboBox *combo, const QString &label)
{
    const int index = combo->findText(label);
    QVERIFY2(index >= 0, qPrintable(label));
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

struct Screen {
    FakeApp app;
    FakePlatform &fake = app.fake;
    UserSettings &settings = app.settings;
    SettingsContent view{settings, app.appState};

    QComboBox *picker(SettingsPicker which) const { return view.picker(which); }
    QString shown(SettingsPicker which) const { return view.picker(which)->currentText(); }
};
} // namespace

class SettingsContentTest : public QObject {
    Q_OBJECT
private slots:
    void anEmptyStoreShowsTheDefaults()
    {
        Screen screen;
        QCOMPARE(screen.shown(SettingsPicker::sessionLength), QStringLiteral("25 min"));
        QCOMPARE(screen.shown(SettingsPicker::shortBreak), QStringLiteral("5 min"));
        QCOMPARE(screen.shown(SettingsPicker::longBreak), QStringLiteral("15 min"));
        QCOMPARE(screen.shown(SettingsPicker::longBreakEvery), QStringLiteral("4 sessions"));
        QCOMPARE(screen.shown(SettingsPicker::idleTimeout), QStringLiteral("30 sec"));
        QVERIFY(screen.view.soundToggle()->isChecked());
        QVERIFY(!screen.view.launchAtLoginToggle()->isChecked());
    }

    void holdSwitchesPersistAndSayWhatCannotBeKnown()
    {
        Screen screen;
        using Source = HoldSources::Source;
        screen.fake.holdSources.set(Source::camera, HoldSources::Reading::clear);
        QCOMPARE(screen.view.holdTitle(Source::camera), "Hold reminders while the camera is in use");
        QCOMPARE(screen.view.holdTitle(Source::fullScreen),
                 "Hold reminders while a full-screen window has the focus (unknown here)");
        QVERIFY(screen.view.holdToggle(Source::microphone)->isChecked());
        QTest::mouseClick(screen.view.holdToggle(Source::microphone), Qt::LeftButton);
        QVERIFY(!screen.fake.reopenPreferences()->value("holdWhileMicrophone").toBool());
        QVERIFY(screen.settings.holdsWhile(Source::camera));
        screen.settings.resetToDefaults();
        QVERIFY(screen.view.holdToggle(Source::microphone)->isChecked());
    }

    void pickersStoreTheOptionsValue()
    {
        Screen screen;
        choose(screen.picker(SettingsPicker::idleTimeout), "2 min");
        QCOMPARE(screen.settings.idleTimeout(), 120);
        choose(screen.picker(SettingsPicker::sessionLength), "50 min");
        QCOMPARE(screen.settings.workDuration(), 50);
        // Stored through another instance of the store, as the next launch reads it.
        QCOMPARE(screen.fake.reopenPreferences()->value("idleTimeout").toLongLong(), 120);
    }

    void anUnlistedValueShowsAsItselfAndIsNeverStoredFromHere()
    {
        Screen screen;
        screen.settings.setWorkDuration(30); // as the onboarding chips never do, but another screen might
        QCOMPARE(screen.shown(SettingsPicker::sessionLength), QStringLiteral("30 min"));
        QSignalSpy writes(&screen.settings, &UserSettings::changed);
        QComboBox *sessionLength = screen.picker(SettingsPicker::sessionLength);
        emit sessionLength->activated(sessionLength->findText("30 min"));
        QCOMPARE(writes.count(), 0);
        // Keyboard navigation steps over it: from 25 min down lands on 50 min and stores it.
        choose(sessionLength, "25 min");
        QTest::keyClick(sessionLength, Qt::Key_Down);
        QCOMPARE(screen.settings.workDuration(), 50);
        QCOMPARE(items(sessionLength), (QStringList{"15 min", "25 min", "50 min"}));
    }

    // Scrolling the page over a picker scrolls the page; the wheel changes a picker once chosen.
    void theWheelChangesAPickerOnlyOnceChosen()
    {
        Screen screen;
        screen.view.show();
        screen.view.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&screen.view));
        QComboBox *shortBreak = screen.picker(SettingsPicker::shortBreak);
        const auto scroll = [shortBreak] {
            QWheelEvent wheel(QPointF(5, 5), shortBreak->mapToGlobal(QPointF(5, 5)), {}, {0, -120}, Qt::NoButton, {},
                              Qt::NoScrollPhase, false);
            QApplication::sendEvent(shortBreak, &wheel);
            return wheel.isAccepted();
        };
        QVERIFY(!scroll());
        QCOMPARE(screen.settings.shortBreakDuration(), 5);
        shortBreak->setFocus(Qt::TabFocusReason);
        QVERIFY(scroll());
        QCOMPARE(screen.settings.shortBreakDuration(), 10);
    }

    void resetRestoresEveryControlAndUnregistersTheLoginItem()
    {
        Screen screen;
        screen.settings.setHasCompletedOnboarding(true);
        QTest::mouseClick(screen.view.launchAtLoginToggle(), Qt::LeftButton);
        QTest::mouseClick(screen.view.developerModeToggle(), Qt::LeftButton);
        choose(screen.picker(SettingsPicker::sessionLength), "10s");
        screen.settings.incrementCompletedSessions();
        QVERIFY(screen.fake.loginItem.registered);

        QTest::mouseClick(screen.view.resetButton(), Qt::LeftButton);

        QCOMPARE(screen.shown(SettingsPicker::sessionLength), QStringLiteral("25 min"));
        QCOMPARE(items(screen.picker(SettingsPicker::sessionLength)), (QStringList{"15 min", "25 min", "50 min"}));
        QVERIFY(!screen.view.launchAtLoginToggle()->isChecked());
        QVERIFY(!screen.fake.loginItem.registered);
        QVERIFY(screen.settings.hasCompletedOnboarding());
        QCOMPARE(screen.settings.completedSessionsToday(), 1);
    }
};

QTEST_MAIN(SettingsContentTest)
#include "tst_settingscontent.moc"
