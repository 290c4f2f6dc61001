#!/usr/bin/env bash
# Builds the Debian package from a finished build folder and checks it: the
# files it holds, its Depends, the programs run from an unpacked copy (they
# must find the installed parameter files), the desktop entry, the project
# file type, and lintian (no errors).
#   check-package.sh [BUILD_DIR]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
status=0
fail() { echo "check-package: $*" >&2; status=1; }

rm -f "$build"/drevia_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb="$(ls "$build"/drevia_*.deb)"
echo "package: $deb"

# ---- contents
listing="$(dpkg-deb -c "$deb" | awk '{print $6}')"
expected=(
  ./usr/bin/drevia-cli
  ./usr/share/drevia/AppParameters.xml
  ./usr/share/drevia/UniversalCulvertParameters.xml
  ./usr/share/drevia/help/topics.map
  ./usr/share/doc/drevia/copyright
  ./usr/share/doc/drevia/changelog.gz
  ./usr/share/man/man1/drevia-cli.1.gz
)
for sample in "$root"/samples/*.xml; do expected+=("./usr/share/doc/drevia/samples/$(basename "$sample")"); done
desktop=0
if [ -x "$build/bin/drevia" ]; then
  desktop=1
  expected+=(
    ./usr/bin/drevia
    ./usr/share/man/man1/drevia.1.gz
    ./usr/share/applications/drevia.desktop
    ./usr/share/icons/hicolor/scalable/apps/drevia.svg
    ./usr/share/mime/packages/drevia.xml
  )
fi
if [ -x "$build/bin/drevia-report" ]; then
  expected+=(./usr/bin/drevia-report ./usr/share/man/man1/drevia-report.1.gz)
fi
for file in "${expected[@]}"; do
  grep -qxF -- "$file" <<<"$listing" || fail "the package lacks $file"
done

# ---- Depends: computed from the programs, plus the report font
depends="$(dpkg-deb -f "$deb" Depends)"
echo "Depends: $depends"
needed=(libc6 libstdc++6 fonts-liberation2)
[ $desktop -eq 0 ] || needed+=(libqt6widgets6 libqt6printsupport6)
names="$(tr ',' '\n' <<<"$depends" | sed -E 's/^ +//; s/[ (].*//')"
for package in "${needed[@]}"; do
  grep -qxF -- "$package" <<<"$names" || fail "Depends lacks $package"
done

# ---- the unpacked programs find the installed data (../share/drevia)
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
dpkg -x "$deb" "$scratch/root"
mkdir -p "$scratch/home" "$scratch/elsewhere"
sample="$scratch/root/usr/share/doc/drevia/samples/culvert-design.xml"
(
  cd "$scratch/elsewhere"
  export HOME="$scratch/home" XDG_DATA_HOME="$scratch/home/data"
  "$scratch/root/usr/bin/drevia-cli" calc "$sample" --json >"$scratch/installed.json"
) || fail "drevia-cli calc from the unpacked package failed"
"$build/bin/drevia-cli" calc "$root/samples/culvert-design.xml" --json >"$scratch/built.json"
cmp -s "$scratch/installed.json" "$scratch/built.json" ||
  fail "drevia-cli calc from the unpacked package differs from the build folder's"
[ ! -e "$scratch/home/data" ] || fail "the unpacked program wrote into the user's data folder"
if man -l "$scratch/root/usr/share/man/man1/drevia-cli.1.gz" 2>/dev/null | grep -q 'save-results'; then :; else
  fail "man drevia-cli does not show the commands"
fi

# ---- desktop entry and project file type
if [ $desktop -eq 1 ]; then
  desktop-file-validate "$scratch/root/usr/share/applications/drevia.desktop" || fail "desktop entry refused"
  share="$scratch/root/usr/share"
  update-mime-database "$share/mime" >/dev/null 2>&1
  if command -v mimetype >/dev/null; then
    type="$(XDG_DATA_HOME="$scratch/home/data" XDG_DATA_DIRS="$share:/usr/share" mimetype --brief "$sample")"
    [ "$type" = "application/x-drevia-project+xml" ] || fail "a sample project has the file type $type"
    type="$(XDG_DATA_HOME="$scratch/home/data" XDG_DATA_DIRS="$share:/usr/share" mimetype --brief \
      "$share/drevia/AppParameters.xml")"
    [ "$type" != "application/x-drevia-project+xml" ] || fail "the parameter file is taken for a project"
  else
    echo "check-package: mimetype (libfile-mimeinfo-perl) not installed, file type not checked" >&2
  fi
fi

# ---- lintian: errors fail, the accepted warnings are listed in the README
lintian_status=0
report="$(lintian --fail-on error --tag-display-limit 0 "$deb" 2>&1)" || lintian_status=$?
grep -v '^running with root privileges' <<<"$report" || true
[ $lintian_status -eq 0 ] || fail "lintian reports errors"

[ $status -eq 0 ] && echo "check-package: $(basename "$deb") is sound"
exit $status
