#pragma once

#include "platform/HoldSources.h"

#include <QDBusConnection>

#include <memory>

class DoNotDisturbWatch;
class FullScreenWatch;
class MainLoop;
class PipeWireWatch;
class ProcCameraScan;

// The Linux watches behind each hold source, writing their readings into `sources`. The
// camera has two: PipeWire's camera nodes and the devices open in the user's processes.
class HoldWatches {
public:
    HoldWatches(HoldSources &sources, MainLoop &loop, QDBusConnection sessionBus);
    ~HoldWatches();

private:
    void reportCamera();

    HoldSources &m_sources;
    HoldSources::Reading m_cameraNode = HoldSources::Reading::unknown;
    HoldSources::Reading m_cameraDevice = HoldSources::Reading::unknown;
    std::unique_ptr<PipeWireWatch> m_pipeWire;
    std::unique_ptr<ProcCameraScan> m_cameraScan;
    std::unique_ptr<FullScreenWatch> m_fullScreen;
    std::unique_ptr<DoNotDisturbWatch> m_doNotDisturb;
};
