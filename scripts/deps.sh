#!/usr/bin/env bash
# Installs the Debian packages that are missing. Usage: deps.sh build|test|fuzz|package
set -euo pipefail

build=(cmake ninja-build g++ qt6-base-dev qt6-svg-dev qt6-qpa-plugins libgl-dev libx11-dev libxtst-dev
    libxcb1-dev libxcb-xfixes0-dev pkg-config fonts-dejavu-core qt6-translations-l10n
    libwayland-dev libwayland-bin librust-wayland-protocols-dev qt6-wayland libxkbcommon-dev)
test=(xvfb openbox trayer cage xclip xsel xdotool x11-utils wmctrl python3-tk desktop-file-utils
    libglib2.0-bin shared-mime-info python3-gi gir1.2-gtk-3.0 appstream dbus-daemon at-spi2-core
    python3-pyatspi clang-format clang-tidy sway wl-clipboard xwayland kwin-wayland
    x11-xserver-utils xdg-desktop-portal xdg-desktop-portal-kde qtwayland5 qdbus-qt5 mutter
    xdg-desktop-portal-gnome xdg-desktop-portal-gtk man-db lintian dpkg-dev file)

fuzz=(clang libclang-rt-14-dev)
package=(dpkg-dev file lintian)

wanted=("${build[@]}")
[[ ${1:-build} == test ]] && wanted+=("${test[@]}")
[[ ${1:-build} == fuzz ]] && wanted+=("${fuzz[@]}")
[[ ${1:-build} == package ]] && wanted+=("${package[@]}")

missing=()
for pkg in "${wanted[@]}"; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$pkg" 2>/dev/null || true)
    [[ $status == installed ]] || missing+=("$pkg")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)
"${sudo[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
