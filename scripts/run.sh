#!/usr/bin/env bash
# Sets everything up, builds, and runs the program's main job: the desktop
# when there is a display, otherwise drevia-cli on a sample project (a culvert
# analysis performance curve, or the project given as the argument).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$root/build-app" -DDREVIA_TESTS=OFF -DDREVIA_BENCH=OFF
if [ $# -eq 0 ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }; then
  exec "$root/build-app/bin/drevia"
fi
sample="${1:-$root/samples/culvert-analysis-performance.xml}"
"$root/build-app/bin/drevia-cli" calc "$sample"
