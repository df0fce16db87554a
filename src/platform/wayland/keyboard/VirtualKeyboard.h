#pragma once

#include <cstdint>

struct wl_display;
struct wl_registry;
struct wl_seat;
struct xkb_context;
struct xkb_keymap;
struct xkb_state;
struct zwp_virtual_keyboard_manager_v1;
struct zwp_virtual_keyboard_v1;

// A keyboard of the program's own on a wlroots desktop (the virtual-keyboard protocol), with
// the standard US keymap. Its modifier state is its own: keys the user holds on the real
// keyboard do not mix with its keys. Plain libwayland: it runs on the thread of the
// connection it is given.
class TVirtualKeyboard {
public:
    // The registry's interface name of the manager, as the desktop announces it.
    static const char* ManagerName();
    TVirtualKeyboard(wl_registry* registry, uint32_t managerName, wl_seat* seat);
    ~TVirtualKeyboard();
    TVirtualKeyboard(const TVirtualKeyboard&) = delete;
    TVirtualKeyboard& operator=(const TVirtualKeyboard&) = delete;

    // False when the keymap could not be made.
    bool IsReady() const { return Keyboard != nullptr; }
    // The evdev key code of the key that gives this key sym ("Control_L", "v"); 0 for none.
    uint32_t CodeOf(const char* keySymName) const;
    // One key down or up, then the modifier state that follows from it.
    void Key(uint32_t code, bool down);
    // The keys pressed in order, then let go in the opposite order.
    void Chord(const uint32_t* codes, int count);

private:
    bool UploadKeymap();

    zwp_virtual_keyboard_manager_v1* Manager = nullptr;
    zwp_virtual_keyboard_v1* Keyboard = nullptr;
    xkb_context* Context = nullptr;
    xkb_keymap* Keymap = nullptr;
    xkb_state* State = nullptr;
};
