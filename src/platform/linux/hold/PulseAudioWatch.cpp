#include "PulseAudioWatch.h"

#include <QDir>
#include <QFileSystemWatcher>

#include "PulseAudioLibrary.h"

#include <unistd.h>

namespace {
QString socketFolder() { return qEnvironmentVariable("XDG_RUNTIME_DIR") + QStringLiteral("/pulse"); }

bool serverIsNamed()
{
    return qEnvironmentVariableIsSet("PULSE_SERVER") || QFile::exists(socketFolder() + QStringLiteral("/native"));
}
} // namespace

PulseAudioWatch::PulseAudioWatch(std::function<void(HoldSources::Reading)> report, QObject *parent)
    : QObject(parent),
      m_report(std::move(report))
{
    // The library brings its codecs along, a megabyte and a half: it is loaded only once there
    // is a server to ask.
    if (serverIsNamed())
        connectToServer();
    else
        watchForServer();
}

PulseAudioWatch::~PulseAudioWatch()
{
    disconnect();
    if (m_loop)
        m_pulse->pa_glib_mainloop_free(m_loop);
}

void PulseAudioWatch::connectToServer()
{
    if (!m_pulse) {
        m_pulse = PulseAudioLibrary::open();
        if (!m_pulse)
            return;
        // The GLib main context is the one Qt's event loop runs.
        m_loop = m_pulse->pa_glib_mainloop_new(nullptr);
    }
    pa_proplist *properties = m_pulse->pa_proplist_new();
    m_pulse->pa_proplist_sets(properties, PA_PROP_APPLICATION_NAME, "Pelmix");
    m_context = m_pulse->pa_context_new_with_proplist(m_pulse->pa_glib_mainloop_get_api(m_loop), "Pelmix", properties);
    m_pulse->pa_proplist_free(properties);
    m_pulse->pa_context_set_state_callback(
        m_context, [](pa_context *, void *self) { static_cast<PulseAudioWatch *>(self)->stateChanged(); }, this);
    // Never start a server: where none runs, there is nothing to read. A failure is told
    // through the state callback.
    m_pulse->pa_context_connect(m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr);
}

void PulseAudioWatch::connectIfServerUp()
{
    if (!m_context && serverIsNamed())
        connectToServer();
}

void PulseAudioWatch::disconnect()
{
    if (!m_context)
        return;
    m_pulse->pa_context_set_state_callback(m_context, nullptr, nullptr);
    m_pulse->pa_context_set_subscribe_callback(m_context, nullptr, nullptr);
    m_pulse->pa_context_disconnect(m_context);
    m_pulse->pa_context_unref(m_context);
    m_context = nullptr;
    m_refreshing = m_refreshAgain = false;
}

void PulseAudioWatch::stateChanged()
{
    const pa_context_state_t state = m_pulse->pa_context_get_state(m_context);
    if (state == PA_CONTEXT_READY) {
        delete std::exchange(m_socketWatch, nullptr);
        m_pulse->pa_context_set_subscribe_callback(
            m_context,
            [](pa_context *, pa_subscription_event_type_t, uint32_t, void *self) {
                static_cast<PulseAudioWatch *>(self)->refresh();
            },
            this);
        m_pulse->pa_operation_unref(m_pulse->pa_context_subscribe(
            m_context,
            static_cast<pa_subscription_mask_t>(PA_SUBSCRIPTION_MASK_SOURCE | PA_SUBSCRIPTION_MASK_SOURCE_OUTPUT),
            nullptr, nullptr));
        refresh();
        return;
    }
    if (state != PA_CONTEXT_FAILED && state != PA_CONTEXT_TERMINATED)
        return;
    // Not from inside the library's callback: the context goes on the next turn of the loop,
    // unless another has replaced it by then.
    QMetaObject::invokeMethod(
        this,
        [this, failed = m_context] {
            if (m_context != failed)
                return;
            disconnect();
            report(HoldSources::Reading::unknown);
            watchForServer();
        },
        Qt::QueuedConnection);
}

void PulseAudioWatch::watchForServer()
{
    if (m_socketWatch)
        return;
    QDir().mkpath(socketFolder());
    m_socketWatch = new QFileSystemWatcher({socketFolder()}, this);
    connect(m_socketWatch, &QFileSystemWatcher::directoryChanged, this, &PulseAudioWatch::connectIfServerUp);
    // The server may have come up before the watch.
    connectIfServerUp();
}

// Events come in bursts: one pass reads both lists, and a burst during it asks for one more.
void PulseAudioWatch::refresh()
{
    if (m_refreshing) {
        m_refreshAgain = true;
        return;
    }
    m_refreshing = true;
    m_monitors.clear();
    m_pulse->pa_operation_unref(m_pulse->pa_context_get_source_info_list(
        m_context,
        [](pa_context *, const pa_source_info *info, int last, void *data) {
            auto *self = static_cast<PulseAudioWatch *>(data);
            if (last)
                self->listSourceOutputs();
            else if (info->monitor_of_sink != PA_INVALID_INDEX)
                self->m_monitors.append(info->index);
        },
        this));
}

void PulseAudioWatch::listSourceOutputs()
{
    m_recordingSeen = false;
    m_pulse->pa_operation_unref(m_pulse->pa_context_get_source_output_info_list(
        m_context,
        [](pa_context *, const pa_source_output_info *info, int last, void *data) {
            auto *self = static_cast<PulseAudioWatch *>(data);
            if (last) {
                self->finishRefresh(self->m_recordingSeen);
                return;
            }
            const char *pid = self->m_pulse->pa_proplist_gets(info->proplist, PA_PROP_APPLICATION_PROCESS_ID);
            const bool ours = pid && QByteArray(pid).toLongLong() == getpid();
            if (!info->corked && !ours && !self->m_monitors.contains(info->source))
                self->m_recordingSeen = true;
        },
        this));
}

void PulseAudioWatch::finishRefresh(bool recording)
{
    m_refreshing = false;
    report(recording ? HoldSources::Reading::inUse : HoldSources::Reading::clear);
    if (std::exchange(m_refreshAgain, false))
        refresh();
}

void PulseAudioWatch::report(HoldSources::Reading reading)
{
    if (reading == m_last)
        return;
    m_last = reading;
    m_report(reading);
}
