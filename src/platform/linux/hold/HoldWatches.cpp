#include "HoldWatches.h"

#include "DoNotDisturbWatch.h"
#include "FullScreenWatch.h"
#include "PipeWireWatch.h"
#include "ProcCameraScan.h"

using Source = HoldSources::Source;
using Reading = HoldSources::Reading;

HoldWatches::HoldWatches(HoldSources &sources, MainLoop &loop, QDBusConnection sessionBus) : m_sources(sources)
{
    m_pipeWire = std::make_unique<PipeWireWatch>([this](const PipeWireWatch::Readings &readings) {
        m_sources.set(Source::microphone, readings.microphone);
        m_sources.set(Source::screenShared, readings.screenShared);
        m_cameraNode = readings.camera;
        reportCamera();
    });
    m_cameraScan = std::make_unique<ProcCameraScan>(loop, [this](Reading reading) {
        m_cameraDevice = reading;
        reportCamera();
    });
    QObject::connect(&sources, &HoldSources::breakDueChanged, &sources,
                     [this](bool due) { m_cameraScan->setBreakDue(due); });
    m_fullScreen = std::make_unique<FullScreenWatch>([this](Reading reading) { m_sources.set(Source::fullScreen, reading); });
    m_doNotDisturb = std::make_unique<DoNotDisturbWatch>(
        std::move(sessionBus), [this](Reading reading) { m_sources.set(Source::doNotDisturb, reading); });
}

HoldWatches::~HoldWatches() = default;

void HoldWatches::reportCamera()
{
    Reading camera = Reading::unknown;
    if (m_cameraNode == Reading::inUse || m_cameraDevice == Reading::inUse)
        camera = Reading::inUse;
    else if (m_cameraNode == Reading::clear || m_cameraDevice == Reading::clear)
        camera = Reading::clear;
    m_sources.set(Source::camera, camera);
}
