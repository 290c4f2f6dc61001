#!/usr/bin/env bash
# Refuses includes the layering forbids:
# - the core (src/) and the command line (cli/) never include Qt, nor a
#   desktop header ("app/...");
# - the desktop's framework library (app/framework, app/help, app/reports)
#   never includes the kind dialogs, the tools or the main window;
# - the command line's own headers (cli/) are included only inside cli/ and by
#   its tests in tests/cli, which test those pieces directly. Everything else
#   reaches drevia-cli as a program, never through its headers.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
status=0

refuse() {
  echo "check-layout: $1" >&2
  status=1
}

sources() {
  local dir
  for dir in "$@"; do
    [ -d "$root/$dir" ] && find "$root/$dir" -type f \( -name '*.h' -o -name '*.cpp' \)
  done
  return 0
}

if sources src cli | xargs -r grep -nE '^\s*#\s*include\s*<Q[A-Za-z]+'; then
  refuse "the core and the command line must not include Qt"
fi

if sources src cli | xargs -r grep -nE '^\s*#\s*include\s*"app/'; then
  refuse "the core and the command line must not include a desktop header"
fi

if sources app/framework app/help app/reports |
  xargs -r grep -nE '^\s*#\s*include\s*"app/(culvertdesign|culvertanalysis|stormsewer|inletspacing|ditch|tools|main)/'; then
  refuse "the desktop framework must not include the kind dialogs, the tools or the main window"
fi

# The command line's files, written as they are included: "cli/X", or "X"
# relative to cli/ (its own include path).
cli_names=()
while IFS= read -r file; do
  rel="${file#"$root/cli/"}"
  cli_names+=("cli/$rel" "$rel")
done < <(find "$root/cli" -type f \( -name '*.h' -o -name '*.cpp' \) | sort)
if [ ${#cli_names[@]} -gt 0 ]; then
  pattern="$(printf '%s\n' "${cli_names[@]}" | sed 's/[.]/[.]/g' | paste -sd'|')"
  if sources src app bench fuzz $(cd "$root" && find tests -mindepth 1 -maxdepth 1 -type d ! -name cli) |
    xargs -r grep -nE "^\s*#\s*include\s*\"($pattern)\""; then
    refuse "only cli/ and tests/cli may include the command line's files"
  fi
fi

exit $status
