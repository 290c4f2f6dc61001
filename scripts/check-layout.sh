#!/usr/bin/env bash
# Refuses patterns the layering forbids: the core never includes Qt.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
status=0
if grep -rnE '#include *<Q[A-Za-z]+' "$root/src" "$root/cli" 2>/dev/null; then
  echo "check-layout: the core and the command line must not include Qt" >&2
  status=1
fi
exit $status
