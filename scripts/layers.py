#!/usr/bin/env python3
"""What each folder of src/ may include of the others: a library's folder sees only the
libraries below it. Prints each include that breaks the rule and exits 1 when there is one."""
import os
import re
import sys

API = "platform/"  # the interfaces: platform/*.h, no subfolder
# folder (relative to src/) -> the folders its files may include from
ALLOWED = {
    "core": ["core"],
    "platform": ["core", API],
    "platform/x11": ["core", API, "platform/x11"],
    "platform/wayland": ["core", API, "platform/wayland"],
    "platform/portal": ["core", API, "platform/portal"],
    "platform/fake": ["core", API, "platform/fake"],
    "platform/session": ["core", API, "platform/session", "platform/x11", "platform/wayland",
                         "platform/portal"],
    "remote": ["core", API, "remote"],
    "gui": ["core", API, "remote", "gui"],
    "app": ["core", API, "remote", "gui", "platform/session"],
}
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.M)


def owner(path):
    """The most specific ruled folder that holds path (relative to src/)."""
    best = None
    for folder in ALLOWED:
        if folder == "platform":
            if os.path.dirname(path) == "platform":
                best = folder
        elif path.startswith(folder + "/") and (best is None or len(folder) > len(best)):
            best = folder
    return best


def allowed(target, folders):
    for folder in folders:
        if folder == API:
            if os.path.dirname(target) == "platform":
                return True
        elif target.startswith(folder + "/"):
            return True
    return False


def main():
    src = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src")
    faults = 0
    for root, _, files in os.walk(src):
        for name in files:
            if not name.endswith((".h", ".cpp")):
                continue
            path = os.path.relpath(os.path.join(root, name), src)
            folder = owner(path)
            if folder is None:
                print(f"src/{path}: in no layer's folder")
                faults += 1
                continue
            text = open(os.path.join(src, path), encoding="utf-8").read()
            for included in INCLUDE.findall(text):
                target = os.path.normpath(os.path.join(os.path.dirname(path), included))
                if not os.path.exists(os.path.join(src, target)):
                    target = included
                if not os.path.exists(os.path.join(src, target)):
                    continue  # generated (protocol headers, moc)
                if not allowed(target, ALLOWED[folder]):
                    print(f"src/{path}: includes {target}, outside {folder}'s layers")
                    faults += 1
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
