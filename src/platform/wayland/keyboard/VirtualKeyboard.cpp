#include "VirtualKeyboard.h"

#include "virtual-keyboard-unstable-v1-client-protocol.h"

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <utility>

#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

namespace {
// Key codes of the protocol are evdev codes; xkb's are 8 higher.
constexpr uint32_t XkbOffset = 8;

uint32_t NowMs() {
    using namespace std::chrono;
    return uint32_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

// The keymap as a file the compositor can map.
int KeymapFile(const char* text, size_t size) {
    const int fd = memfd_create("quillery-keymap", MFD_CLOEXEC);
    if (fd < 0)
        return -1;
    for (size_t written = 0; written < size;) {
        const ssize_t n = write(fd, text + written, size - written);
        if (n <= 0) {
            close(fd);
            return -1;
        }
        written += size_t(n);
    }
    return fd;
}
} // namespace

const char* TVirtualKeyboard::ManagerName() {
    return zwp_virtual_keyboard_manager_v1_interface.name;
}

TVirtualKeyboard::TVirtualKeyboard(wl_registry* registry, uint32_t managerName, wl_seat* seat) {
    Manager = static_cast<zwp_virtual_keyboard_manager_v1*>(
        wl_registry_bind(registry, managerName, &zwp_virtual_keyboard_manager_v1_interface, 1));
    Keyboard = zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(Manager, seat);
    if (!UploadKeymap()) {
        zwp_virtual_keyboard_v1_destroy(std::exchange(Keyboard, nullptr));
    }
}

TVirtualKeyboard::~TVirtualKeyboard() {
    if (Keyboard)
        zwp_virtual_keyboard_v1_destroy(Keyboard);
    if (Manager)
        zwp_virtual_keyboard_manager_v1_destroy(Manager);
    xkb_state_unref(State);
    xkb_keymap_unref(Keymap);
    xkb_context_unref(Context);
}

bool TVirtualKeyboard::UploadKeymap() {
    Context = xkb_context_new(XKB_CONTEXT_NO_ENVIRONMENT_NAMES);
    const xkb_rule_names names{"evdev", "pc105", "us", "", ""};
    Keymap =
        Context ? xkb_keymap_new_from_names(Context, &names, XKB_KEYMAP_COMPILE_NO_FLAGS) : nullptr;
    State = Keymap ? xkb_state_new(Keymap) : nullptr;
    if (!State)
        return false;
    char* text = xkb_keymap_get_as_string(Keymap, XKB_KEYMAP_FORMAT_TEXT_V1);
    const size_t size = std::strlen(text) + 1;
    const int fd = KeymapFile(text, size);
    std::free(text);
    if (fd < 0)
        return false;
    zwp_virtual_keyboard_v1_keymap(Keyboard, WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1, fd, uint32_t(size));
    close(fd);
    return true;
}

uint32_t TVirtualKeyboard::CodeOf(const char* keySymName) const {
    const xkb_keysym_t wanted = xkb_keysym_from_name(keySymName, XKB_KEYSYM_NO_FLAGS);
    for (xkb_keycode_t code = xkb_keymap_min_keycode(Keymap);
         code <= xkb_keymap_max_keycode(Keymap); ++code) {
        const xkb_keysym_t* syms = nullptr;
        if (xkb_keymap_key_get_syms_by_level(Keymap, code, 0, 0, &syms) == 1 && syms[0] == wanted)
            return code - XkbOffset;
    }
    return 0;
}

void TVirtualKeyboard::Key(uint32_t code, bool down) {
    zwp_virtual_keyboard_v1_key(Keyboard, NowMs(), code,
                                down ? WL_KEYBOARD_KEY_STATE_PRESSED
                                     : WL_KEYBOARD_KEY_STATE_RELEASED);
    xkb_state_update_key(State, code + XkbOffset, down ? XKB_KEY_DOWN : XKB_KEY_UP);
    zwp_virtual_keyboard_v1_modifiers(
        Keyboard, xkb_state_serialize_mods(State, XKB_STATE_MODS_DEPRESSED),
        xkb_state_serialize_mods(State, XKB_STATE_MODS_LATCHED),
        xkb_state_serialize_mods(State, XKB_STATE_MODS_LOCKED),
        xkb_state_serialize_layout(State, XKB_STATE_LAYOUT_EFFECTIVE));
}

void TVirtualKeyboard::Chord(const uint32_t* codes, int count) {
    for (int i = 0; i < count; ++i)
        Key(codes[i], true);
    for (int i = count - 1; i >= 0; --i)
        Key(codes[i], false);
}
