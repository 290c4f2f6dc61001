#!/usr/bin/env bash
# Sets everything up, builds, and runs the program's main job on a sample:
# a culvert analysis performance curve.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$root/build-app" -DDREVIA_TESTS=OFF -DDREVIA_BENCH=OFF
sample="${1:-$root/samples/culvert-analysis-performance.xml}"
"$root/build-app/bin/drevia-cli" calc "$sample"
