// The lean reference reader for the Wayland burst benchmark: a few dozen lines on data
// control that read every new selection's text at once and print it, a line each.
#include "wlr-data-control-unstable-v1-client-protocol.h"

#include <wayland-client.h>

#include <cstdio>
#include <cstring>
#include <string>

#include <unistd.h>

namespace {
wl_display* Display = nullptr;
wl_seat* Seat = nullptr;
zwlr_data_control_manager_v1* Manager = nullptr;

void Global(void*, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
    if (std::strcmp(interface, zwlr_data_control_manager_v1_interface.name) == 0)
        Manager = static_cast<zwlr_data_control_manager_v1*>(
            wl_registry_bind(registry, name, &zwlr_data_control_manager_v1_interface, 1));
    else if (std::strcmp(interface, wl_seat_interface.name) == 0 && !Seat)
        Seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
}
const wl_registry_listener RegistryListener{Global, [](void*, wl_registry*, uint32_t) {}};

const zwlr_data_control_offer_v1_listener OfferListener{
    [](void*, zwlr_data_control_offer_v1*, const char*) {}};

void Selection(void*, zwlr_data_control_device_v1*, zwlr_data_control_offer_v1* offer) {
    if (!offer)
        return;
    int fds[2];
    if (pipe(fds) == 0) {
        zwlr_data_control_offer_v1_receive(offer, "text/plain;charset=utf-8", fds[1]);
        close(fds[1]);
        wl_display_flush(Display);
        std::string text;
        char block[4096];
        for (ssize_t n; (n = read(fds[0], block, sizeof block)) > 0;)
            text.append(block, size_t(n));
        close(fds[0]);
        std::printf("%s\n", text.c_str());
        std::fflush(stdout);
    }
    zwlr_data_control_offer_v1_destroy(offer);
}

const zwlr_data_control_device_v1_listener DeviceListener{
    [](void*, zwlr_data_control_device_v1*, zwlr_data_control_offer_v1* offer) {
        zwlr_data_control_offer_v1_add_listener(offer, &OfferListener, nullptr);
    },
    Selection, [](void*, zwlr_data_control_device_v1*) {},
    [](void*, zwlr_data_control_device_v1*, zwlr_data_control_offer_v1* offer) {
        if (offer)
            zwlr_data_control_offer_v1_destroy(offer);
    }};
} // namespace

int main() {
    Display = wl_display_connect(nullptr);
    if (!Display)
        return 2;
    wl_registry_add_listener(wl_display_get_registry(Display), &RegistryListener, nullptr);
    wl_display_roundtrip(Display);
    if (!Manager || !Seat)
        return 2;
    zwlr_data_control_device_v1* device =
        zwlr_data_control_manager_v1_get_data_device(Manager, Seat);
    zwlr_data_control_device_v1_add_listener(device, &DeviceListener, nullptr);
    while (wl_display_dispatch(Display) >= 0) {
    }
    return 0;
}
