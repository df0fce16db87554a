// Clients that misbehave on the data-control protocol, as any local program may:
//   wl_hostile drip           copies a text and answers each read one byte a second, never done
//   wl_hostile endless-hint   a password manager's copy whose hint never ends
//   wl_hostile endless        a copy whose text never ends
//   wl_hostile flood N        N copies as fast as the connection takes them, then exits
//   wl_hostile deaf N         asks N times for the clipboard's text and never reads it; prints
//                             "cut off" once every one of them was closed by the owner
// "ready" on standard output once the copy is made (or, deaf, once the reads are asked).
#include "DataControl.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {
enum class TMode { Drip, EndlessHint, Endless, Flood, Deaf };
TMode Mode;
std::vector<int> Answers; // reads being answered, written to for ever
zwlr_data_control_offer_v1* Current = nullptr;

void Send(void*, zwlr_data_control_source_v1*, const char* type, int fd) {
    const bool hint = std::strcmp(type, "x-kde-passwordManagerHint") == 0;
    if (Mode == TMode::Flood || (Mode == TMode::EndlessHint && !hint)) {
        [[maybe_unused]] ssize_t n = write(fd, "p4ssw0rd", 8);
        close(fd);
        return;
    }
    fcntl(fd, F_SETFL, O_NONBLOCK);
    Answers.push_back(fd);
}
void Cancelled(void*, zwlr_data_control_source_v1* source) {
    zwlr_data_control_source_v1_destroy(source); // answers under way go on regardless
}
const zwlr_data_control_source_v1_listener SourceListener{Send, Cancelled};

void Copy(zwlr_data_control_manager_v1* manager, zwlr_data_control_device_v1* device) {
    zwlr_data_control_source_v1* source = zwlr_data_control_manager_v1_create_data_source(manager);
    zwlr_data_control_source_v1_add_listener(source, &SourceListener, nullptr);
    if (Mode == TMode::EndlessHint)
        zwlr_data_control_source_v1_offer(source, "x-kde-passwordManagerHint");
    for (const char* type : {"text/plain;charset=utf-8", "text/plain", "UTF8_STRING"})
        zwlr_data_control_source_v1_offer(source, type);
    zwlr_data_control_device_v1_set_selection(device, source);
}

const zwlr_data_control_offer_v1_listener OfferListener{
    [](void*, zwlr_data_control_offer_v1*, const char*) {}};
const zwlr_data_control_device_v1_listener DeviceListener{
    [](void*, zwlr_data_control_device_v1*, zwlr_data_control_offer_v1* offer) {
        zwlr_data_control_offer_v1_add_listener(offer, &OfferListener, nullptr);
    },
    [](void*, zwlr_data_control_device_v1*, zwlr_data_control_offer_v1* offer) { Current = offer; },
    [](void*, zwlr_data_control_device_v1*) {},
    [](void*, zwlr_data_control_device_v1*, zwlr_data_control_offer_v1*) {}};

// Writes to every answer: a byte each second (drip), or all the pipe takes (endless).
void Answer(bool tick) {
    static const std::string block(65536, 'x');
    for (auto it = Answers.begin(); it != Answers.end();) {
        const ssize_t n = Mode == TMode::Drip ? (tick ? write(*it, "d", 1) : 0)
                                              : write(*it, block.data(), block.size());
        if (n < 0 && errno != EAGAIN) { // the reader went away
            close(*it);
            it = Answers.erase(it);
        } else {
            ++it;
        }
    }
}

// Takes the events that have come, without waiting: the flood's own must not pile up.
void Pump(wl_display* display) {
    while (wl_display_prepare_read(display) != 0)
        wl_display_dispatch_pending(display);
    pollfd p{wl_display_get_fd(display), POLLIN, 0};
    if (poll(&p, 1, 0) > 0 && wl_display_read_events(display) == 0)
        wl_display_dispatch_pending(display);
    else
        wl_display_cancel_read(display);
}

