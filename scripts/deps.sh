#!/usr/bin/env bash
# Installs what building, playing and testing the front-end needs on Debian 12, when it is missing.
#   scripts/deps.sh [--player] [package...]
# --player: only what building and running the program needs (scripts/run.sh); dosbox is the DOS
# emulator Save and Play uses, xvfb the virtual X server used where there is no display.
# Otherwise also what the tests need: nasm assembles their tiny DOS programs, genisoimage makes
# the CD image that the emulator tests mount, desktop-file-utils and appstream check the installed
# menu entry and AppStream data, help2man writes the manual page, dpkg-dev's dpkg-shlibdeps
# computes the Debian package's dependencies and lintian checks the package. fonts-dejavu-core is
# the one font family the tests see. Extra package names may be given.
# Runs apt-get as root, or through sudo otherwise.
set -euo pipefail

packages=(cmake ninja-build g++ qt6-base-dev qt6-base-dev-tools libgl-dev xvfb xauth fonts-dejavu-core dosbox)
if [ "${1:-}" = --player ]; then
    shift
else
    packages+=(nasm genisoimage desktop-file-utils appstream dpkg-dev help2man lintian)
fi
packages+=("$@")
missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
    sudo=()
elif command -v sudo >/dev/null 2>&1; then
    sudo=(sudo)
else
    echo "These packages are missing: ${missing[*]}" >&2
    echo "Installing them needs root, and sudo is not installed: run this again as root (su -)," \
         "or install sudo and add yourself to the group sudo (see README.md)." >&2
    exit 1
fi
echo "Installing: ${missing[*]}"
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
