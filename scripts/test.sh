#!/usr/bin/env bash
# Sets everything up, then builds and runs every test twice: a normal build
# (with the desktop) and one of the core and command line alone with
# AddressSanitizer and UndefinedBehaviorSanitizer (both treat compiler
# warnings as errors); then replays the fuzz targets' corpora.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
"$root/scripts/check-layout.sh"
"$root/scripts/check-format.sh"
jobs="$(nproc)"

echo "== normal build"
"$root/scripts/build.sh" "$root/build" -DDREVIA_WERROR=ON
ctest --test-dir "$root/build" -j "$jobs" --output-on-failure

echo "== Debian package"
"$root/scripts/check-package.sh" "$root/build"

echo "== AddressSanitizer + UndefinedBehaviorSanitizer build"
"$root/scripts/build.sh" "$root/build-asan" -DDREVIA_SANITIZE=ON -DDREVIA_WERROR=ON -DDREVIA_BENCH=OFF -DDREVIA_DESKTOP=OFF -DCMAKE_BUILD_TYPE=Debug
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir "$root/build-asan" -j "$jobs" --output-on-failure

# The fuzz targets replay their committed corpora: every input that once
# found something, and the seeds, must still pass. Their own folder, since
# the libraries are built with clang and the fuzzer's instrumentation.
echo "== fuzz targets over their corpora (clang, libFuzzer)"
cmake -S "$root" -B "$root/build-fuzz" -DCMAKE_CXX_COMPILER=clang++ -DFUZZ=ON -DDREVIA_TESTS=OFF \
  -DDREVIA_BENCH=OFF -DDREVIA_DESKTOP=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build-fuzz" -j "$jobs" --target fuzz_xml_reader fuzz_project
"$root/build-fuzz/bin/fuzz_xml_reader" -runs=0 "$root/fuzz/corpus"
"$root/build-fuzz/bin/fuzz_project" -runs=0 "$root/fuzz/corpus-project"
