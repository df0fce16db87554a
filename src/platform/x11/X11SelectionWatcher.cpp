#include "X11SelectionWatcher.h"

#include "Xcb.h"

#include <QElapsedTimer>

#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <unistd.h>
#include <xcb/xcb.h>
#include <xcb/xfixes.h>

namespace {
// A larger clip is not recorded: it would only exhaust memory.

int ResponseType(const xcb_generic_event_t* e) {
    return e->response_type & ~0x80;
}
} // namespace

TX11SelectionWatcher::TX11SelectionWatcher(QObject* parent) : QThread(parent) {
    qRegisterMetaType<TSelectionSnapshot>();
}

TX11SelectionWatcher::~TX11SelectionWatcher() {
    if (StopPipe[1] >= 0) {
        const char stop = 1;
        [[maybe_unused]] ssize_t n = ::write(StopPipe[1], &stop, 1);
        wait();
        ::close(StopPipe[0]);
        ::close(StopPipe[1]);
    }
    for (xcb_generic_event_t* e : Deferred)
        std::free(e);
    if (Connection)
        xcb_disconnect(Connection);
}

quint32 TX11SelectionWatcher::Atom(const char* name) const {
    return InternAtom(Connection, name);
}

bool TX11SelectionWatcher::Start() {
    int screenNumber = 0;
    Connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(Connection))
        return false;
    const xcb_query_extension_reply_t* xfixes = xcb_get_extension_data(Connection, &xcb_xfixes_id);
    if (!xfixes || !xfixes->present)
        return false;
    XfixesFirstEvent = xfixes->first_event;
    std::free(xcb_xfixes_query_version_reply(Connection, xcb_xfixes_query_version(Connection, 5, 0),
                                             nullptr));

    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(Connection));
    for (int i = 0; i < screenNumber && it.rem; ++i)
        xcb_screen_next(&it);
    Root = it.data->root;
    Window = xcb_generate_id(Connection);
    const uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(Connection, XCB_COPY_FROM_PARENT, Window, Root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK,
                      &events);
    Atoms = {Atom("CLIPBOARD"),     Atom("TARGETS"),        Atom("UTF8_STRING"),
             Atom("STRING"),        Atom("TEXT"),           Atom("text/plain;charset=utf-8"),
             Atom("INCR"),          Atom(PasswordHintType), Atom("QUILLERY_TARGETS"),
             Atom("QUILLERY_TEXT"), Atom("QUILLERY_HINT")};
    xcb_xfixes_select_selection_input(Connection, Root, Atoms.Clipboard,
                                      XCB_XFIXES_SELECTION_EVENT_MASK_SET_SELECTION_OWNER |
                                          XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_WINDOW_DESTROY |
                                          XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_CLIENT_CLOSE);
    xcb_flush(Connection);
    if (::pipe(StopPipe) != 0)
        return false;
    start();
    return true;
}

quint32 TX11SelectionWatcher::CurrentOwner(xcb_connection_t* connection) {
    const quint32 clipboard = InternAtom(connection, "CLIPBOARD");
    if (!clipboard)
        return 0;
    xcb_get_selection_owner_reply_t* reply = xcb_get_selection_owner_reply(
        connection, xcb_get_selection_owner(connection, clipboard), nullptr);
    const quint32 owner = reply ? reply->owner : 0;
    std::free(reply);
    return owner;
}

bool TX11SelectionWatcher::IsOwnerChange(const xcb_generic_event_t* e) const {
    return ResponseType(e) == XfixesFirstEvent + XCB_XFIXES_SELECTION_NOTIFY;
}

void TX11SelectionWatcher::run() {
    for (;;) {
        xcb_generic_event_t* e = nullptr;
        if (!Deferred.empty()) {
            e = Deferred.front();
            Deferred.pop_front();
            DeferredOwnerChanges -= IsOwnerChange(e);
        } else {
            e = NextEvent(-1);
        }
        if (!e)
            return; // stopped, or the connection is gone
        // A change already replaced by a newer one needs no fetch: the clipboard answers for
        // its current owner only, so the newer change reads the same text.
        const bool fetch = IsOwnerChange(e) && !NewerOwnerChangeWaiting();
        if (fetch && !WaitForRoom()) {
            std::free(e);
            return;
        }
        if (fetch)
            HandleOwnerChange(reinterpret_cast<xcb_xfixes_selection_notify_event_t*>(e)->owner);
        std::free(e);
    }
}

