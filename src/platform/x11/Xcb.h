#pragma once

#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>

// The atom of a name on a connection (a round trip); 0 when the server does not answer.
// Plain xcb, so that the small X helper programs of the tests and benchmarks share it.
inline xcb_atom_t InternAtom(xcb_connection_t* connection, const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, std::strlen(name), name), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : 0;
    std::free(reply);
    return atom;
}
