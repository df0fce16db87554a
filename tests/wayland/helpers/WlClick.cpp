// Clicks the left mouse button at a place on the screen of a wlroots desktop, through a
// virtual pointer (a headless desktop has no mouse of its own). Usage: wl_click X Y
#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

#include <wayland-client.h>

#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include <unistd.h>

namespace {
wl_seat* Seat = nullptr;
zwlr_virtual_pointer_manager_v1* Manager = nullptr;

void Global(void*, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
    if (std::strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0)
        Manager = static_cast<zwlr_virtual_pointer_manager_v1*>(
            wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1));
    else if (std::strcmp(interface, wl_seat_interface.name) == 0 && !Seat)
        Seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
}
const wl_registry_listener RegistryListener{Global, [](void*, wl_registry*, uint32_t) {}};

constexpr uint32_t LeftButton = 0x110;         // BTN_LEFT
constexpr uint32_t Width = 1280, Height = 800; // wlsession.sh's screen

void Settle(wl_display* display, int ms) {
    wl_display_roundtrip(display);
    usleep(useconds_t(ms) * 1000);
}
} // namespace

int main(int argc, char* argv[]) {
    if (argc != 3)
        return 2;
    wl_display* display = wl_display_connect(nullptr);
    if (!display)
        return 2;
    wl_registry_add_listener(wl_display_get_registry(display), &RegistryListener, nullptr);
    wl_display_roundtrip(display);
    if (!Manager || !Seat)
        return 2;
    zwlr_virtual_pointer_v1* pointer =
        zwlr_virtual_pointer_manager_v1_create_virtual_pointer(Manager, Seat);
    // Programs take up the new pointer first, then the click comes.
    Settle(display, 500);
    zwlr_virtual_pointer_v1_motion_absolute(pointer, 0, uint32_t(std::atoi(argv[1])),
                                            uint32_t(std::atoi(argv[2])), Width, Height);
    zwlr_virtual_pointer_v1_frame(pointer);
    Settle(display, 100);
    for (uint32_t state : {WL_POINTER_BUTTON_STATE_PRESSED, WL_POINTER_BUTTON_STATE_RELEASED}) {
        zwlr_virtual_pointer_v1_button(pointer, 0, LeftButton, state);
        zwlr_virtual_pointer_v1_frame(pointer);
        Settle(display, 50);
    }
    Settle(display, 200);
    zwlr_virtual_pointer_v1_destroy(pointer);
    wl_display_roundtrip(display);
    wl_display_disconnect(display);
    return 0;
}
