#pragma once

#include <QObject>

#include <array>

// What the desktop says about whether the user may be interrupted: a camera or microphone
// in use, the screen shared, a full-screen window in front, do not disturb. The platform's
// backends set each reading as it changes; a reading they cannot make stays unknown.
class HoldSources : public QObject {
    Q_OBJECT

public:
    enum class Source { camera, microphone, screenShared, fullScreen, doNotDisturb };
    enum class Reading { unknown, clear, inUse };
    static constexpr std::array kAllSources{Source::camera, Source::microphone, Source::screenShared,
                                            Source::fullScreen, Source::doNotDisturb};

    using QObject::QObject;

    Reading reading(Source source) const { return m_readings[index(source)]; }
    // Records a backend's reading; announces only a change.
    void set(Source source, Reading reading);

    // Whether a break is due. Watches that cost wake-ups (a scan of processes) run only then.
    bool breakDue() const { return m_breakDue; }
    void setBreakDue(bool due);

signals:
    void readingChanged(HoldSources::Source source);
    void breakDueChanged(bool due);

private:
    static std::size_t index(Source source) { return static_cast<std::size_t>(source); }

    std::array<Reading, kAllSources.size()> m_readings{};
    bool m_breakDue = false;
};
