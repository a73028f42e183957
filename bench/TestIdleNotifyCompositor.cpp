#include "TestIdleNotifyCompositor.h"

#include "ext-idle-notify-v1-server-protocol.h"
#include "kde-idle-server-protocol.h"

#include <wayland-server.h>

#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <string_view>

namespace {

void destroyResource(wl_client *, wl_resource *resource) { wl_resource_destroy(resource); }

// A seat without pointer, keyboard or touch: the client only names it in its requests.
const struct wl_seat_interface kSeat = {
    .get_pointer = [](wl_client *, wl_resource *, uint32_t) {},
    .get_keyboard = [](wl_client *, wl_resource *, uint32_t) {},
    .get_touch = [](wl_client *, wl_resource *, uint32_t) {},
    .release = destroyResource,
};

const struct ext_idle_notification_v1_interface kNotification = {.destroy = destroyResource};
const struct org_kde_kwin_idle_timeout_interface kKdeTimeout = {
    .release = destroyResource,
    .simulate_user_activity = [](wl_client *, wl_resource *) {},
};

} // namespace

TestIdleNotifyCompositor::TestIdleNotifyCompositor(Offer offer)
    : m_display(wl_display_create()),
      m_wakeUp(eventfd(0, EFD_CLOEXEC))
{
    if (const char *socket = wl_display_add_socket_auto(m_display))
        m_socket = socket;
    wl_global_create(m_display, &wl_seat_interface, 1, this, &bindSeat);
    if (offer == Offer::extIdleNotifier)
        wl_global_create(m_display, &ext_idle_notifier_v1_interface, 1, this, &bindNotifier);
    if (offer == Offer::kdeIdle)
        wl_global_create(m_display, &org_kde_kwin_idle_interface, 1, this, &bindKdeIdle);
    wl_event_loop *loop = wl_display_get_event_loop(m_display);
    wl_event_loop_add_fd(
        loop, m_wakeUp, WL_EVENT_READABLE,
        [](int, uint32_t, void *self) {
            static_cast<TestIdleNotifyCompositor *>(self)->runCommands();
            return 0;
        },
        this);
    m_server = std::thread([this, loop] {
        while (!m_stopping) {
            wl_event_loop_dispatch(loop, -1);
            wl_display_flush_clients(m_display);
        }
        wl_display_destroy_clients(m_display);
    });
}

TestIdleNotifyCompositor::~TestIdleNotifyCompositor()
{
    post(Command::stop);
    m_server.join();
    wl_display_destroy(m_display);
    close(m_wakeUp);
}

void TestIdleNotifyCompositor::post(Command command)
{
    {
        const std::lock_guard lock(m_mutex);
        m_commands.push_back(command);
    }
    const std::uint64_t one = 1;
    [[maybe_unused]] const auto written = write(m_wakeUp, &one, sizeof one);
}

void TestIdleNotifyCompositor::runCommands()
{
    std::uint64_t count = 0;
    [[maybe_unused]] const auto read = ::read(m_wakeUp, &count, sizeof count);
    std::vector<Command> commands;
    {
        const std::lock_guard lock(m_mutex);
        commands.swap(m_commands);
    }
    for (const Command command : commands) {
        for (wl_resource *notification : m_notifications) {
            const bool kde = std::string_view(wl_resource_get_class(notification)) == "org_kde_kwin_idle_timeout";
            if (command == Command::idled)
                kde ? org_kde_kwin_idle_timeout_send_idle(notification)
                    : ext_idle_notification_v1_send_idled(notification);
            else if (command == Command::resumed)
                kde ? org_kde_kwin_idle_timeout_send_resumed(notification)
                    : ext_idle_notification_v1_send_resumed(notification);
        }
        m_stopping |= command == Command::stop;
    }
}

void TestIdleNotifyCompositor::bindSeat(wl_client *client, void *, unsigned version, unsigned id)
{
    wl_resource *seat = wl_resource_create(client, &wl_seat_interface, static_cast<int>(version), id);
    wl_resource_set_implementation(seat, &kSeat, nullptr, nullptr);
}

void TestIdleNotifyCompositor::addNotification(wl_client *client, wl_resource *factory,
                                               const struct wl_interface &interface, const void *implementation,
                                               unsigned id, unsigned timeoutMs)
{
    auto *self = static_cast<TestIdleNotifyCompositor *>(wl_resource_get_user_data(factory));
    wl_resource *notification = wl_resource_create(client, &interface, wl_resource_get_version(factory), id);
    wl_resource_set_implementation(notification, implementation, self, [](wl_resource *gone) {
        auto *owner = static_cast<TestIdleNotifyCompositor *>(wl_resource_get_user_data(gone));
        std::erase(owner->m_notifications, gone);
        owner->m_notificationCount = static_cast<int>(owner->m_notifications.size());
    });
    self->m_notifications.push_back(notification);
    self->m_notificationCount = static_cast<int>(self->m_notifications.size());
    self->m_lastTimeoutMs = timeoutMs;
}

void TestIdleNotifyCompositor::bindNotifier(wl_client *client, void *data, unsigned version, unsigned id)
{
    static const struct ext_idle_notifier_v1_interface notifier = {
        .destroy = destroyResource,
        .get_idle_notification =
            [](wl_client *client, wl_resource *resource, uint32_t id, uint32_t timeout, wl_resource *) {
                addNotification(client, resource, ext_idle_notification_v1_interface, &kNotification, id, timeout);
            },
    };
    wl_resource *resource = wl_resource_create(client, &ext_idle_notifier_v1_interface, static_cast<int>(version), id);
    wl_resource_set_implementation(resource, &notifier, data, nullptr);
}

void TestIdleNotifyCompositor::bindKdeIdle(wl_client *client, void *data, unsigned version, unsigned id)
{
    static const struct org_kde_kwin_idle_interface idle = {
        .get_idle_timeout =
            [](wl_client *client, wl_resource *resource, uint32_t id, wl_resource *, uint32_t timeout) {
                addNotification(client, resource, org_kde_kwin_idle_timeout_interface, &kKdeTimeout, id, timeout);
            },
    };
    wl_resource *resource = wl_resource_create(client, &org_kde_kwin_idle_interface, static_cast<int>(version), id);
    wl_resource_set_implementation(resource, &idle, data, nullptr);
}

void TestIdleNotifyCompositor::sendIdled() { post(Command::idled); }

void TestIdleNotifyCompositor::sendResumed() { post(Command::resumed); }
