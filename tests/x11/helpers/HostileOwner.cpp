// A clipboard owner that misbehaves. Usage: hostile_owner garbage | endless | dies | late-hint
//   garbage:   answers every request with random bytes, claimed as UTF-8 text
//   endless:   sends the text in pieces (INCR) and never sends the last, empty piece
//   dies:      sends two pieces, then exits in the middle of the transfer
//   late-hint: offers a password manager's hint beside its text, and never answers for it
// Prints "ready" once it owns the clipboard.
#include "platform/x11/Xcb.h"

#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {
xcb_connection_t* c;

void Notify(const xcb_selection_request_event_t* r, xcb_atom_t property) {
    xcb_selection_notify_event_t n{};
    n.response_type = XCB_SELECTION_NOTIFY;
    n.time = r->time;
    n.requestor = r->requestor;
    n.selection = r->selection;
    n.target = r->target;
    n.property = property;
    xcb_send_event(c, 0, r->requestor, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<char*>(&n));
    xcb_flush(c);
}
} // namespace

int main(int argc, char* argv[]) {
    const std::string mode = argc > 1 ? argv[1] : "garbage";
    c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c))
        return 1;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const xcb_window_t w = xcb_generate_id(c);
    xcb_create_window(c, XCB_COPY_FROM_PARENT, w, root, 0, 0, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY,
                      XCB_COPY_FROM_PARENT, 0, nullptr);
    const xcb_atom_t clipboard = InternAtom(c, "CLIPBOARD"), utf8 = InternAtom(c, "UTF8_STRING"),
                     incr = InternAtom(c, "INCR"), targetsAtom = InternAtom(c, "TARGETS"),
                     hint = InternAtom(c, "x-kde-passwordManagerHint");
    xcb_set_selection_owner(c, w, clipboard, XCB_CURRENT_TIME);
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
    std::printf("ready\n");
    std::fflush(stdout);

    std::mt19937 random(7);
    std::vector<char> piece(65536);
    xcb_window_t requestor = 0;
    xcb_atom_t property = 0;
    int pieces = 0;
    while (xcb_generic_event_t* e = xcb_wait_for_event(c)) {
        const int type = e->response_type & 0x7f;
        if (type == XCB_SELECTION_REQUEST) {
            const auto* r = reinterpret_cast<xcb_selection_request_event_t*>(e);
            if (mode == "late-hint") {
                if (r->target == hint) {
                    std::free(e);
                    continue; // the answer that decides whether this is a secret never comes
                }
                const xcb_atom_t targets[] = {targetsAtom, utf8, hint};
                if (r->target == utf8)
                    xcb_change_property(c, XCB_PROP_MODE_REPLACE, r->requestor, r->property, utf8,
                                        8, 7, "hunter2");
                else
                    xcb_change_property(c, XCB_PROP_MODE_REPLACE, r->requestor, r->property,
                                        XCB_ATOM_ATOM, 32, 3, targets);
            } else if (mode == "garbage") {
                for (char& b : piece)
                    b = char(random());
                xcb_change_property(c, XCB_PROP_MODE_REPLACE, r->requestor, r->property, utf8, 8,
                                    1000 + random() % 4000, piece.data());
            } else if (r->target == utf8) {
                // Pieces follow as the requestor deletes the property.
                requestor = r->requestor;
                property = r->property;
                const uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
                xcb_change_window_attributes(c, requestor, XCB_CW_EVENT_MASK, &events);
                const uint32_t size = 1u << 30;
                xcb_change_property(c, XCB_PROP_MODE_REPLACE, requestor, property, incr, 32, 1,
                                    &size);
            } else {
                const xcb_atom_t targets[] = {utf8};
                xcb_change_property(c, XCB_PROP_MODE_REPLACE, r->requestor, r->property,
                                    XCB_ATOM_ATOM, 32, 1, targets);
            }
            Notify(r, r->property);
        } else if (type == XCB_PROPERTY_NOTIFY) {
            const auto* p = reinterpret_cast<xcb_property_notify_event_t*>(e);
            if (p->window == requestor && p->atom == property && p->state == XCB_PROPERTY_DELETE) {
                if (mode == "dies" && ++pieces > 2)
                    return 0; // gone in the middle of the transfer
                std::memset(piece.data(), 'e', piece.size());
                xcb_change_property(c, XCB_PROP_MODE_REPLACE, requestor, property, utf8, 8,
                                    piece.size(), piece.data());
                xcb_flush(c);
            }
        } else if (type == XCB_SELECTION_CLEAR) {
            return 0;
        }
        std::free(e);
        xcb_flush(c);
    }
    return 0;
}
