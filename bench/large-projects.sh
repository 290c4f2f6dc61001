#!/usr/bin/env bash
# Large projects end to end: builds a 100,000-run storm sewer chain, a
# 10,000-culvert analysis and a 100,000-section ditch project, then times
# drevia-cli save-results (open, convert, load, calculate, save with results)
# on each and reports the wall time and the peak memory (/usr/bin/time -v)
# against the file size.
#
#   bench/large-projects.sh [BIN_DIR]        (default build/bin)
#
# KEEP=DIR keeps the generated projects and results in DIR (for profiling).
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
bin="${1:-$here/build/bin}"
cli="$bin/drevia-cli"
[ -x "$cli" ] || { echo "no drevia-cli in $bin (build it first)" >&2; exit 2; }
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time (Debian package time)" >&2; exit 2; }
if [ -n "${KEEP:-}" ]; then
  work="$KEEP"
  mkdir -p "$work"
else
  work="$(mktemp -d)"
  trap 'rm -rf "$work"' EXIT
fi

python3 - "$here/samples" "$work" <<'EOF'
import re, sys
samples, work = sys.argv[1], sys.argv[2]

def head(kind, identification, parameters):
    return ('<?xml version="1.0" encoding="ISO-8859-1" ?><Application Name="Drevia" Version="110" unit="english">'
            f'<{kind}>{identification}{parameters}')

def identification(sample):
    return re.search(r'<Identification>.*?</Identification>', sample).group(0)

def write(name, parts):
    with open(f'{work}/{name}', 'w', encoding='latin-1', newline='') as f:
        f.write(''.join(parts) + '\r\n')

# Storm sewer: one chain J0 -> J1 -> ... of 100,000 runs falling 0.5 ft per 100 ft.
sample = open(f'{samples}/storm-sewer-design.xml', encoding='latin-1').read()
parameters = re.search(r'<StormSewerParameters>.*?</StormSewerParameters>', sample).group(0)
parameters = re.sub(r'<TailwaterElevation>[^<]*</TailwaterElevation>', '<TailwaterElevation>0</TailwaterElevation>',
                    parameters)
runs, top = 100_000, 50_010.0
parts = [head('StormSewerDesign', identification(sample), parameters), '<StormSewerList>']
for i in range(runs):
    upper, lower = top - 0.5 * i, top - 0.5 * (i + 1)
    first = i == 0
    parts.append(
        f'<StormSewerElement id="{i + 1}"><Side>C</Side><Structure>{"CB" if first else "MH"}</Structure>'
        f'<InletType>{"3x3 ft" if first else "48 in"}</InletType><BeginJunction>J{i}</BeginJunction>'
        f'<EndJunction>J{i + 1}</EndJunction><BeginStation>{i}+00</BeginStation><EndStation>{i + 1}+00</EndStation>'
        f'<Time>{12 if first else 0}</Time><Length>100</Length><InletCrown>{upper:g}</InletCrown>'
        f'<OutletCrown>{lower - 0.2:g}</OutletCrown><InletCover>{upper + 6:g}</InletCover>'
        f'<OutletCover>{lower + 6:g}</OutletCover><Mannings>0</Mannings><MinDiameter>0</MinDiameter>'
        '<RunoffCoeff1>0.9</RunoffCoeff1><RunoffCoeff2>0</RunoffCoeff2><RunoffCoeff3>0</RunoffCoeff3>'
        '<RunoffCoeff4>0</RunoffCoeff4><RunoffArea1>0.0005</RunoffArea1><RunoffArea2>0</RunoffArea2>'
        '<RunoffArea3>0</RunoffArea3><RunoffArea4>0</RunoffArea4></StormSewerElement>')
parts.append('</StormSewerList></StormSewerDesign></Application>')
write('storm-sewer-100000.xml', parts)

# Culvert analysis: the sample's culverts over and over, 10,000 in all.
sample = open(f'{samples}/culvert-analysis-performance.xml', encoding='latin-1').read()
elements = re.findall(r'<CulvertAnalysisElement id="\d+">.*?</CulvertAnalysisElement>', sample)
parts = [head('CulvertAnalysis', identification(sample), ''), '<CulvertAnalysisList>']
for i in range(10_000):
    parts.append(re.sub(r'id="\d+"', f'id="{i + 1}"', elements[i % len(elements)], count=1))
parts.append('</CulvertAnalysisList></CulvertAnalysis></Application>')
write('culvert-analysis-10000.xml', parts)

# Ditch: 100,000 trapezoidal sections of 300 ft, one after the other.
sample = open(f'{samples}/ditch-analysis.xml', encoding='latin-1').read()
parameters = re.search(r'<DitchAnalysisParameters>.*?</DitchAnalysisParameters>', sample).group(0)
parts = [head('DitchAnalysis', identification(sample), parameters), '<DitchAnalysisList>']
top = 100_000.0
for i in range(100_000):
    parts.append(
        f'<DitchAnalysisElement id="{i + 1}"><BeginStation>{3 * i}+00</BeginStation>'
        f'<EndStation>{3 * (i + 1)}+00</EndStation><Side>R</Side><ConcTime>{12 if i == 0 else 0}</ConcTime>'
        '<RunoffCoeff>0.55</RunoffCoeff><RunoffArea>0.02</RunoffArea><Inslope>4</Inslope><Width>2</Width>'
        '<Radius>0</Radius><Backslope>2</Backslope><Grade>0</Grade><Length>0</Length>'
        f'<ElevationBegin>{top - 0.8 * i:g}</ElevationBegin><ElevationEnd>{top - 0.8 * (i + 1):g}</ElevationEnd>'
        '<ManningN>0</ManningN><Lining/></DitchAnalysisElement>')
parts.append('</DitchAnalysisList></DitchAnalysis></Application>')
write('ditch-100000.xml', parts)
EOF

# Wall time on a shared machine mostly measures the wait for a core; the
# processor time (user + system) is the program's own.
printf '%-26s %8s %8s %8s %9s %7s %s\n' project "file MB" "wall s" "cpu s" "peak MB" "x file" "exit"
for name in storm-sewer-100000 culvert-analysis-10000 ditch-100000; do
  file="$work/$name.xml"
  set +e
  /usr/bin/time -v "$cli" --data-dir "$bin" save-results "$file" "$work/$name-results.xml" \
    >/dev/null 2>"$work/$name.time"
  status=$?
  set -e
  bytes=$(stat -c %s "$file")
  seconds=$(sed -n 's/.*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' "$work/$name.time" |
    awk -F: '{ s = 0; for (i = 1; i <= NF; i++) s = s * 60 + $i; print s }')
  cpu=$(awk -F': ' '/User time|System time/ { s += $2 } END { print s }' "$work/$name.time")
  peak=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$work/$name.time")
  awk -v n="$name" -v b="$bytes" -v s="$seconds" -v c="$cpu" -v p="$peak" -v st="$status" \
    'BEGIN { printf "%-26s %8.1f %8.2f %8.2f %9.1f %7.1f %s\n", n, b / 1e6, s, c, p / 1024, p * 1024 / b, st }'
  if [ "$status" -ne 0 ]; then
    grep -v -E '^\s' "$work/$name.time" | head -3 | sed 's/^/    /' >&2
  fi
done
