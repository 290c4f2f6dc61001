#!/usr/bin/env bash
# Checks that the C++ sources are laid out as .clang-format says; lists the
# places that are not and exits non-zero. Reformat with
#   clang-format -i FILE...
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
find src cli app tests bench fuzz report-cli \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z |
  xargs -0 clang-format --dry-run -Werror
