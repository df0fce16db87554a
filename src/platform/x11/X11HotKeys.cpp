#include "X11HotKeys.h"

#include <QGuiApplication>
#include <QList>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <cstdlib>
#include <xcb/xcb.h>

namespace {
constexpr quint16 ShiftCtrl = XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL;

Display* XDisplay() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->display() : nullptr;
}

// The modifier bit that NumLock sets (Mod2 on nearly every keyboard map).
quint16 FindNumLockMask(Display* display) {
    quint16 mask = XCB_MOD_MASK_2;
    XModifierKeymap* map = XGetModifierMapping(display);
    if (!map)
        return mask;
    const KeyCode numLock = XKeysymToKeycode(display, XK_Num_Lock);
    for (int m = 0; m < 8; ++m) {
        for (int k = 0; k < map->max_keypermod; ++k) {
            if (numLock && map->modifiermap[m * map->max_keypermod + k] == numLock)
                mask = quint16(1 << m);
        }
    }
    XFreeModifiermap(map);
    return mask;
}
} // namespace

TX11HotKeys::TX11HotKeys(QObject* parent) : IHotKeys(parent) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11)
        return;
    Connection = x11->connection();
    Root = xcb_setup_roots_iterator(xcb_get_setup(Connection)).data->root;
    NumLockMask = FindNumLockMask(x11->display());
    QCoreApplication::instance()->installNativeEventFilter(this);
}

TX11HotKeys::~TX11HotKeys() {
    for (int id : Grabbed.keys())
        Unregister(id);
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

QList<quint16> TX11HotKeys::LockVariants() const {
    return {0, XCB_MOD_MASK_LOCK, NumLockMask, quint16(XCB_MOD_MASK_LOCK | NumLockMask)};
}

// Letters in either case are the letter keys, digits the digit keys; other Latin-1
// characters are the keys that type them.
quint8 TX11HotKeys::KeyCodeFor(QChar key) const {
    Display* display = XDisplay();
    if (!display || key.unicode() > 0xFF)
        return 0;
    const KeySym sym = key.isLetter() ? KeySym(key.toLower().unicode()) : KeySym(key.unicode());
    return XKeysymToKeycode(display, sym);
}

bool TX11HotKeys::Register(int id, QChar key) {
    const quint8 code = Connection ? KeyCodeFor(key) : 0;
    // A key this program holds already under another id is not to be had: X would take the
    // second grab silently and one hot key would shadow the other.
    for (auto it = Grabbed.cbegin(); it != Grabbed.cend(); ++it) {
        if (it.key() != id && it.value() == code)
            return false;
    }
    if (!code)
        return false;
    Unregister(id);
    QList<xcb_void_cookie_t> cookies;
    for (quint16 locks : LockVariants())
        cookies << xcb_grab_key_checked(Connection, 0, Root, ShiftCtrl | locks, code,
                                        XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
    bool ok = true;
    // BadAccess: another client holds the combination.
    for (xcb_void_cookie_t cookie : cookies) {
        if (xcb_generic_error_t* error = xcb_request_check(Connection, cookie)) {
            ok = false;
            std::free(error);
        }
    }
    if (!ok) {
        for (quint16 locks : LockVariants())
            xcb_ungrab_key(Connection, code, Root, ShiftCtrl | locks);
        xcb_flush(Connection);
        return false;
    }
    Grabbed.insert(id, code);
    return true;
}

void TX11HotKeys::Unregister(int id) {
    const auto it = Grabbed.find(id);
    if (it == Grabbed.end() || !Connection)
        return;
    for (quint16 locks : LockVariants())
        xcb_ungrab_key(Connection, it.value(), Root, ShiftCtrl | locks);
    xcb_flush(Connection);
    Grabbed.erase(it);
}

bool TX11HotKeys::nativeEventFilter(const QByteArray& type, void* message, qintptr*) {
    if (type != "xcb_generic_event_t")
        return false;
    auto* event = static_cast<xcb_generic_event_t*>(message);
    if ((event->response_type & ~0x80) != XCB_KEY_PRESS)
        return false;
    auto* press = reinterpret_cast<xcb_key_press_event_t*>(event);
    const quint16 state = press->state & ~(XCB_MOD_MASK_LOCK | NumLockMask);
    if (press->event != Root || state != ShiftCtrl)
        return false;
    for (auto it = Grabbed.cbegin(); it != Grabbed.cend(); ++it) {
        if (it.value() == press->detail) {
            emit Pressed(it.key());
            return true;
        }
    }
    return false;
}