int Serve(wl_display* display) {
    for (;;) {
        while (wl_display_prepare_read(display) != 0)
            wl_display_dispatch_pending(display);
        wl_display_flush(display);
        std::vector<pollfd> fds{{wl_display_get_fd(display), POLLIN, 0}};
        if (Mode != TMode::Drip)
            for (int fd : Answers)
                fds.push_back({fd, POLLOUT, 0});
        const int ready = poll(fds.data(), fds.size(), 1000);
        if (ready > 0 && (fds[0].revents & POLLIN)) {
            if (wl_display_read_events(display) != 0)
                return 1;
            wl_display_dispatch_pending(display);
        } else {
            wl_display_cancel_read(display);
        }
        Answer(ready == 0);
    }
}

// Waits until every pipe's far end is closed, reading nothing.
int Deaf(wl_display* display, zwlr_data_control_device_v1* device, int count) {
    zwlr_data_control_device_v1_add_listener(device, &DeviceListener, nullptr);
    wl_display_roundtrip(display);
    if (!Current) {
        std::fprintf(stderr, "wl_hostile: the clipboard is empty\n");
        return 1;
    }
    std::vector<pollfd> reads;
    for (int i = 0; i < count; ++i) {
        int fds[2];
        if (pipe(fds) != 0)
            return 1;
        zwlr_data_control_offer_v1_receive(Current, "text/plain;charset=utf-8", fds[1]);
        close(fds[1]);
        reads.push_back({fds[0], 0, 0}); // POLLHUP is told whatever is asked
    }
    wl_display_roundtrip(display);
    std::puts("ready");
    std::fflush(stdout);
    for (size_t open = reads.size(); open > 0;) {
        if (poll(reads.data(), reads.size(), -1) < 0)
            return 1;
        for (pollfd& read : reads) {
            if (read.fd >= 0 && (read.revents & POLLHUP)) {
                close(read.fd);
                read.fd = -1;
                --open;
            }
        }
    }
    std::puts("cut off");
    std::fflush(stdout);
    pause(); // killed by the test
    return 0;
}
} // namespace

int main(int argc, char* argv[]) {
    signal(SIGPIPE, SIG_IGN); // a reader that goes away ends an answer, not the owner
    const std::string mode = argc > 1 ? argv[1] : "";
    const int count = argc > 2 ? std::atoi(argv[2]) : 0;
    if (mode == "drip")
        Mode = TMode::Drip;
    else if (mode == "endless-hint")
        Mode = TMode::EndlessHint;
    else if (mode == "endless")
        Mode = TMode::Endless;
    else if (mode == "flood" && count > 0)
        Mode = TMode::Flood;
    else if (mode == "deaf" && count > 0)
        Mode = TMode::Deaf;
    else {
        std::fprintf(stderr, "usage: wl_hostile drip|endless-hint|endless|flood N|deaf N\n");
        return 2;
    }
    wl_display* display = wl_display_connect(nullptr);
    TBoundDataControl bound;
    if (!display || !BindDataControl(display, bound)) {
        std::fprintf(stderr, "wl_hostile: no data control\n");
        return 2;
    }
    zwlr_data_control_device_v1* device =
        zwlr_data_control_manager_v1_get_data_device(bound.Manager, bound.Seat);
    if (Mode == TMode::Deaf)
        return Deaf(display, device, count);
    if (Mode == TMode::Flood) {
        for (int i = 0; i < count; ++i) {
            Copy(bound.Manager, device);
            while (wl_display_flush(display) < 0 && errno == EAGAIN)
                Pump(display);
            if (i % 64 == 0)
                Pump(display);
        }
        wl_display_flush(display);
        std::puts("ready");
        return 0;
    }
    Copy(bound.Manager, device);
    wl_display_roundtrip(display);
    std::puts("ready");
    std::fflush(stdout);
    return Serve(display);
}
