#!/usr/bin/env python3
"""The user's keyboard on a headless mutter, whose seat has none: keys sent through mutter's
own remote-desktop interface (no dialog). The seat has a keyboard from the first key on, for
as long as this runs. Says "ready", then reads chords of evdev key codes, one a line ("29 47"
is Ctrl+V), and answers each with "done". With --hold it only keeps the keyboard."""
import sys
import time

from gi.repository import Gio, GLib

NAME = "org.gnome.Mutter.RemoteDesktop"
bus = Gio.bus_get_sync(Gio.BusType.SESSION)


def call(path, interface, method, args=None, reply=None):
    answer = bus.call_sync(NAME, path, interface, method, args,
                           GLib.VariantType(reply) if reply else None,
                           Gio.DBusCallFlags.NONE, -1)
    return answer.unpack() if answer else None


session = call("/org/gnome/Mutter/RemoteDesktop", NAME, "CreateSession", None, "(o)")[0]
SESSION = NAME + ".Session"
call(session, SESSION, "Start")


def press(codes):
    for code in codes:
        call(session, SESSION, "NotifyKeyboardKeycode", GLib.Variant("(ub)", (code, True)))
    for code in reversed(codes):
        call(session, SESSION, "NotifyKeyboardKeycode", GLib.Variant("(ub)", (code, False)))


press([42])  # Shift
print("ready", flush=True)
if "--hold" in sys.argv:
    while True:
        time.sleep(3600)
for line in sys.stdin:
    press([int(code) for code in line.split()])
    print("done", flush=True)
