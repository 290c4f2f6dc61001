#!/usr/bin/env bash
# Sets everything up, then builds and runs every test twice: a normal build
# (with the desktop) and one of the core and command line alone with
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
"$root/scripts/check-layout.sh"
jobs="$(nproc)"

echo "== normal build"
"$root/scripts/build.sh" "$root/build"
ctest --test-dir "$root/build" -j "$jobs" --output-on-failure

echo "== Debian package"
"$root/scripts/check-package.sh" "$root/build"

echo "== AddressSanitizer + UndefinedBehaviorSanitizer build"
"$root/scripts/build.sh" "$root/build-asan" -DDREVIA_SANITIZE=ON -DDREVIA_BENCH=OFF -DDREVIA_DESKTOP=OFF -DCMAKE_BUILD_TYPE=Debug
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir "$root/build-asan" -j "$jobs" --output-on-failure
