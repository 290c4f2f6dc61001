#!/usr/bin/env bash
# Records drevia-cli's output for every case of tests/data/cli/golden.txt.
# Check the difference by hand (git diff tests/data/cli) before committing.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bin="${1:-$root/build/bin}"
cd "$root"
while IFS= read -r line; do
  case "$line" in ''|'#'*) continue ;; esac
  name="$(echo "${line%%|*}" | xargs)"
  args="$(echo "${line#*|}" | sed 's/^ *//;s/ *$//')"
  set +e
  output="$(eval "'$bin/drevia-cli' --data-dir '$bin' $args" 2>/dev/null; echo "~$?")"
  set -e
  status="${output##*~}"
  printf 'exit %s\n%s' "$status" "${output%~*}" > "tests/data/cli/$name.out"
done < tests/data/cli/golden.txt
