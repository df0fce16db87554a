#!/usr/bin/env python3
"""A GTK window for drag and drop with another program.
Usage: dnd_window.py target OUTPUT_FILE   -- "Drop Target": writes what is dropped on it
       dnd_window.py source TEXT          -- "Drag Source": drag TEXT off it with button 1
The target writes one line per drop to OUTPUT_FILE: "text", a tab and the text, with
line breaks written as \\r and \\n."""
import sys

import gi

gi.require_version("Gdk", "3.0")
gi.require_version("Gtk", "3.0")
from gi.repository import Gdk, Gtk  # noqa: E402


def target(out):
    area = Gtk.Label(label="drop here")
    area.drag_dest_set(Gtk.DestDefaults.ALL, [], Gdk.DragAction.COPY | Gdk.DragAction.LINK)
    area.drag_dest_add_text_targets()

    def received(_widget, _context, _x, _y, data, _info, _time):
        text = data.get_text()
        with open(out, "a", encoding="utf-8") as f:
            f.write("text\t" + (text or "").replace("\r", "\\r").replace("\n", "\\n") + "\n")

    area.connect("drag-data-received", received)
    return "Drop Target", area


def source(text):
    box = Gtk.EventBox()
    box.add(Gtk.Label(label="drag me"))
    box.drag_source_set(Gdk.ModifierType.BUTTON1_MASK, [], Gdk.DragAction.COPY)
    box.drag_source_add_text_targets()
    box.connect("drag-data-get", lambda _w, _c, data, _i, _t: data.set_text(text, -1))
    return "Drag Source", box


title, child = target(sys.argv[2]) if sys.argv[1] == "target" else source(sys.argv[2])
window = Gtk.Window(title=title)
window.set_default_size(300, 200)
window.move(700, 300)
window.add(child)
window.connect("destroy", Gtk.main_quit)
window.show_all()
Gtk.main()
