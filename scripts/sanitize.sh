#!/usr/bin/env bash
# Sanitizer runs with gcc:
#   1. AddressSanitizer + UndefinedBehaviorSanitizer: the whole project, every CTest test;
#   2. ThreadSanitizer: the suites that run detection jobs and other threads.
# Any sanitizer report fails the script, also one from a process that exits 0.
# Both builds are against Qt 5, whose libraries the suppressions name.
#   ASAN_BUILD_DIR (default build-asan), TSAN_BUILD_DIR (default build-tsan)
#   SANITIZE_ONLY=asan|tsan runs one half; TSAN_TESTS overrides the TSan test regex.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
absolute() { case "$1" in /*) echo "$1" ;; *) echo "$root/$1" ;; esac; }
asan_build="$(absolute "${ASAN_BUILD_DIR:-build-asan}")"
tsan_build="$(absolute "${TSAN_BUILD_DIR:-build-tsan}")"
tsan_tests="${TSAN_TESTS:-livedata|stress|foundation}"
jobs="$(nproc)"
supp="$root/scripts/sanitizers"
bash scripts/setup-debian.sh

# Reports go to files as well as failing the process, so none can hide in a
# test that swallows its child's exit code.
check_logs() {
    local dir="$1" name="$2"
    if compgen -G "$dir/*" >/dev/null; then
        echo "== $name reports:"
        cat "$dir"/*
        echo "sanitize.sh: $name reported the problems above" >&2
        exit 1
    fi
}

run_asan() {
    local t0=$SECONDS logs="$asan_build/sanitizer-logs"
    cmake -S . -B "$asan_build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQT_MAJOR_VERSION=5 \
        -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-omit-frame-pointer"
    cmake --build "$asan_build" -j"$jobs"
    rm -rf "$logs" && mkdir -p "$logs"
    (
        cd "$asan_build"
        export ASAN_OPTIONS="detect_leaks=1:verify_asan_link_order=0:strict_init_order=1:detect_stack_use_after_return=1:log_path=$logs/asan:log_exe_name=1"
        export LSAN_OPTIONS="suppressions=$supp/lsan.supp:print_suppressions=0"
        export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:log_path=$logs/ubsan:log_exe_name=1"
        ctest --output-on-failure -j"$jobs" -LE xcb
        # Windows on a real X server load the xcb GL integration and, through
        # it, the system's GL driver, which leaks a buffer and is unloaded
        # before the report. Its frames carry no frame pointers, so only the
        # full unwinder reaches the Qt plugin frame the suppression names.
        ASAN_OPTIONS="$ASAN_OPTIONS:fast_unwind_on_malloc=0" ctest --output-on-failure -j"$jobs" -L xcb
    ) || { check_logs "$logs" "ASan/UBSan"; exit 1; }
    check_logs "$logs" "ASan/UBSan"
    echo "sanitize.sh: ASan/UBSan clean in $((SECONDS - t0)) s"
}

run_tsan() {
    local t0=$SECONDS logs="$tsan_build/sanitizer-logs" targets=()
    for source in tests/tst_*.cpp; do
        name="$(basename "$source" .cpp)"
        [[ "$name" =~ $tsan_tests ]] && targets+=("$name")
    done
    [ ${#targets[@]} -gt 0 ] || { echo "sanitize.sh: no test matches '$tsan_tests'" >&2; exit 1; }
    cmake -S . -B "$tsan_build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQT_MAJOR_VERSION=5 \
        -DCMVIEW_BUILD_DEMO=OFF -DCMVIEW_BUILD_BENCH=OFF \
        -DCMAKE_CXX_FLAGS="-fsanitize=thread -fno-omit-frame-pointer"
    cmake --build "$tsan_build" -j"$jobs" --target "${targets[@]}"
    rm -rf "$logs" && mkdir -p "$logs"
    (
        cd "$tsan_build"
        export TSAN_OPTIONS="suppressions=$supp/tsan.supp:second_deadlock_stack=1:history_size=4:log_path=$logs/tsan:log_exe_name=1"
        ctest --output-on-failure -j"$jobs" -R "$tsan_tests"
    ) || { check_logs "$logs" "TSan"; exit 1; }
    check_logs "$logs" "TSan"
    echo "sanitize.sh: TSan clean in $((SECONDS - t0)) s"
}

case "${SANITIZE_ONLY:-all}" in
    asan) run_asan ;;
    tsan) run_tsan ;;
    *) run_asan; run_tsan ;;
esac
echo "sanitize.sh: done in $SECONDS s"
