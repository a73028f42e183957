// Input for the desktop tests on Wayland, through the compositor's own protocols for emulated
// devices: wlroots' virtual pointer (Sway) or KWin's fake input. No test reaches a compositor's
// input otherwise when it runs headless without devices.
//
//   pelmix_wayland_input move X Y WIDTH HEIGHT        the pointer to X,Y of a WIDTH×HEIGHT output
//   pelmix_wayland_input click left|middle|right X Y WIDTH HEIGHT
//   pelmix_wayland_input nudge                        a one-pixel move there and back (activity)
#include "fake-input-client-protocol.h"
#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

#include <wayland-client.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace {

constexpr std::uint32_t kButtons[] = {0x110, 0x112, 0x111}; // BTN_LEFT, BTN_MIDDLE, BTN_RIGHT

struct Globals {
    wl_seat *seat = nullptr;
    zwlr_virtual_pointer_manager_v1 *wlroots = nullptr;
    org_kde_kwin_fake_input *kwin = nullptr;
};

void announce(void *data, wl_registry *registry, std::uint32_t name, const char *interface, std::uint32_t version)
{
    auto *globals = static_cast<Globals *>(data);
    if (std::strcmp(interface, wl_seat_interface.name) == 0 && !globals->seat)
        globals->seat = static_cast<wl_seat *>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    else if (std::strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0)
        globals->wlroots = static_cast<zwlr_virtual_pointer_manager_v1 *>(
            wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1));
    else if (std::strcmp(interface, org_kde_kwin_fake_input_interface.name) == 0)
        globals->kwin = static_cast<org_kde_kwin_fake_input *>(
            wl_registry_bind(registry, name, &org_kde_kwin_fake_input_interface, version < 4 ? version : 4));
}

void forget(void *, wl_registry *, std::uint32_t) {}

const wl_registry_listener kRegistryListener{announce, forget};

std::uint32_t now()
{
    using namespace std::chrono;
    return static_cast<std::uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

int usage()
{
    std::fprintf(stderr, "usage: pelmix_wayland_input move X Y W H | click left|middle|right X Y W H | nudge\n");
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 2)
        return usage();
    const std::string command = argv[1];
    const int at = command == "click" ? 3 : 2;
    if ((command == "move" || command == "click") && argc < at + 4)
        return usage();
    wl_display *display = wl_display_connect(nullptr);
    if (!display) {
        std::fprintf(stderr, "pelmix_wayland_input: no Wayland display\n");
        return 1;
    }
    Globals globals;
    wl_registry *registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &kRegistryListener, &globals);
    wl_display_roundtrip(display);

    const auto number = [&](int index) { return static_cast<std::uint32_t>(std::atoi(argv[index])); };
    int button = -1;
    if (command == "click") {
        const std::string which = argv[2];
        button = which == "left" ? 0 : which == "middle" ? 1 : which == "right" ? 2 : -1;
        if (button < 0)
            return usage();
    } else if (command != "move" && command != "nudge") {
        return usage();
    }

    if (globals.wlroots) {
        zwlr_virtual_pointer_v1 *pointer =
            zwlr_virtual_pointer_manager_v1_create_virtual_pointer(globals.wlroots, globals.seat);
        // A new device gives the seat a pointer; its clients take theirs only after that, and
        // events sent before then reach none.
        const auto settle = [display](int ms) {
            wl_display_roundtrip(display);
            std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        };
        settle(300);
        if (command == "nudge") {
            zwlr_virtual_pointer_v1_motion(pointer, now(), wl_fixed_from_int(1), 0);
            zwlr_virtual_pointer_v1_frame(pointer);
            zwlr_virtual_pointer_v1_motion(pointer, now(), wl_fixed_from_int(-1), 0);
            zwlr_virtual_pointer_v1_frame(pointer);
        } else {
            zwlr_virtual_pointer_v1_motion_absolute(pointer, now(), number(at), number(at + 1), number(at + 2),
                                                    number(at + 3));
            zwlr_virtual_pointer_v1_frame(pointer);
        }
        settle(100);
        if (button >= 0) {
            for (const auto state : {WL_POINTER_BUTTON_STATE_PRESSED, WL_POINTER_BUTTON_STATE_RELEASED}) {
                zwlr_virtual_pointer_v1_button(pointer, now(), kButtons[button], state);
                zwlr_virtual_pointer_v1_frame(pointer);
            }
        }
        // The device stays a moment, so that the clients under it get the events before it goes.
        settle(300);
        zwlr_virtual_pointer_v1_destroy(pointer);
    } else if (globals.kwin) {
        org_kde_kwin_fake_input_authenticate(globals.kwin, "Pelmix tests", "desktop tests");
        if (command == "nudge") {
            org_kde_kwin_fake_input_pointer_motion(globals.kwin, wl_fixed_from_int(1), 0);
            org_kde_kwin_fake_input_pointer_motion(globals.kwin, wl_fixed_from_int(-1), 0);
        } else {
            org_kde_kwin_fake_input_pointer_motion_absolute(globals.kwin, wl_fixed_from_int(number(at)),
                                                            wl_fixed_from_int(number(at + 1)));
        }
        if (button >= 0) {
            org_kde_kwin_fake_input_button(globals.kwin, kButtons[button], WL_POINTER_BUTTON_STATE_PRESSED);
            org_kde_kwin_fake_input_button(globals.kwin, kButtons[button], WL_POINTER_BUTTON_STATE_RELEASED);
        }
    } else {
        std::fprintf(stderr, "pelmix_wayland_input: the compositor offers neither virtual pointers nor fake input\n");
        return 1;
    }
    wl_display_roundtrip(display);
    wl_display_disconnect(display);
    return 0;
}
