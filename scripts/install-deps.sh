#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages the build and the tests need, when any is missing; given package
# names, installs just those where missing. Supported: Debian 12 (bookworm) and Debian 13
# (trixie).
set -euo pipefail

# Packages every supported release has under the same name.
packages=(
    build-essential cmake ninja-build pkg-config git
    qt6-base-dev qt6-base-dev-tools qt6-l10n-tools libgl-dev qt6-translations-l10n
    libgtest-dev libgmock-dev libbenchmark-dev
    libisofs-dev xorriso e2fsprogs
    clang
    mingw-w64 audacious dbus
    wine wine64 xvfb xauth x11-utils imagemagick nsis zip unzip
    dpkg-dev xz-utils file lintian appstream desktop-file-utils
)

if [ $# -gt 0 ]; then
    packages=("$@")
else
    # Per release: the runtime of its default clang (sanitizers and fuzzing with clang), and
    # clang-format 14, the version the sources are formatted with, where the release has it.
    # shellcheck source=/dev/null
    . /etc/os-release
    case "${VERSION_CODENAME:-}" in
    bookworm) packages+=(libclang-rt-14-dev clang-format-14) ;;
    trixie) packages+=(libclang-rt-19-dev) ;;
    *)
        echo "warning: ${PRETTY_NAME:-this system} is not a supported release (Debian 12 or 13);" \
            "installing the packages every release shares" >&2
        ;;
    esac
fi

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
done
if [ "${#missing[@]}" -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
fi
