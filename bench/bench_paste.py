#!/usr/bin/env python3
"""Time from a Series Paste hot key press (xdotool) to the text appearing in a Tk window.
Usage (inside an X session): bench_paste.py PROGRAM [presses]"""
import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

here = os.path.dirname(os.path.abspath(__file__))
program, presses = sys.argv[1], int(sys.argv[2]) if len(sys.argv) > 2 else 20
folder = tempfile.mkdtemp()
shutil.copy(program, folder)
with open(os.path.join(folder, "Quillery.Ini"), "w") as ini:
    ini.write("[Options]\nSplash=0\nPowerPaste=2\n")  # the same clip every time
env = dict(os.environ, XDG_RUNTIME_DIR=folder)
quillery = subprocess.Popen([os.path.join(folder, "quillery")], env=env)
subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "^Quillery$"], capture_output=True)
subprocess.run(["xclip", "-selection", "clipboard", "-i"], input=b"x")
time.sleep(0.3)
out = os.path.join(folder, "target.txt")
target = subprocess.Popen(["python3", os.path.join(here, "..", "tests", "x11", "helpers", "paste_target.py"), out])
window = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "^Paste Target$"],
                        capture_output=True, text=True).stdout.split()[0]
subprocess.run(["xdotool", "windowactivate", "--sync", window])
time.sleep(0.5)


def length():
    try:
        with open(out, encoding="utf-8") as f:
            return len(f.read())
    except OSError:
        return 0


times = []
for _ in range(presses):
    before = length()
    subprocess.run(["xdotool", "key", "shift+ctrl+v"])
    sent = time.monotonic()
    while length() == before and time.monotonic() - sent < 3:
        time.sleep(0.001)
    times.append((time.monotonic() - sent) * 1000)
    time.sleep(0.2)
quillery.send_signal(signal.SIGTERM)
target.terminate()
quillery.wait()
shutil.rmtree(folder)
print("hot key to text in the target window: median %.0f ms, best %.0f ms, worst %.0f ms (%d presses)"
      % (statistics.median(times), min(times), max(times), presses))
