// Another program that holds a hot key: grabs Shift+Ctrl+KEY on the root window (with the
// lock variants) and keeps it until killed. Usage: grab_key LETTER   Prints "ready".
#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <cstdio>
#include <initializer_list>
#include <unistd.h>

int main(int argc, char* argv[]) {
    Display* display = XOpenDisplay(nullptr);
    if (!display || argc < 2)
        return 1;
    const KeyCode code = XKeysymToKeycode(display, KeySym(argv[1][0] | 0x20));
    const Window root = DefaultRootWindow(display);
    for (unsigned locks :
         {0u, unsigned(LockMask), unsigned(Mod2Mask), unsigned(LockMask | Mod2Mask)})
        XGrabKey(display, code, ShiftMask | ControlMask | locks, root, False, GrabModeAsync,
                 GrabModeAsync);
    XSync(display, False);
    std::printf("ready\n");
    std::fflush(stdout);
    for (;;)
        pause();
}