void TX11SelectionWatcher::Defer(xcb_generic_event_t* event) {
    Deferred.push_back(event);
    DeferredOwnerChanges += IsOwnerChange(event);
}

bool TX11SelectionWatcher::NewerOwnerChangeWaiting() {
    while (xcb_generic_event_t* e = xcb_poll_for_event(Connection))
        Defer(e);
    return DeferredOwnerChanges > 0;
}

// Waits while the receiver has MaxPending changes to take; false when stopped meanwhile.
bool TX11SelectionWatcher::WaitForRoom() {
    while (Pending.load() >= MaxPending) {
        pollfd stop = {StopPipe[0], POLLIN, 0};
        if (::poll(&stop, 1, 5) > 0)
            return false;
    }
    return true;
}

xcb_generic_event_t* TX11SelectionWatcher::NextEvent(int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    for (;;) {
        if (xcb_generic_event_t* e = xcb_poll_for_event(Connection))
            return e;
        if (xcb_connection_has_error(Connection))
            return nullptr;
        const int left = timeoutMs < 0 ? -1 : std::max<int>(0, timeoutMs - timer.elapsed());
        pollfd fds[2] = {{xcb_get_file_descriptor(Connection), POLLIN, 0},
                         {StopPipe[0], POLLIN, 0}};
        if (::poll(fds, 2, left) <= 0 && left >= 0)
            return nullptr; // timed out
        if (fds[1].revents)
            return nullptr;
    }
}

template <class Pred> xcb_generic_event_t* TX11SelectionWatcher::WaitFor(Pred accept) {
    QElapsedTimer timer;
    timer.start();
    for (auto it = Deferred.begin(); it != Deferred.end(); ++it) {
        if (accept(*it)) {
            xcb_generic_event_t* e = *it;
            Deferred.erase(it);
            return e;
        }
    }
    while (timer.elapsed() < OwnerAnswerTimeoutMs) {
        xcb_generic_event_t* e = NextEvent(OwnerAnswerTimeoutMs - int(timer.elapsed()));
        if (!e)
            return nullptr;
        if (accept(e))
            return e;
        Defer(e);
    }
    return nullptr;
}

void TX11SelectionWatcher::HandleOwnerChange(quint32 owner) {
    if (owner != 0 && owner == OwnWindow.load())
        return;
    TSelectionSnapshot snapshot;
    snapshot.Owner = owner;
    if (owner != 0)
        snapshot = Fetch(owner);
    ++Pending;
    emit Changed(snapshot);
}

TSelectionSnapshot TX11SelectionWatcher::Fetch(quint32 owner) {
    TSelectionSnapshot s;
    s.Owner = owner;
    Oversized = false;
    // Ask for the list of forms and the UTF-8 text together: one round trip, before the next
    // copy can take the clipboard away.
    Request(Atoms.Targets, Atoms.PropTargets);
    Request(Atoms.Utf8, Atoms.PropText);
    QByteArray targetBytes, text, hint;
    const TReply targetsReply = Receive(Atoms.Targets, Atoms.PropTargets, targetBytes);
    TReply textReply =
        targetsReply == TReply::Silent ? TReply::Silent : Receive(Atoms.Utf8, Atoms.PropText, text);
    QList<quint32> targets(targetBytes.size() / 4);
    if (!targets.isEmpty())
        std::memcpy(targets.data(), targetBytes.constData(), targets.size() * 4);

    // Owners answer any request, so the list of forms decides what the answer means; an
    // owner without a list is taken at its word.
    const bool listed = targetsReply == TReply::Data && !targets.isEmpty();
    if (listed && !targets.contains(Atoms.Utf8)) {
        textReply = TReply::Refused;
        if (targets.contains(Atoms.PlainUtf8)) {
            textReply = Convert(Atoms.PlainUtf8, Atoms.PropText, text);
        } else if (targets.contains(Atoms.String) || targets.contains(Atoms.Text)) {
            textReply = Convert(Atoms.String, Atoms.PropText, text);
            text = QString::fromLatin1(text).toUtf8();
        }
    }
    // A password manager's hint that cannot be read counts as a secret: never recorded.
    if (targets.contains(Atoms.Hint))
        s.Secret = Convert(Atoms.Hint, Atoms.PropHint, hint) != TReply::Data || IsSecretHint(hint);
    // An owner that went away before answering is no failure: the next change says the rest.
    s.Failed = textReply == TReply::Silent && CurrentOwner(Connection) == owner;
    s.HasText = textReply == TReply::Data;
    s.TooLarge = Oversized;
    if (s.HasText)
        s.Text = text;
    return s;
}

