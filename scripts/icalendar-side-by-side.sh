#!/usr/bin/env bash
# Reading and expanding the benchmark calendar (5,000 events, 300 repeat
# rules, a 90-day window) in this program (libical) and in ical.js, on the
# same file, and the ratio of the two. ical.js is installed with npm into the
# bench build folder (never into the source tree).
#   scripts/icalendar-side-by-side.sh [bench-build-folder]   (default: build-bench)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build-bench}
work=$build/icaljs
calendar=$work/bench-calendar.ics
if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
  echo "icalendar side by side: node and npm are needed for the ical.js side; skipped"
  exit 0
fi
mkdir -p "$work"
cp "$top/bench/icaljs/package.json" "$top/bench/icaljs/expand.mjs" "$work/"
if [ ! -d "$work/node_modules/ical.js" ]; then
  (cd "$work" && npm install --no-audit --no-fund --silent)
fi
ours=$(MURVA_BENCH_CALENDAR_FILE=$calendar "$build/bin/murva_bench" \
  --benchmark_filter=BM_ParseAndExpand90Days --benchmark_repetitions=5 \
  --benchmark_report_aggregates_only=true --benchmark_format=json |
  python3 -c 'import json,sys; d=json.load(sys.stdin); print([b for b in d["benchmarks"] if b.get("aggregate_name")=="median"][0]["real_time"])')
theirs=$(node "$work/expand.mjs" "$calendar" 15)
python3 - "$ours" "$theirs" <<'PY'
import json, sys
ours = float(sys.argv[1])
theirs = json.loads(sys.argv[2])
print(f"parse + expand 90 days, 5,000 events / 300 rules: libical {ours:.1f} ms, "
      f"ical.js {theirs['median_ms']:.1f} ms ({theirs['occurrences']} occurrences), "
      f"ratio {ours / theirs['median_ms']:.2f} (goal <= 0.5)")
PY
