// A program that takes the clipboard and never answers for it (hung). Usage: silent_owner
// Prints "ready" once it owns the clipboard, then sleeps until killed.
#include "platform/x11/Xcb.h"

#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

int main() {
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c))
        return 1;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const xcb_window_t w = xcb_generate_id(c);
    xcb_create_window(c, XCB_COPY_FROM_PARENT, w, root, 0, 0, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY,
                      XCB_COPY_FROM_PARENT, 0, nullptr);
    xcb_set_selection_owner(c, w, InternAtom(c, "CLIPBOARD"), XCB_CURRENT_TIME);
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr)); // round trip
    std::printf("ready\n");
    std::fflush(stdout);
    for (;;)
        pause();
}
