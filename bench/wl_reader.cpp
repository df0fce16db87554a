// The lean reference reader for the Wayland burst benchmark: a few dozen lines on data
// control that read every new selection's text at once and print it, a line each.
#include "wayland/helpers/DataControl.h"

#include <cstdio>
#include <cstring>
#include <string>

#include <unistd.h>

namespace {
wl_display* Display = nullptr;

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
    TBoundDataControl bound;
    if (!BindDataControl(Display, bound))
        return 2;
    zwlr_data_control_device_v1* device =
        zwlr_data_control_manager_v1_get_data_device(bound.Manager, bound.Seat);
    zwlr_data_control_device_v1_add_listener(device, &DeviceListener, nullptr);
    while (wl_display_dispatch(Display) >= 0) {
    }
    return 0;
}
