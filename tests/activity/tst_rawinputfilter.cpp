#include "platform/linux/input/x11/RawInputFilter.h"

#include <QTest>

#include <X11/extensions/XI2.h>

namespace {

constexpr int kKeyA = 38;
constexpr int kShiftL = 50;
constexpr int kCapsLock = 66;

struct Step {
    int type;
    int detail;
    bool counts;
};

} // namespace

Q_DECLARE_METATYPE(std::vector<Step>)

class RawInputFilterTest : public QObject {
    Q_OBJECT

private slots:
    void sequences_data()
    {
        QTest::addColumn<std::vector<Step>>("steps");
        const int key = XI_RawKeyPress;
        const int keyUp = XI_RawKeyRelease;
        const int press = XI_RawButtonPress;
        const int release = XI_RawButtonRelease;
        const int motion = XI_RawMotion;

        QTest::newRow("keys") << std::vector<Step>{{key, kKeyA, true},      {keyUp, kKeyA, false},
                                                   {key, kShiftL, false},   {keyUp, kShiftL, false},
                                                   {key, kCapsLock, false}, {key, 255, true}};
        QTest::newRow("buttons") << std::vector<Step>{{press, 1, true},    {release, 1, false}, {press, 3, true},
                                                      {release, 3, false}, {press, 2, false},   {release, 2, false},
                                                      {press, 8, false},   {press, 4, true},    {press, 7, true}};
        QTest::newRow("motion and drag") << std::vector<Step>{
            {motion, 0, true}, {press, 1, true},   {motion, 0, false},  {release, 1, false}, {motion, 0, true},
            {press, 2, false}, {motion, 0, false}, {release, 2, false}, {motion, 0, true}};
        QTest::newRow("drag with two buttons ends with the last release")
            << std::vector<Step>{{press, 1, true},   {press, 3, true},    {release, 1, false},
                                 {motion, 0, false}, {release, 3, false}, {motion, 0, true}};
        QTest::newRow("out-of-range details")
            << std::vector<Step>{{press, 200, false}, {release, 200, false}, {motion, 0, true}, {key, -1, true}};
    }

    void sequences()
    {
        QFETCH(std::vector<Step>, steps);
        std::array<bool, RawInputFilter::kKeycodeCount> modifiers{};
        modifiers[kShiftL] = modifiers[kCapsLock] = true;
        RawInputFilter filter;
        filter.setModifierKeys(modifiers);
        for (std::size_t i = 0; i < steps.size(); ++i) {
            const Step &step = steps[i];
            QVERIFY2(filter.accept(step.type, step.detail) == step.counts,
                     qPrintable(QStringLiteral("step %1 should %2count").arg(i).arg(step.counts ? "" : "not ")));
        }
    }
};

QTEST_GUILESS_MAIN(RawInputFilterTest)
#include "tst_rawinputfilter.moc"
