#!/usr/bin/env bash
# Builds the Debian package build/quillery_<version>_<arch>.deb (install it with
# apt install ./build/quillery_*.deb). Its dependencies come from dpkg-shlibdeps; lintian
# checks it, and an error of its stops the script.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/scripts/deps.sh" package
"$here/scripts/build.sh"
cd "$here/build"
rm -f quillery_*.deb
cpack -G DEB
lintian --fail-on error quillery_*.deb
ls -1 "$here"/build/quillery_*.deb
