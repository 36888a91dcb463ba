#!/usr/bin/env bash
# Configures, builds and runs every test, against Qt 5 and then against Qt 6.
#   QT_MAJOR_VERSION=5 or 6 runs one of them.
#   BUILD_DIR (default build) is the Qt 5 build; the Qt 6 one is ${BUILD_DIR}-qt6.
#   CMAKE_ARGS goes to both configure steps.
# A failure in the first build does not skip the second; the script fails at
# the end if either did.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup-debian.sh
base="${BUILD_DIR:-build}"
case "${QT_MAJOR_VERSION:-}" in
    "") versions=(5 6) ;;
    5 | 6) versions=("$QT_MAJOR_VERSION") ;;
    *) echo "test.sh: QT_MAJOR_VERSION must be 5 or 6, not '$QT_MAJOR_VERSION'" >&2; exit 2 ;;
esac
failed=()
for qt in "${versions[@]}"; do
    build="$base"
    [ "$qt" = 6 ] && build="$base-qt6"
    echo "== Qt $qt in $build"
    if cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQT_MAJOR_VERSION="$qt" ${CMAKE_ARGS:-} \
        && cmake --build "$build" -j"$(nproc)" \
        && (cd "$build" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"); then
        echo "== Qt $qt: all tests passed"
    else
        failed+=("Qt $qt ($build)")
    fi
done
if [ ${#failed[@]} -gt 0 ]; then
    echo "test.sh: failed: ${failed[*]}" >&2
    exit 1
fi
