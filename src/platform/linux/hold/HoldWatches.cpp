#include "HoldWatches.h"

#include "DoNotDisturbWatch.h"
#include "FullScreenWatch.h"
#include "PipeWireWatch.h"
#include "ProcCameraScan.h"
#include "PulseAudioWatch.h"

using Source = HoldSources::Source;
using Reading = HoldSources::Reading;

HoldWatches::HoldWatches(HoldSources &sources, MainLoop &loop, QDBusConnection sessionBus) : m_sources(sources)
{
    m_pipeWire = std::make_unique<PipeWireWatch>([this](const PipeWireWatch::Readings &readings) {
        m_microphoneStream = readings.microphone;
        reportMicrophone();
        m_sources.set(Source::screenShared, readings.screenShared);
        m_cameraNode = readings.camera;
        reportCamera();
    });
    // PipeWire's graph has the PulseAudio programs' streams too: a PulseAudio server is asked
    // only where PipeWire is not the sound server.
    if (!PipeWireWatch::serverIsUp()) {
        m_pulseAudio = std::make_unique<PulseAudioWatch>([this](Reading reading) {
            m_microphoneOutput = reading;
            reportMicrophone();
        });
    }
    m_cameraScan = std::make_unique<ProcCameraScan>(loop, [this](Reading reading) {
        m_cameraDevice = reading;
        reportCamera();
    });
    QObject::connect(&sources, &HoldSources::breakDueChanged, &sources,
                     [this](bool due) { m_cameraScan->setBreakDue(due); });
    m_fullScreen =
        std::make_unique<FullScreenWatch>([this](Reading reading) { m_sources.set(Source::fullScreen, reading); });
    m_doNotDisturb = std::make_unique<DoNotDisturbWatch>(
        std::move(sessionBus), [this](Reading reading) { m_sources.set(Source::doNotDisturb, reading); });
}

HoldWatches::~HoldWatches() = default;

namespace {
// In use if either says so; clear if either can tell and neither says in use.
Reading either(Reading first, Reading second)
{
    if (first == Reading::inUse || second == Reading::inUse)
        return Reading::inUse;
    if (first == Reading::clear || second == Reading::clear)
        return Reading::clear;
    return Reading::unknown;
}
} // namespace

void HoldWatches::reportCamera() { m_sources.set(Source::camera, either(m_cameraNode, m_cameraDevice)); }

void HoldWatches::reportMicrophone()
{
    m_sources.set(Source::microphone, either(m_microphoneStream, m_microphoneOutput));
}
