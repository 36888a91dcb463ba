#!/usr/bin/env bash
# Refreshes the Simplified Chinese catalogue from every tr() in the library and
# the demo. New texts arrive unfinished; translate them in Qt Linguist (or by
# hand) before committing, or the translations test fails.
set -euo pipefail
cd "$(dirname "$0")/.."
dirs=(src)
[ -d demo ] && dirs+=(demo)
exec lupdate -no-obsolete -locations relative "${dirs[@]}" -ts resources/translations/cmview_zh_CN.ts "$@"
