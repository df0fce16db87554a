// Copies through the data-control protocol, as a password manager or a scripted burst would,
// and serves what it copied until something else is copied.
//   wl_copier [--type TYPE=VALUE]... TEXT   TEXT in the usual text types, and each extra type
//                                           with its value (a password manager's hint)
//   wl_copier --burst N MS                  "burst-1" ... "burst-N", one every MS milliseconds
#include "DataControl.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

#include <poll.h>
#include <unistd.h>

namespace {
zwlr_data_control_manager_v1* Manager = nullptr;
int Live = 0; // sources not yet replaced

using TTypes = std::map<std::string, std::string>; // type -> what is sent for it

void Send(void* data, zwlr_data_control_source_v1*, const char* type, int fd) {
    const TTypes& types = *static_cast<TTypes*>(data);
    const auto found = types.find(type);
    if (found != types.end()) {
        const std::string& text = found->second;
        for (size_t done = 0; done < text.size();) {
            const ssize_t n = write(fd, text.data() + done, text.size() - done);
            if (n <= 0)
                break;
            done += size_t(n);
        }
    }
    close(fd);
}

void Cancelled(void* data, zwlr_data_control_source_v1* source) {
    delete static_cast<TTypes*>(data);
    zwlr_data_control_source_v1_destroy(source);
    --Live;
}
const zwlr_data_control_source_v1_listener SourceListener{Send, Cancelled};

void Copy(zwlr_data_control_device_v1* device, TTypes* types) {
    zwlr_data_control_source_v1* source = zwlr_data_control_manager_v1_create_data_source(Manager);
    zwlr_data_control_source_v1_add_listener(source, &SourceListener, types);
    for (const auto& [type, value] : *types)
        zwlr_data_control_source_v1_offer(source, type.c_str());
    zwlr_data_control_device_v1_set_selection(device, source);
    ++Live;
}

TTypes* Text(const std::string& text) {
    auto* types = new TTypes;
    for (const char* type :
         {"text/plain;charset=utf-8", "text/plain", "UTF8_STRING", "TEXT", "STRING"})
        (*types)[type] = text;
    return types;
}

// Dispatches events for up to ms milliseconds (-1: until the display has none to wait for).
bool Dispatch(wl_display* display, int ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    for (;;) {
        while (wl_display_prepare_read(display) != 0)
            wl_display_dispatch_pending(display);
        wl_display_flush(display);
        int left = -1;
        if (ms >= 0)
            left = int(std::chrono::duration_cast<std::chrono::milliseconds>(
                           end - std::chrono::steady_clock::now())
                           .count());
        if (ms >= 0 && left <= 0) {
            wl_display_cancel_read(display);
            return true;
        }
        pollfd p{wl_display_get_fd(display), POLLIN, 0};
        if (poll(&p, 1, left) > 0) {
            if (wl_display_read_events(display) != 0)
                return false;
            wl_display_dispatch_pending(display);
        } else {
            wl_display_cancel_read(display);
        }
        if (ms < 0)
            return true;
    }
}
} // namespace

int main(int argc, char* argv[]) {
    wl_display* display = wl_display_connect(nullptr);
    if (!display) {
        std::fprintf(stderr, "wl_copier: no Wayland display\n");
        return 2;
    }
    TBoundDataControl bound;
    if (!BindDataControl(display, bound)) {
        std::fprintf(stderr, "wl_copier: no data control\n");
        return 2;
    }
    Manager = bound.Manager;
    zwlr_data_control_device_v1* device =
        zwlr_data_control_manager_v1_get_data_device(Manager, bound.Seat);
    if (argc == 4 && std::strcmp(argv[1], "--burst") == 0) {
        const int count = std::atoi(argv[2]), ms = std::atoi(argv[3]);
        for (int i = 1; i <= count; ++i) {
            Copy(device, Text("burst-" + std::to_string(i)));
            if (!Dispatch(display, ms))
                return 1;
        }
    } else {
        TTypes extra;
        int i = 1;
        for (; i + 1 < argc && std::strcmp(argv[i], "--type") == 0; i += 2) {
            const std::string pair = argv[i + 1];
            const size_t eq = pair.find('=');
            extra[pair.substr(0, eq)] = eq == std::string::npos ? "" : pair.substr(eq + 1);
        }
        if (i + 1 != argc) {
            std::fprintf(stderr, "usage: wl_copier [--type TYPE=VALUE]... TEXT | --burst N MS\n");
            return 2;
        }
        TTypes* types = Text(argv[i]);
        types->insert(extra.begin(), extra.end());
        Copy(device, types);
    }
    // Serves the last copy until it is replaced.
    while (Live > 0 && Dispatch(display, -1)) {
    }
    wl_display_disconnect(display);
    return 0;
}
