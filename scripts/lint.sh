#!/usr/bin/env bash
# The code's form and its common faults: the layers' includes (layers.py), clang-format over
# every C++ file, clang-tidy (.clang-tidy: bugprone, performance) over the program's sources. Needs build/ configured
# (its compile_commands.json); scripts/test.sh runs it after the build.
set -euo pipefail
cd "$(dirname "$0")/.."
if ! python3 scripts/layers.py >&2; then
    echo "lint: a folder includes from a layer above it (above)" >&2
    exit 1
fi
find src tests bench fuzz tools \( -name '*.cpp' -o -name '*.h' \) -print0 |
    xargs -0 clang-format --dry-run -Werror
log=$(mktemp)
db=$(mktemp -d)
trap 'rm -rf "$log" "$db"' EXIT
# The build's precompiled headers are GCC's, which clang cannot read: each file is checked
# with the headers it includes itself.
python3 - build/compile_commands.json "$db/compile_commands.json" <<'PY'
import json, re, sys
commands = json.load(open(sys.argv[1]))
for c in commands:
    c["command"] = re.sub(r" -Winvalid-pch| -include \S*cmake_pch\.hxx", "", c["command"])
json.dump(commands, open(sys.argv[2], "w"))
PY
if ! run-clang-tidy -quiet -p "$db" -j "$(nproc)" "$PWD/src/" >"$log" 2>&1; then
    grep -B2 -A4 'error:' "$log" >&2 || cat "$log" >&2
    echo "lint: clang-tidy found faults (above)" >&2
    exit 1
fi
echo "lint: layers, clang-format and clang-tidy clean"
