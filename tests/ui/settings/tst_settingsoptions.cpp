#include "ui/settings/SettingsOptions.h"

#include <QTest>

namespace {
QStringList labels(const std::vector<PickerOption> &options)
{
    QStringList result;
    for (const PickerOption &option : options)
        result << QStringLiteral("%1=%2").arg(option.label).arg(option.value);
    return result;
}

QStringList labels(const PickerChoices &choices)
{
    QStringList result;
    for (const PickerChoices::Entry &entry : choices.entries)
        result << entry.option.label + (entry.selectable ? QString() : QStringLiteral("(shown only)"));
    return result;
}
} // namespace

class SettingsOptionsTest : public QObject {
    Q_OBJECT
private slots:
    void everyPickerOffersExactlyItsOptions()
    {
        QCOMPARE(labels(SettingsOptions::options(SettingsPicker::sessionLength, false)),
                 (QStringList{"15 min=15", "25 min=25", "50 min=50"}));
        QCOMPARE(labels(SettingsOptions::options(SettingsPicker::shortBreak, false)),
                 (QStringList{"5 min=5", "10 min=10"}));
        QCOMPARE(labels(SettingsOptions::options(SettingsPicker::longBreak, false)),
                 (QStringList{"15 min=15", "20 min=20", "30 min=30"}));
        QCOMPARE(labels(SettingsOptions::options(SettingsPicker::longBreakEvery, false)),
                 (QStringList{"3 sessions=3", "4 sessions=4", "5 sessions=5"}));
        QCOMPARE(labels(SettingsOptions::options(SettingsPicker::idleTimeout, false)),
                 (QStringList{"30 sec=30", "1 min=60", "2 min=120"}));
    }

    void developerModeAddsTheShortOptionsFirst()
    {
        QCOMPARE(labels(SettingsOptions::options(SettingsPicker::sessionLength, true)),
                 (QStringList{"10s=0", "15 min=15", "25 min=25", "50 min=50"}));
        QCOMPARE(labels(SettingsOptions::options(SettingsPicker::shortBreak, true)),
                 (QStringList{"5s=0", "5 min=5", "10 min=10"}));
        // The other pickers have no developer options.
        for (SettingsPicker picker :
             {SettingsPicker::longBreak, SettingsPicker::longBreakEvery, SettingsPicker::idleTimeout})
            QCOMPARE(SettingsOptions::options(picker, true), SettingsOptions::options(picker, false));
    }

    void aListedValueIsShownAsItsOption()
    {
        const PickerChoices choices = SettingsOptions::choices(SettingsPicker::idleTimeout, 120, false);
        QCOMPARE(labels(choices), (QStringList{"30 sec", "1 min", "2 min"}));
        QCOMPARE(choices.currentIndex, 2);
        const PickerChoices developer = SettingsOptions::choices(SettingsPicker::sessionLength, 0, true);
        QCOMPARE(labels(developer), (QStringList{"10s", "15 min", "25 min", "50 min"}));
        QCOMPARE(developer.currentIndex, 0);
    }

    void anUnlistedValueIsShownAsWhatItIsAndCannotBeChosen_data()
    {
        QTest::addColumn<int>("picker");
        QTest::addColumn<qint64>("stored");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<int>("current");
        const auto p = [](SettingsPicker picker) { return static_cast<int>(picker); };
        QTest::newRow("onboarding's 30 min work")
            << p(SettingsPicker::sessionLength) << qint64(30)
            << QStringList{"15 min", "25 min", "30 min(shown only)", "50 min"} << 2;
        QTest::newRow("10s left after developer mode was turned off")
            << p(SettingsPicker::sessionLength) << qint64(0)
            << QStringList{"10s(shown only)", "15 min", "25 min", "50 min"} << 0;
        QTest::newRow("5s break left after developer mode was turned off")
            << p(SettingsPicker::shortBreak) << qint64(0) << QStringList{"5s(shown only)", "5 min", "10 min"} << 0;
        QTest::newRow("a longer break than any option")
            << p(SettingsPicker::shortBreak) << qint64(12) << QStringList{"5 min", "10 min", "12 min(shown only)"} << 2;
        QTest::newRow("idle seconds that are not whole minutes")
            << p(SettingsPicker::idleTimeout) << qint64(90)
            << QStringList{"30 sec", "1 min", "90 sec(shown only)", "2 min"} << 2;
        QTest::newRow("idle whole minutes") << p(SettingsPicker::idleTimeout) << qint64(300)
                                            << QStringList{"30 sec", "1 min", "2 min", "5 min(shown only)"} << 3;
        QTest::newRow("one session") << p(SettingsPicker::longBreakEvery) << qint64(1)
                                     << QStringList{"1 session(shown only)", "3 sessions", "4 sessions", "5 sessions"}
                                     << 0;
    }
    void anUnlistedValueIsShownAsWhatItIsAndCannotBeChosen()
    {
        QFETCH(int, picker);
        QFETCH(qint64, stored);
        QFETCH(QStringList, entries);
        QFETCH(int, current);
        const PickerChoices choices = SettingsOptions::choices(static_cast<SettingsPicker>(picker), stored, false);
        QCOMPARE(labels(choices), entries);
        QCOMPARE(choices.currentIndex, current);
        QCOMPARE(choices.entries[static_cast<size_t>(current)].option.value, stored);
    }
};

QTEST_GUILESS_MAIN(SettingsOptionsTest)
#include "tst_settingsoptions.moc"
