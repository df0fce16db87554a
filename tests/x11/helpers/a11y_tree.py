#!/usr/bin/python3
"""Prints the accessible objects of the running Quillery as a screen reader reads them over
AT-SPI, a line each: role, a tab, name. A table adds its first row's clip as "table cell".
With --press NAME it first presses the push button of that name, as a screen reader's
"activate" does, and waits for the dialog that opens."""
import sys
import threading
import time

import pyatspi


def program():
    desktop = pyatspi.Registry.getDesktop(0)
    for _ in range(100):
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name.lower().startswith("quillery"):
                return app
        time.sleep(0.1)
    sys.exit("no Quillery on the accessibility bus")


def objects(acc):
    yield acc
    for i in range(acc.childCount):
        child = acc.getChildAtIndex(i)
        if child is not None and acc.getRoleName() != "table":
            yield from objects(child)


def dump(app):
    for acc in objects(app):
        print(f"{acc.getRoleName()}\t{acc.name}")
        if acc.getRoleName() == "table":
            print(f"table cell\t{acc.queryTable().getAccessibleAt(0, 1).name}")


def press(app, name):
    button = next(a for a in objects(app) if a.getRoleName() == "push button" and a.name == name)
    # The action returns only once a modal dialog closes: pressed on the side, its answer
    # not awaited.
    def activate():
        try:
            button.queryAction().doAction(0)
        except Exception:
            pass

    threading.Thread(target=activate, daemon=True).start()
    for _ in range(100):
        if any(a.getRoleName() == "dialog" for a in objects(app)):
            return
        time.sleep(0.1)
    sys.exit("no dialog opened")


app = program()
if len(sys.argv) == 3 and sys.argv[1] == "--press":
    press(app, sys.argv[2])
dump(app)
sys.stdout.flush()
