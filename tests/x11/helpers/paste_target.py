#!/usr/bin/env python3
"""A plain text window another program pastes into. Usage: paste_target.py OUTPUT_FILE
Shows a Tk text box titled "Paste Target" with the focus in it and writes what it holds
to OUTPUT_FILE whenever it changes."""
import os
import sys
import tkinter

out = sys.argv[1]
root = tkinter.Tk()
root.title("Paste Target")
root.geometry("400x200+600+300")
text = tkinter.Text(root)
text.pack(fill="both", expand=True)
text.focus_set()


def save(_event=None):
    with open(out + ".tmp", "w", encoding="utf-8") as f:
        f.write(text.get("1.0", "end-1c"))
    os.replace(out + ".tmp", out)
    text.edit_modified(False)


text.bind("<<Modified>>", save)
save()
root.mainloop()
