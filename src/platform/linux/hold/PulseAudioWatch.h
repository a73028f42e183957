#pragma once

#include "platform/HoldSources.h"

#include <QObject>

#include <functional>

class QFileSystemWatcher;
struct pa_context;
struct pa_glib_mainloop;
struct PulseAudioLibrary;

// Whether a program records from a microphone, as a PulseAudio server says: a source output
// that is not corked, on a source that is not the monitor of an output. The server announces
// each change; its lists are read again only then. Without a server the reading is unknown
// until its socket appears; without PulseAudio's library, for good.
class PulseAudioWatch : public QObject {
    Q_OBJECT

public:
    explicit PulseAudioWatch(std::function<void(HoldSources::Reading)> report, QObject *parent = nullptr);
    ~PulseAudioWatch() override;

private:
    void connectToServer();
    void connectIfServerUp();
    void watchForServer();
    void disconnect();
    void stateChanged();
    void refresh();
    void listSourceOutputs();
    void finishRefresh(bool recording);
    void report(HoldSources::Reading reading);

    std::function<void(HoldSources::Reading)> m_report;
    const PulseAudioLibrary *m_pulse = nullptr;
    pa_glib_mainloop *m_loop = nullptr;
    pa_context *m_context = nullptr;
    QFileSystemWatcher *m_socketWatch = nullptr;
    // The sources that are monitors of outputs, gathered before the source outputs are read.
    QList<quint32> m_monitors;
    bool m_recordingSeen = false;
    bool m_refreshing = false;
    bool m_refreshAgain = false;
    HoldSources::Reading m_last = HoldSources::Reading::unknown;
};
