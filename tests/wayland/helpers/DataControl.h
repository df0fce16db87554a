#pragma once

// The data-control manager and the seat of a Wayland display, for the small clients of the
// tests and benchmarks (plain libwayland, no Qt).
#include "wlr-data-control-unstable-v1-client-protocol.h"

#include <wayland-client.h>

#include <cstring>

struct TBoundDataControl {
    wl_registry* Registry = nullptr;
    wl_seat* Seat = nullptr;
    zwlr_data_control_manager_v1* Manager = nullptr;
};

// Binds both; false when the display offers no data control.
inline bool BindDataControl(wl_display* display, TBoundDataControl& bound) {
    static const wl_registry_listener listener{
        [](void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
            auto& b = *static_cast<TBoundDataControl*>(data);
            if (std::strcmp(interface, zwlr_data_control_manager_v1_interface.name) == 0)
                b.Manager = static_cast<zwlr_data_control_manager_v1*>(
                    wl_registry_bind(registry, name, &zwlr_data_control_manager_v1_interface, 1));
            else if (std::strcmp(interface, wl_seat_interface.name) == 0 && !b.Seat)
                b.Seat =
                    static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
        },
        [](void*, wl_registry*, uint32_t) {}};
    bound.Registry = wl_display_get_registry(display);
    wl_registry_add_listener(bound.Registry, &listener, &bound);
    wl_display_roundtrip(display);
    return bound.Manager && bound.Seat;
}
