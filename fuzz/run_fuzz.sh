#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (library and targets under ASan and
# UBSan); for each, replays every input kept in its regressions directory
# once, then fuzzes from its seeds for N seconds:
#   fuzz_celltexts  receiver records to cell texts   fuzz/corpus/, fuzz/regressions/
#   fuzz_viewstate  a saved layout brought back      fuzz/corpus-viewstate/, fuzz/regressions-viewstate/
#   fuzz/run_fuzz.sh [SECONDS]        default 60 per target; FUZZ_BUILD_DIR picks the build dir
# A finding is written to <build>/fuzz/ as crash-*, leak-* or timeout-*; once the
# library is fixed, keep the input in the target's regressions directory.
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
targets=(fuzz_celltexts fuzz_viewstate)
cmake --build "$build" -j"$(nproc)" --target "${targets[@]}"

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export LSAN_OPTIONS="suppressions=$PWD/scripts/sanitizers/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
shopt -s nullglob
for target in "${targets[@]}"; do
    fuzzer="$build/fuzz/$target"
    suffix=""
    [ "$target" = fuzz_celltexts ] || suffix="-${target#fuzz_}"

    # Every input that once broke the library stays fixed.
    regressions=(fuzz/regressions"$suffix"/*)
    if [ ${#regressions[@]} -gt 0 ]; then
        echo "$target: replaying ${#regressions[@]} regression input(s)"
        "$fuzzer" "${regressions[@]}"
    fi

    # Fuzz in a scratch corpus so the committed seeds stay few and small. Leaks
    # are looked for at exit: Qt's caches make a per-input check both slow and
    # noisy. fuzz_celltexts runs without a QApplication; fuzz_viewstate makes
    # an offscreen one.
    mkdir -p "$work/$target"
    cp fuzz/corpus"$suffix"/* "$work/$target"/
    "$fuzzer" -max_total_time="$seconds" -timeout=25 -rss_limit_mb=4096 -detect_leaks=0 \
        -artifact_prefix="$build/fuzz/" -print_final_stats=1 "$work/$target"
    echo "$target: no finding in ${seconds}s"
done
