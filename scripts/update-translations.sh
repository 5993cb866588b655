#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Refreshes the window's translation sources (translations/vantrel_*.ts) from the texts marked in
# the window's code: new texts come in unfinished, texts gone from the code go. Russian is the
# source language. Then translate the unfinished entries (Qt Linguist, or by hand) and commit.
#
#   scripts/update-translations.sh          refresh every .ts
#   scripts/update-translations.sh --check  refresh copies instead and fail when one has an
#                                           unfinished or missing entry (CI)
set -euo pipefail
cd "$(dirname "$0")/.."

lupdate=$(command -v lupdate || echo /usr/lib/qt6/bin/lupdate)
lrelease=$(command -v lrelease || echo /usr/lib/qt6/bin/lrelease)
# The window's folders, and the capacity presets its Division page shows.
sources=(app dialogs ui winamp/dialog settings/CapacityPresets.h)

update() {
    "$lupdate" -silent -locations none -no-obsolete -source-language ru_RU \
        -target-language "$2" -tr-function-alias QT_TRANSLATE_NOOP+=WINDOW_CAPTION \
        -extensions cpp,h "${sources[@]}" -ts "$1"
}

status=0
for ts in translations/vantrel_*.ts; do
    language=$(basename "$ts" .ts)
    language=${language#vantrel_}
    if [ "${1:-}" = "--check" ]; then
        copy=$(mktemp --suffix=.ts)
        cp "$ts" "$copy"
        update "$copy" "$language"
        # lrelease counts what it finished; every entry must be a finished translation.
        report=$("$lrelease" "$copy" -qm /dev/null)
        rm -f "$copy"
        if ! grep -q 'Generated [0-9]* translation(s) ([0-9]* finished and 0 unfinished)' \
            <<<"$report" || grep -q 'Ignored [1-9]' <<<"$report"; then
            echo "$ts is not complete: $report" >&2
            status=1
        fi
    else
        update "$ts" "$language"
    fi
done
exit "$status"
