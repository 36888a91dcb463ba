#!/usr/bin/env bash
# Builds the libFuzzer target with clang (library and target under ASan and
# UBSan), replays every input kept in fuzz/regressions/ once, then fuzzes from
# the seeds in fuzz/corpus/ for N seconds.
#   fuzz/run_fuzz.sh [SECONDS]        default 60; FUZZ_BUILD_DIR picks the build dir
# A finding is written to <build>/fuzz/ as crash-*, leak-* or timeout-*; once the
# library is fixed, keep the input in fuzz/regressions/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
build="${FUZZ_BUILD_DIR:-build-fuzz}"

# clang and its libFuzzer/sanitizer runtimes, as Debian packages them.
if ! command -v clang++ >/dev/null || ! compgen -G "/usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a" >/dev/null; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends clang libclang-rt-dev
fi
bash scripts/setup-debian.sh

# Against Qt 5: the code under test is the same for both, the suppressions name Qt 5.
CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQT_MAJOR_VERSION=5 \
    -DCMVIEW_BUILD_FUZZ=ON -DCMVIEW_BUILD_TESTS=OFF -DCMVIEW_BUILD_DEMO=OFF -DCMVIEW_BUILD_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined,fuzzer-no-link -fno-omit-frame-pointer -fno-sanitize-recover=undefined"
cmake --build "$build" -j"$(nproc)" --target fuzz_celltexts
fuzzer="$build/fuzz/fuzz_celltexts"

# No QApplication: the target runs without a display or platform plugin.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export LSAN_OPTIONS="suppressions=$PWD/scripts/sanitizers/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"

# Every input that once broke the library stays fixed.
shopt -s nullglob
regressions=(fuzz/regressions/*)
if [ ${#regressions[@]} -gt 0 ]; then
    echo "Replaying ${#regressions[@]} regression input(s)"
    "$fuzzer" "${regressions[@]}"
fi

# Fuzz in a scratch corpus so the committed seeds stay few and small. Leaks are
# looked for at exit: Qt's caches make a per-input check both slow and noisy.
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp fuzz/corpus/* "$work"/
"$fuzzer" -max_total_time="$seconds" -timeout=25 -rss_limit_mb=4096 -detect_leaks=0 \
    -artifact_prefix="$build/fuzz/" -print_final_stats=1 "$work"
echo "fuzz_celltexts: no finding in ${seconds}s"
