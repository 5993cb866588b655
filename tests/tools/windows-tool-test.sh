#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows tool under wine against the Linux tool: on three inputs of files and on a playlist
# (read in the ANSI code page on Windows) both plan the same media (each item's path and size,
# medium by medium), a copy of media with Cyrillic names made under wine holds every item byte for
# byte, a link inside a copied folder is told as not copied, never followed, and Ctrl+C ends a
# copy with status 130, leaving nothing.
#
#   tests/tools/windows-tool-test.sh LINUX_TOOL WINE_RUN WINDOWS_TOOL
#
# WINE_RUN runs a Windows program under wine (the Windows build's wine-run.sh).
set -euo pipefail
linux=$(realpath "$1")
wine_run=$(realpath "$2")
windows=$(realpath "$3")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# Files of fixed sizes, so that every run divides alike, under Latin and Cyrillic names.
make_file() {
    mkdir -p "$(dirname "$1")"
    head -c "$2" /dev/urandom >"$1"
}
make_file in/a/x.bin 300000
make_file in/b/y.bin 500000
make_file in/z.bin 700000
make_file "in/Музыка/Песня один.bin" 123457
make_file "in/Музыка/Ёж.txt" 1000
make_file "in/Фото/2024/Лето.jpg" 250000
make_file "in/Фото/2024/Зима.jpg" 410000
make_file "in/Фото/Старое.jpg" 90000
for i in 1 2 3 4 5 6 7 8 9; do
    make_file "in/many/файл $i.dat" $((i * 37000 + 1234))
done

# The media of a --json plan, one line per medium and per item: the item's path with "/" as
# delimiter (the Windows tool gives "Z:\\tmp\\…" for "/tmp/…") and its size.
media() {
    sed -n -e 's/^ *{"number": \([0-9]*\),.*/medium \1/p' \
        -e 's/^ *{"name": .*"path": "\([^"]*\)", "size": \([0-9]*\),.*/\1 \2/p' |
        sed -e 's/^Z://' -e 's/\\\\/\//g'
}

# Compares the media the two tools planned, NAME.linux and NAME.windows.
check_alike() {
    local name=$1
    if [ ! -s "$name.linux" ] || ! diff -u "$name.linux" "$name.windows"; then
        echo "FAILED: $name: the Windows tool's media differ from the Linux tool's" >&2
        exit 1
    fi
    echo "ok: $name: $(grep -c '^medium' "$name.linux") media alike"
}

# Runs both tools with the same arguments (paths given with "/"; the Windows tool gets "\") and
# compares their media.
compare_plans() {
    local name=$1
    shift
    local windows_arguments=()
    for argument in "$@"; do
        windows_arguments+=("${argument//\//\\}")
    done
    "$linux" --json "$@" 2>/dev/null | media >"$name.linux" || true
    "$wine_run" "$windows" --json "${windows_arguments[@]}" 2>/dev/null | tr -d '\r' |
        media >"$name.windows" || true
    check_alike "$name"
}

compare_plans folders --capacity 1M in/a in/b in/z.bin in/Музыка in/Фото
compare_plans contents --capacity 700K --tolerance 90 --contents in/many in/Фото
compare_plans groups --capacity 2M --group 1 in/a in/Фото --group 2 in/b in/Музыка --group 0 \
    in/z.bin in/many

# Tracks of a playlist with accented names: in UTF-8 for Linux, in the ANSI code page for Windows
# (1252, which wine takes in an English or C locale).
for i in 1 2 3 4 5 6 7; do
    make_file "music/Café/Über $i.mp3" $((i * 1000))
done
{
    echo "#EXTM3U"
    for i in 1 2 3 4 5 6 7; do
        printf '#EXTINF:%d,Søren - Über %d\nCafé/Über %d.mp3\n' $((i * 97 + 60)) "$i" "$i"
    done
} >music/utf8.m3u
sed 's|/|\\|' music/utf8.m3u | iconv -f UTF-8 -t CP1252 >music/ansi.m3u
"$linux" --json --music --capacity 20m music/utf8.m3u 2>/dev/null | media >music.linux || true
LC_ALL=C.UTF-8 "$wine_run" "$windows" --json --music --capacity 20m 'music\ansi.m3u' 2>/dev/null |
    tr -d '\r' | media >music.windows || true
check_alike music

# The copy: every item of every medium arrives under the medium's folder, byte for byte.
"$wine_run" "$windows" --capacity 1M --quiet --copy 'out\copy' 'in\a' 'in\b' 'in\z.bin' \
    'in\Музыка' 'in\Фото' >/dev/null 2>&1 || {
    echo "FAILED: the copy under wine did not finish" >&2
    exit 1
}
medium=0
items=0
while read -r line; do
    case $line in
    medium\ *) medium=${line#medium } ;;
    *)
        path=${line% *}
        copied="out/copy/disk$medium/$(basename "$path")"
        diff -r "$path" "$copied" >/dev/null || {
            echo "FAILED: $copied is no exact copy of $path" >&2
            exit 1
        }
        items=$((items + 1))
        ;;
    esac
done <folders.linux
[ "$(find out/copy -type f | wc -l)" -eq "$(find in/a in/b in/z.bin in/Музыка in/Фото -type f | wc -l)" ] || {
    echo "FAILED: the copy holds other files than the items" >&2
    exit 1
}
echo "ok: copy: $items items with Cyrillic names copied byte for byte under wine"

# A link to a folder inside a copied folder: wine shows such a link made here as a reparse point
# whose target it cannot read, so the copy tells it as not copied and the medium is not done, and
# the image leaves its item out and says so; it is never followed, so nothing beyond the tree the
# medium counted is written.
make_file links/album/a.bin 1000
make_file elsewhere/inner/e.bin 300000
ln -s ../../elsewhere/inner links/album/folder-link
status=0
"$wine_run" "$windows" --capacity 1M --quiet --copy 'out\links' 'links\album' >/dev/null 2>&1 ||
    status=$?
if [ "$status" -ne 1 ] || [ -e out/links/disk1/album/folder-link ] ||
    ! cmp -s links/album/a.bin out/links/disk1/album/a.bin; then
    echo "FAILED: a link inside a copied folder under wine: status $status, or followed" >&2
    exit 1
fi
status=0
"$wine_run" "$windows" --capacity 1M --quiet --iso 'out\links-iso' 'links\album' >/dev/null 2>&1 ||
    status=$?
if [ "$status" -ne 1 ] || [ "$(stat -c %s out/links-iso/disk1.iso)" -gt 100000 ]; then
    echo "FAILED: a link inside an imaged folder under wine: status $status, or followed" >&2
    exit 1
fi
echo "ok: a link inside a copied or imaged folder is told under wine, never followed"

# Ctrl+C (wine turns the terminal's interrupt into the console's Ctrl+C event) in the middle of a
# copy: the run ends with status 130, and neither the unfinished file nor the medium's folder made
# for it is left.
truncate -s 3G big.bin
"$wine_run" "$windows" --capacity dvd --quiet --copy 'out\stopped' big.bin >/dev/null 2>&1 &
copying=$!
for _ in $(seq 1 120); do
    compgen -G 'out/stopped/disk1/.vantrel-partial-*' >/dev/null && break
    sleep 0.5
done
kill -INT "$copying"
status=0
wait "$copying" || status=$?
if [ "$status" -ne 130 ] || [ -n "$(ls -A out/stopped 2>/dev/null)" ]; then
    echo "FAILED: Ctrl+C under wine: status $status, or something left in out/stopped" >&2
    exit 1
fi
echo "ok: Ctrl+C under wine ends a copy with status 130 and leaves nothing"
