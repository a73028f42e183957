#pragma once

#include "platform/HoldSources.h"

#include <QDBusConnection>

#include <memory>

class DoNotDisturbWatch;
class FullScreenWatch;
class MainLoop;
class PipeWireWatch;
class ProcCameraScan;
class PulseAudioWatch;

// The Linux watches behind each hold source, writing their readings into `sources`. The
// camera has two: PipeWire's camera nodes and the devices open in the user's processes; so has
// the microphone: PipeWire's capture streams and, where only PulseAudio runs, its source outputs.
class HoldWatches {
public:
    HoldWatches(HoldSources &sources, MainLoop &loop, QDBusConnection sessionBus);
    ~HoldWatches();

private:
    void reportCamera();
    void reportMicrophone();

    HoldSources &m_sources;
    HoldSources::Reading m_cameraNode = HoldSources::Reading::unknown;
    HoldSources::Reading m_cameraDevice = HoldSources::Reading::unknown;
    HoldSources::Reading m_microphoneStream = HoldSources::Reading::unknown;
    HoldSources::Reading m_microphoneOutput = HoldSources::Reading::unknown;
    std::unique_ptr<PipeWireWatch> m_pipeWire;
    std::unique_ptr<PulseAudioWatch> m_pulseAudio;
    std::unique_ptr<ProcCameraScan> m_cameraScan;
    std::unique_ptr<FullScreenWatch> m_fullScreen;
    std::unique_ptr<DoNotDisturbWatch> m_doNotDisturb;
};
