#!/usr/bin/env bash
# Installs, builds with AddressSanitizer + UndefinedBehaviorSanitizer, runs
# every test, then runs each fuzz target briefly.
set -euo pipefail
root="$(cd "$(dirname "$0")" && pwd)"
jobs="$(nproc)"
"$root/tools/install-deps.sh"

cmake -S "$root" -B "$root/build-test" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPW_SANITIZE=ON \
      -DPW_BUILD_BENCH=OFF >/dev/null
ninja -C "$root/build-test" -j"$jobs"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
(cd "$root/build-test" && ctest --output-on-failure -j"$jobs")

# The fuzz targets: each runs for FUZZ_SECONDS (default 60) from its seeds.
cmake -S "$root" -B "$root/build-fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_CXX_COMPILER=clang++ -DPW_BUILD_FUZZ=ON -DPW_BUILD_GUI=OFF -DPW_BUILD_TESTS=OFF \
      -DPW_BUILD_BENCH=OFF >/dev/null
ninja -C "$root/build-fuzz" -j"$jobs" fuzz_targets
"$root/fuzz/run-all.sh" "$root/build-fuzz" "${FUZZ_SECONDS:-60}"
echo "All tests and fuzz runs passed."
