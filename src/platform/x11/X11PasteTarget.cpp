#include "X11PasteTarget.h"

#include "Xcb.h"

#include <QGuiApplication>
#include <QTimer>
#include <QWindow>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>

namespace {
constexpr int PollMs = 5;
constexpr int GiveUpMs = 3000; // a window that takes no focus this long gets no paste
constexpr int FetchMs = 1000;  // a window that asks for no text this long takes none
// Programs drop keys that come right after the hot key's grab ends (Tk does): the target
// must have had the focus, with the keys up, this long.
constexpr int SettleMs = 50;

Display* XDisplay() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->display() : nullptr;
}
} // namespace

TX11PasteTarget::TX11PasteTarget(QObject* parent) : IPasteTarget(parent) {
    if (auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()) {
        Connection = x11->connection();
        Root = xcb_setup_roots_iterator(xcb_get_setup(Connection)).data->root;
        // Looked up once: the walk runs on every paste.
        Atoms = {InternAtom(Connection, "_NET_WM_STATE"),
                 InternAtom(Connection, "_NET_WM_STATE_ABOVE"),
                 InternAtom(Connection, "_NET_WM_STATE_HIDDEN"),
                 InternAtom(Connection, "_NET_WM_WINDOW_TYPE"),
                 InternAtom(Connection, "_NET_WM_WINDOW_TYPE_DOCK"),
                 InternAtom(Connection, "_NET_WM_WINDOW_TYPE_DESKTOP"),
                 InternAtom(Connection, "_NET_CLIENT_LIST_STACKING"),
                 InternAtom(Connection, "_NET_ACTIVE_WINDOW"),
                 InternAtom(Connection, "_NET_SUPPORTED"),
                 InternAtom(Connection, "CLIPBOARD"),
                 InternAtom(Connection, "TARGETS"),
                 InternAtom(Connection, "TIMESTAMP"),
                 InternAtom(Connection, "MULTIPLE")};
        qGuiApp->installNativeEventFilter(this);
    }
}

TX11PasteTarget::~TX11PasteTarget() {
    if (qGuiApp)
        qGuiApp->removeNativeEventFilter(this);
}

// The window asking for the clipboard's text: Qt answers it in this same turn, so the
// clipboard may change from the next turn on.
bool TX11PasteTarget::nativeEventFilter(const QByteArray&, void* message, qintptr*) {
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if (!Typed || (event->response_type & 0x7f) != XCB_SELECTION_REQUEST)
        return false;
    const auto* request = static_cast<const xcb_selection_request_event_t*>(message);
    const quint32 target = request->target;
    if (request->selection == Atoms.Clipboard && target != Atoms.Targets &&
        target != Atoms.Timestamp && target != Atoms.Multiple)
        QTimer::singleShot(0, this, &TX11PasteTarget::Finish);
    return false;
}

QList<quint32> TX11PasteTarget::WindowProperty(quint32 window, quint32 atom) const {
    auto* reply = xcb_get_property_reply(
        Connection,
        xcb_get_property(Connection, 0, window, atom, XCB_GET_PROPERTY_TYPE_ANY, 0, 4096), nullptr);
    QList<quint32> values;
    if (reply && reply->format == 32) {
        const auto* data = static_cast<const quint32*>(xcb_get_property_value(reply));
        values = QList<quint32>(data, data + xcb_get_property_value_length(reply) / 4);
    }
    std::free(reply);
    return values;
}

// Topmost ("above"), hidden and unmapped windows are passed over, and so are the desktop and
// the panels, which stand in the stacking list like any window.
bool TX11PasteTarget::Skipped(quint32 window) const {
    // A hot key pastes into another program: Ctrl+V typed into the program's own window would
    // be taken for an edit of its list.
    for (const QWindow* own : QGuiApplication::topLevelWindows()) {
        if (own->handle() && quint32(own->winId()) == window)
            return true;
    }
    const QList<quint32> state = WindowProperty(window, Atoms.State);
    if (state.contains(Atoms.StateAbove) || state.contains(Atoms.StateHidden))
        return true;
    const QList<quint32> type = WindowProperty(window, Atoms.Type);
    if (type.contains(Atoms.TypeDock) || type.contains(Atoms.TypeDesktop))
        return true;
    auto* attributes = xcb_get_window_attributes_reply(
        Connection, xcb_get_window_attributes(Connection, window), nullptr);
    const bool viewable = attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
    std::free(attributes);
    return !viewable;
}

quint64 TX11PasteTarget::FindPasteWindow() {
    if (!Connection)
        return 0;
    QList<quint32> stack = WindowProperty(Root, Atoms.Stacking);
    if (stack.isEmpty()) {
        // No window manager list: the server's own order, bottom to top.
        if (auto* tree =
                xcb_query_tree_reply(Connection, xcb_query_tree(Connection, Root), nullptr)) {
            const xcb_window_t* children = xcb_query_tree_children(tree);
            stack = QList<quint32>(children, children + xcb_query_tree_children_length(tree));
            std::free(tree);
        }
    }
    for (auto it = stack.crbegin(); it != stack.crend(); ++it) {
        if (!Skipped(*it))
            return *it;
    }
    return 0;
}

void TX11PasteTarget::Paste(quint64 window) {
    if (!Connection || !window) {
        QTimer::singleShot(0, this, &IPasteTarget::Done);
        return;
    }
    Target = quint32(window);
    Activated = Typed = false;
    Waiting.start();
    Ready.invalidate();
    QTimer::singleShot(0, this, &TX11PasteTarget::Step);
}

