// Copies "burst-1" ... "burst-N" to the clipboard at a fixed rate, each copy from a new owner
// window as if from a new program, and answers requests for each while it owns it.
// Usage: burst_copier COUNT COPIES_PER_SECOND
#include "platform/x11/Xcb.h"

#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <poll.h>
#include <string>

namespace {
xcb_connection_t* c;

void Answer(const xcb_selection_request_event_t* req, const std::string& text, xcb_atom_t targets,
            xcb_atom_t utf8, xcb_atom_t string) {
    xcb_atom_t property = req->property ? req->property : req->target;
    if (req->target == targets) {
        const xcb_atom_t list[] = {targets, utf8, string};
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, req->requestor, property, XCB_ATOM_ATOM, 32,
                            3, list);
    } else if (req->target == utf8 || req->target == string) {
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, req->requestor, property, req->target, 8,
                            text.size(), text.data());
    } else {
        property = XCB_NONE;
    }
    xcb_selection_notify_event_t n{};
    n.response_type = XCB_SELECTION_NOTIFY;
    n.time = req->time;
    n.requestor = req->requestor;
    n.selection = req->selection;
    n.target = req->target;
    n.property = property;
    xcb_send_event(c, 0, req->requestor, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<char*>(&n));
}
} // namespace

int main(int argc, char* argv[]) {
    const int count = argc > 1 ? std::atoi(argv[1]) : 200;
    const double rate = argc > 2 ? std::atof(argv[2]) : 150;
    int screenNumber = 0;
    c = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(c))
        return 1;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const xcb_atom_t clipboard = InternAtom(c, "CLIPBOARD"), targets = InternAtom(c, "TARGETS"),
                     utf8 = InternAtom(c, "UTF8_STRING"), string = InternAtom(c, "STRING");
    std::map<xcb_window_t, std::string> owned;
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    const auto step = std::chrono::duration<double>(1.0 / rate);
    int copied = 0;
    auto linger = Clock::now() + std::chrono::hours(1);
    double seconds = 0;
    while (Clock::now() < linger) {
        const auto now = Clock::now();
        if (copied < count && now >= start + step * copied) {
            const xcb_window_t w = xcb_generate_id(c);
            xcb_create_window(c, XCB_COPY_FROM_PARENT, w, root, 0, 0, 1, 1, 0,
                              XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
            owned[w] = "burst-" + std::to_string(++copied);
            xcb_set_selection_owner(c, w, clipboard, XCB_CURRENT_TIME);
            xcb_flush(c);
            if (copied == count) {
                // Keep answering for the last copy a while after it was made.
                seconds = std::chrono::duration<double>(Clock::now() - start).count();
                linger = Clock::now() + std::chrono::milliseconds(1500);
            }
            continue;
        }
        while (xcb_generic_event_t* e = xcb_poll_for_event(c)) {
            if ((e->response_type & ~0x80) == XCB_SELECTION_REQUEST) {
                auto* req = reinterpret_cast<xcb_selection_request_event_t*>(e);
                Answer(req, owned[req->owner], targets, utf8, string);
                xcb_flush(c);
            }
            std::free(e);
        }
        const auto next = copied < count ? start + step * copied : linger;
        // To the microsecond: a wait cut to whole milliseconds spins a core at high rates.
        const auto wait = std::max<long long>(
            0, std::chrono::duration_cast<std::chrono::nanoseconds>(next - Clock::now()).count());
        const timespec timeout{time_t(wait / 1000000000), long(wait % 1000000000)};
        pollfd fd{xcb_get_file_descriptor(c), POLLIN, 0};
        ::ppoll(&fd, 1, &timeout, nullptr);
    }
    std::printf("%d %.4f\n", copied, seconds);
    xcb_disconnect(c);
    return 0;
}
