#pragma once

#include <QByteArray>

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

struct wl_display;
struct wl_resource;

// A test peer standing in for a compositor: a Wayland server on a private socket (in
// $XDG_RUNTIME_DIR) that offers a wl_seat and one idle protocol (ext_idle_notifier_v1,
// org_kde_kwin_idle or none), and sends idled and resumed when the test says so. It shows no windows and sees no input.
// It serves on a thread of its own, so a client in the test's thread may wait for its answers;
// the destructor closes every client.
class TestIdleNotifyCompositor {
public:
    enum class Offer { extIdleNotifier, kdeIdle, seatOnly };

    explicit TestIdleNotifyCompositor(Offer offer = Offer::extIdleNotifier);
    ~TestIdleNotifyCompositor();

    TestIdleNotifyCompositor(const TestIdleNotifyCompositor &) = delete;
    TestIdleNotifyCompositor &operator=(const TestIdleNotifyCompositor &) = delete;

    // For WAYLAND_DISPLAY; empty when the server could not start.
    QByteArray socketName() const { return m_socket; }

    // The idle notifications clients hold, and the timeout the last one asked for.
    int notificationCount() const { return m_notificationCount; }
    unsigned lastTimeoutMs() const { return m_lastTimeoutMs; }

    // To every idle notification.
    void sendIdled();
    void sendResumed();

private:
    static void bindSeat(struct wl_client *client, void *data, unsigned version, unsigned id);
    static void bindNotifier(struct wl_client *client, void *data, unsigned version, unsigned id);
    static void bindKdeIdle(struct wl_client *client, void *data, unsigned version, unsigned id);
    // A notification (or KDE idle timeout) a client asked for through `factory`.
    static void addNotification(wl_client *client, wl_resource *factory, const struct wl_interface &interface,
                                const void *implementation, unsigned id, unsigned timeoutMs);
    enum class Command { idled, resumed, stop };
    void post(Command command);
    void runCommands();

    wl_display *m_display;
    QByteArray m_socket;
    int m_wakeUp;
    std::mutex m_mutex;
    std::vector<Command> m_commands;
    bool m_stopping = false;
    std::thread m_server;
    // Touched by the serving thread only; the counts are read by the test.
    std::vector<wl_resource *> m_notifications;
    std::atomic<int> m_notificationCount = 0;
    std::atomic<unsigned> m_lastTimeoutMs = 0;
};
