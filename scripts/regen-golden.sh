#!/usr/bin/env bash
# Records drevia-cli's output for every case of tests/data/cli/golden.txt:
# "exit N", standard output, then (where the case asks) standard error after
# "--- stderr" and the file written to @OUT after "--- OUT".
# Check the difference by hand (git diff tests/data/cli) before committing.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bin="${1:-$root/build/bin}"
cd "$root"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
while IFS= read -r line; do
  case "$line" in ''|'#'*) continue ;; esac
  name="$(echo "${line%%|*}" | xargs)"
  rest="${line#*|}"
  args="$(echo "${rest%%|*}" | sed 's/^ *//;s/ *$//')"
  streams=""
  [[ "$rest" == *"|"* ]] && streams="$(echo "${rest#*|}" | xargs)"
  out="$work/$name.result"
  rm -f "$out"
  args="${args//@OUT/$out}"
  set +e
  eval "'$bin/drevia-cli' --data-dir '$bin' $args" >"$work/stdout" 2>"$work/stderr"
  status=$?
  set -e
  {
    printf 'exit %s\n' "$status"
    cat "$work/stdout"
    if [[ "$streams" == stderr ]]; then
      printf -- '--- stderr\n'
      cat "$work/stderr"
    fi
    if [[ "${rest%%|*}" == *@OUT* ]]; then
      if [[ -e "$out" ]]; then
        printf -- '--- OUT\n'
        cat "$out"
      else
        printf -- '--- OUT not written\n'
      fi
    fi
  } >"tests/data/cli/$name.out"
done < tests/data/cli/golden.txt
