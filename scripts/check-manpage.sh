#!/usr/bin/env bash
# Checks a manual page source against the program it describes: every command
# and every option the program's --help lists must be on the page (as *word*),
# and the page must give the exit status.
#   check-manpage.sh PROGRAM PAGE.scd
set -euo pipefail
program="$1"
page="$2"
help="$("$program" --help)"
status=0
# Commands: the first word of a help line indented by two to four blanks (not
# a wrapped description); options: every --word.
commands="$(printf '%s\n' "$help" | sed -nE 's/^ {2,4}([a-z][a-z0-9-]+)( .*)?$/\1/p')"
options="$(printf '%s\n' "$help" | grep -oE -- '--[a-z][a-z0-9-]*' || true)"
for word in $commands $options; do
  if ! grep -qF -- "*$word*" "$page"; then
    echo "check-manpage: $(basename "$page") does not describe $word of $(basename "$program")" >&2
    status=1
  fi
done
if ! grep -q '^# EXIT STATUS' "$page"; then
  echo "check-manpage: $(basename "$page") has no EXIT STATUS section" >&2
  status=1
fi
[ -n "$commands$options" ] || { echo "check-manpage: no commands or options found in --help" >&2; status=1; }
exit $status