void TX11SelectionWatcher::Request(quint32 target, quint32 property) {
    xcb_convert_selection(Connection, Window, Atoms.Clipboard, target, property, XCB_CURRENT_TIME);
}

TX11SelectionWatcher::TReply TX11SelectionWatcher::Convert(quint32 target, quint32 property,
                                                           QByteArray& data) {
    Request(target, property);
    return Receive(target, property, data);
}

TX11SelectionWatcher::TReply TX11SelectionWatcher::Receive(quint32 target, quint32 property,
                                                           QByteArray& data) {
    xcb_flush(Connection);
    xcb_generic_event_t* e = WaitFor([&](xcb_generic_event_t* ev) {
        if (ResponseType(ev) != XCB_SELECTION_NOTIFY)
            return false;
        const auto* n = reinterpret_cast<xcb_selection_notify_event_t*>(ev);
        return n->requestor == Window && n->target == target;
    });
    if (!e)
        return TReply::Silent;
    const bool refused = reinterpret_cast<xcb_selection_notify_event_t*>(e)->property == XCB_NONE;
    std::free(e);
    if (refused)
        return TReply::Refused;
    return ReadProperty(property, data) ? TReply::Data : TReply::Refused;
}

bool TX11SelectionWatcher::ReadProperty(quint32 property, QByteArray& data, quint32* typeOut) {
    data.clear();
    quint32 offset = 0;
    quint32 type = 0;
    for (;;) {
        xcb_get_property_reply_t* reply =
            xcb_get_property_reply(Connection,
                                   xcb_get_property(Connection, 0, Window, property,
                                                    XCB_GET_PROPERTY_TYPE_ANY, offset, 1u << 20),
                                   nullptr);
        if (!reply)
            return false;
        type = reply->type;
        const int length = xcb_get_property_value_length(reply);
        data.append(static_cast<const char*>(xcb_get_property_value(reply)), length);
        const quint32 after = reply->bytes_after;
        std::free(reply);
        if (after == 0 || length == 0 || data.size() > MaxClipBytes)
            break;
        offset += quint32(length) / 4;
    }
    // Deleting the property asks an incremental sender for its next piece. Some senders
    // take any deletion on the window as that request, so small answers are left in place.
    if (type == Atoms.Incr || typeOut || data.size() > 4096) {
        xcb_delete_property(Connection, Window, property);
        xcb_flush(Connection);
    }
    if (typeOut) {
        *typeOut = type;
        return true;
    }
    if (type == Atoms.Incr)
        return ReadIncremental(property, data);
    Oversized = Oversized || data.size() > MaxClipBytes;
    return data.size() <= MaxClipBytes;
}

// A large text arrives in pieces: each deletion of the property asks for the next one,
// and an empty piece ends it.
bool TX11SelectionWatcher::ReadIncremental(quint32 property, QByteArray& data) {
    data.clear();
    // The notice of the INCR marker itself came before the answer; it is no new piece.
    std::erase_if(Deferred, [&](xcb_generic_event_t* e) {
        const bool stale = ResponseType(e) == XCB_PROPERTY_NOTIFY &&
                           reinterpret_cast<xcb_property_notify_event_t*>(e)->atom == property;
        if (stale)
            std::free(e);
        return stale;
    });
    for (;;) {
        xcb_generic_event_t* e = WaitFor([&](xcb_generic_event_t* ev) {
            if (ResponseType(ev) != XCB_PROPERTY_NOTIFY)
                return false;
            const auto* p = reinterpret_cast<xcb_property_notify_event_t*>(ev);
            return p->window == Window && p->atom == property && p->state == XCB_PROPERTY_NEW_VALUE;
        });
        if (!e)
            return false;
        std::free(e);
        QByteArray piece;
        quint32 type = XCB_NONE;
        if (!ReadProperty(property, piece, &type))
            return false;
        if (type == XCB_NONE)
            continue; // a notice of a piece already taken
        if (piece.isEmpty())
            return true;
        data += piece;
        if (data.size() > MaxClipBytes) {
            Oversized = true;
            return false;
        }
    }
}