void TX11PasteTarget::Finish() {
    if (!Target)
        return;
    Target = 0;
    Typed = false;
    emit Done();
}

// One step of the paste: wait until the hot key's key is up, bring the target forward, wait
// until it has had the focus a moment, type Ctrl+V, then wait for the text to be fetched.
void TX11PasteTarget::Step() {
    if (!Target)
        return;
    if (!IsOpen(Target)) { // closed meanwhile: this paste is over, the next may go
        Finish();
        return;
    }
    if (Typed) {
        if (Fetch.elapsed() > FetchMs)
            Finish();
        else
            QTimer::singleShot(PollMs, this, &TX11PasteTarget::Step);
        return;
    }
    if (KeyHeld()) {
        Waiting.start(); // a key held down (auto-repeat) holds the paste back, however long
        Ready.invalidate();
        QTimer::singleShot(PollMs, this, &TX11PasteTarget::Step);
        return;
    }
    if (Waiting.elapsed() > GiveUpMs) {
        Finish();
        return;
    }
    if (ActiveWindow() != Target) {
        if (!Activated)
            Activate(Target);
        Activated = true;
        Ready.invalidate();
        QTimer::singleShot(PollMs, this, &TX11PasteTarget::Step);
        return;
    }
    if (!Ready.isValid())
        Ready.start();
    if (Ready.elapsed() < SettleMs) {
        QTimer::singleShot(PollMs, this, &TX11PasteTarget::Step);
        return;
    }
    TypeControlV();
    Typed = true;
    Fetch.start();
    QTimer::singleShot(PollMs, this, &TX11PasteTarget::Step);
}

namespace {
bool IsModifier(KeySym sym) {
    return IsModifierKey(sym) || sym == XK_Num_Lock || sym == XK_Caps_Lock;
}
} // namespace

bool TX11PasteTarget::KeyHeld() const {
    Display* display = XDisplay();
    if (!display)
        return false;
    char keys[32];
    XQueryKeymap(display, keys);
    for (int code = 8; code < 256; ++code) {
        if ((keys[code / 8] & (1 << (code % 8))) &&
            !IsModifier(XkbKeycodeToKeysym(display, KeyCode(code), 0, 0)))
            return true;
    }
    return false;
}

bool TX11PasteTarget::WindowManagerActivates() const {
    return WindowProperty(Root, Atoms.Supported).contains(Atoms.Active);
}

quint32 TX11PasteTarget::ActiveWindow() const {
    if (WindowManagerActivates()) {
        const QList<quint32> active = WindowProperty(Root, Atoms.Active);
        return active.isEmpty() ? 0 : active.first();
    }
    auto* reply = xcb_get_input_focus_reply(Connection, xcb_get_input_focus(Connection), nullptr);
    const quint32 focus = reply ? reply->focus : 0;
    std::free(reply);
    return focus;
}

void TX11PasteTarget::Activate(quint32 window) {
    if (!WindowManagerActivates()) {
        // No window manager to ask: raise the window and give it the focus the plain X way.
        const quint32 above = XCB_STACK_MODE_ABOVE;
        xcb_configure_window(Connection, window, XCB_CONFIG_WINDOW_STACK_MODE, &above);
        xcb_set_input_focus(Connection, XCB_INPUT_FOCUS_PARENT, window, XCB_CURRENT_TIME);
        xcb_flush(Connection);
        return;
    }
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = Atoms.Active;
    message.data.data32[0] = 2; // from a pager-like tool: the user asked for it
    message.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(Connection, 0, Root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(Connection);
}

void TX11PasteTarget::TypeControlV() {
    Display* display = XDisplay();
    if (!display)
        return;
    // Shift and Ctrl the user still holds (keys pressed fast) would make it Shift+Ctrl+V: let
    // them go for these keys and press them again after, as xdotool --clearmodifiers does.
    char keys[32];
    XQueryKeymap(display, keys);
    QList<KeyCode> held;
    for (KeySym sym : {XK_Shift_L, XK_Shift_R, XK_Control_L, XK_Control_R}) {
        const KeyCode code = XKeysymToKeycode(display, sym);
        if (code && (keys[code / 8] & (1 << (code % 8))))
            held.append(code);
    }
    for (KeyCode code : held)
        XTestFakeKeyEvent(display, code, False, CurrentTime);
    const KeyCode control = XKeysymToKeycode(display, XK_Control_L);
    const KeyCode v = XKeysymToKeycode(display, XK_v);
    XTestFakeKeyEvent(display, control, True, CurrentTime);
    XTestFakeKeyEvent(display, v, True, CurrentTime);
    XTestFakeKeyEvent(display, v, False, CurrentTime);
    XTestFakeKeyEvent(display, control, False, CurrentTime);
    for (KeyCode code : held)
        XTestFakeKeyEvent(display, code, True, CurrentTime);
    XFlush(display);
}

bool TX11PasteTarget::IsOpen(quint64 window) {
    if (!Connection || !window)
        return false;
    xcb_get_window_attributes_reply_t* reply = xcb_get_window_attributes_reply(
        Connection, xcb_get_window_attributes(Connection, quint32(window)), nullptr);
    const bool open = reply && reply->map_state == XCB_MAP_STATE_VIEWABLE;
    std::free(reply);
    return open;
}
