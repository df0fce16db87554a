// A keyboard for the tests on a headless wlroots desktop, which has none: its virtual keyboard
// stays plugged in while this runs. Each line of standard input is a chord of key sym names
// ("Shift_L Control_L v"), pressed in order and let go in the opposite order; "ready" is
// written once the keyboard is there, "done" after each chord.
#include "platform/wayland/keyboard/VirtualKeyboard.h"

#include <wayland-client.h>

#include <cstdio>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {
struct TGlobals {
    wl_seat* Seat = nullptr;
    uint32_t Keyboards = 0;
};
} // namespace

int main() {
    wl_display* display = wl_display_connect(nullptr);
    if (!display)
        return 1;
    TGlobals globals;
    static const wl_registry_listener listener{
        [](void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
            auto& g = *static_cast<TGlobals*>(data);
            if (std::strcmp(interface, TVirtualKeyboard::ManagerName()) == 0)
                g.Keyboards = name;
            else if (std::strcmp(interface, wl_seat_interface.name) == 0 && !g.Seat)
                g.Seat =
                    static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
        },
        [](void*, wl_registry*, uint32_t) {}};
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &listener, &globals);
    wl_display_roundtrip(display);
    if (!globals.Seat || !globals.Keyboards)
        return 1;
    TVirtualKeyboard keyboard(registry, globals.Keyboards, globals.Seat);
    if (!keyboard.IsReady() || wl_display_roundtrip(display) < 0)
        return 1;
    std::cout << "ready" << std::endl;
    for (std::string line; std::getline(std::cin, line);) {
        std::istringstream names(line);
        std::vector<uint32_t> codes;
        for (std::string name; names >> name;)
            codes.push_back(keyboard.CodeOf(name.c_str()));
        keyboard.Chord(codes.data(), int(codes.size()));
        wl_display_roundtrip(display);
        std::cout << "done" << std::endl;
    }
    wl_display_disconnect(display);
    return 0;
}
