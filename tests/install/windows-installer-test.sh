#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows delivery under wine, in a fresh wine prefix, on a virtual X display:
# - the installer installs silently into Program Files with its Start-menu entries and its entry in
#   the list of programs; the installed program starts and shows its window with its title; closed,
#   it keeps its settings in %APPDATA%\Vantrel\, not in Program Files, with C:\CDRs\ as the
#   results folder;
# - the portable copy, unpacked anywhere, starts likewise and keeps its settings beside itself;
# - the uninstaller removes every file and folder it installed, its Start-menu entries and its
#   registry entry, and leaves the user's settings.
# A screenshot of the installed program's window is left as SCREENSHOT when one is given.
#
#   tests/install/windows-installer-test.sh SETUP_EXE PORTABLE_ZIP [SCREENSHOT]
#
# Needs wine, xvfb-run, xwininfo (x11-utils), unzip and ImageMagick's import for the screenshot.
set -euo pipefail
setup=$(realpath "$1")
portable=$(realpath "$2")
screenshot=${3:+$(realpath -m "$3")}
work=$(mktemp -d)
trap 'WINEPREFIX=$work/prefix wineserver --kill 2>/dev/null || true; rm -rf "$work"' EXIT
export WINEPREFIX=$work/prefix WINEDEBUG=-all
drive=$WINEPREFIX/drive_c

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

timeout 300 wineboot --init >/dev/null 2>&1
timeout 300 wineserver --wait
appdata=$drive/users/$(whoami)/AppData/Roaming
installed="$drive/Program Files/Orbek Vantrel"
menu="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Orbek Vantrel"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\OrbekVantrel'

echo "== silent install"
timeout 300 wine "$setup" /S
timeout 300 wineserver --wait
[ -f "$installed/vantrel.exe" ] || fail "vantrel.exe is not in Program Files"
[ -f "$installed/uninstall.exe" ] || fail "no uninstaller"
[ -f "$menu/Orbek Vantrel.lnk" ] || fail "no Start-menu entry"
wine reg query "$uninstall_key" /v DisplayVersion 2>/dev/null | grep -q "REG_SZ" ||
    fail "no entry in the list of programs"
# What the installer put there, to check the uninstaller against.
(cd "$installed" && find . -mindepth 1 | sort) >"$work/installed.txt"
unzip -q "$portable" -d "$work/portable"
portable_dir=$(find "$work/portable" -mindepth 1 -maxdepth 1 -type d)
(cd "$portable_dir" && find . -mindepth 1 | sort) >"$work/portable.txt"
grep -v '^\./uninstall\.exe$' "$work/installed.txt" | diff - "$work/portable.txt" ||
    fail "the installer and the portable copy hold different files"

# Starts the program, waits up to 90 s for a window titled "Orbek Vantrel", optionally takes a
# screenshot, then closes the window as a user would and waits for the program to end.
start_and_close() {
    local program=$1 picture=${2:-}
    # A wine session begun without the display cannot show windows: the last one must be over.
    timeout 120 wineserver --wait
    # No pipefail in there: grep -q ends the pipe early on purpose.
    xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
        set -eu
        wine "$1" &
        for _ in $(seq 90); do
            xwininfo -root -tree | grep -q "\"Orbek Vantrel\"" && break
            sleep 1
        done
        xwininfo -root -tree | grep -q "\"Orbek Vantrel\"" || {
            echo "FAIL: no window titled Orbek Vantrel" >&2
            exit 1
        }
        sleep 3
        [ -z "$2" ] || import -window root "$2"
        timeout 60 wine taskkill /im vantrel.exe >/dev/null 2>&1
        timeout 120 wineserver --wait
    ' start "$program" "$picture"
}

# The program keeps its settings on exit when they say so; a file that says so is put in each
# place the program might use, and the one it used is the one rewritten with every setting
# (among them the results folder, by default C:\CDRs\ on Windows).
seed() {
    mkdir -p "$(dirname "$1")"
    printf '[Global]\r\nAutoSave=1\r\n' >"$1"
}
rewritten() {
    grep -qF 'ResultsBaseDir=C:\CDRs\' "$1"
}

echo "== the installed program starts and shows its window"
seed "$appdata/Vantrel/vantrel.ini"
seed "$installed/vantrel.ini"
start_and_close "C:\\Program Files\\Orbek Vantrel\\vantrel.exe" "$screenshot"
rewritten "$appdata/Vantrel/vantrel.ini" || fail "the settings were not kept in %APPDATA%\\Vantrel\\"
! rewritten "$installed/vantrel.ini" || fail "settings written into Program Files"
rm "$installed/vantrel.ini"

echo "== the portable copy starts and keeps its settings beside it"
seed "$appdata/Vantrel/vantrel.ini"
seed "$portable_dir/vantrel.ini"
start_and_close "$(winepath -w "$portable_dir/vantrel.exe")"
rewritten "$portable_dir/vantrel.ini" || fail "the portable copy did not keep its settings beside it"
! rewritten "$appdata/Vantrel/vantrel.ini" || fail "the portable copy wrote into %APPDATA%"

echo "== silent uninstall"
echo kept >"$appdata/Vantrel/vantrel.ini"
timeout 300 wine "C:\\Program Files\\Orbek Vantrel\\uninstall.exe" /S
timeout 300 wineserver --wait
# The uninstaller runs from a copy of itself, which may end after the one started.
for _ in $(seq 30); do
    [ -e "$installed" ] || break
    sleep 1
done
if [ -e "$installed" ]; then
    find "$installed" >&2
    fail "the uninstaller left files behind"
fi
[ ! -e "$menu" ] || fail "the Start-menu folder is left"
! wine reg query "$uninstall_key" >/dev/null 2>&1 || fail "the registry entry is left"
[ "$(cat "$appdata/Vantrel/vantrel.ini")" = kept ] || fail "the user's settings were removed"
echo "PASS: installed, started, portable, uninstalled"
