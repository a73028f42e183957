#pragma once

#include "platform/HoldSources.h"
#include "platform/MainLoop.h"

#include <QString>

#include <functional>

// Where the scan looks: the process folders, and what an open camera's link starts with.
struct CameraScanPlaces {
    QString processes = QStringLiteral("/proc");
    QString devicePrefix = QStringLiteral("/dev/video");
};

// Whether one of the user's own processes holds a video device open, read from the links in
// /proc/<pid>/fd of the processes with the user's uid and nothing else. It costs a pass over
// the processes, so it runs only while a break is due, every 10 s; otherwise it says unknown.
class ProcCameraScan {
public:
    static constexpr double kScanIntervalSeconds = 10.0;

    ProcCameraScan(MainLoop &loop, std::function<void(HoldSources::Reading)> report, CameraScanPlaces places = {});

    void setBreakDue(bool due);
    // One pass: in use, clear, or unknown where no process folder can be read.
    HoldSources::Reading scan() const;

private:
    void scanAndReport();

    MainLoop &m_loop;
    std::function<void(HoldSources::Reading)> m_report;
    CameraScanPlaces m_places;
    ScheduledWorkHandle m_timer;
};
