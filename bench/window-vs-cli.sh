#!/usr/bin/env bash
# window-vs-cli.sh - a Process from the window against kesto-cli process.
#
#   bench/window-vs-cli.sh [--runs N] BUILD_DIR CORPUS [CFE]
#
# Both make the gallery of one copy of CORPUS with the settings of CFE
# (default ../shared/bench/bench-express.cfe beside this repository): the
# window as bench_window_run does it (Process clicked, the run timed until
# the window takes input again), kesto-cli as `process --quiet --yes --config
# CFE DIR`, timed around the whole process. Before every run the thumbnails
# and pages of the last one are removed. One warm-up run each, then N timed
# runs (default 7) in alternating order. Prints every run, the medians and as
# its last line "ratio window/cli = 1.01".
set -euo pipefail

usage() { echo "usage: $0 [--runs N] BUILD_DIR CORPUS [CFE]" >&2; exit 2; }
RUNS=7
[ "${1:-}" != --runs ] || { RUNS=${2:?}; shift 2; }
[ $# -ge 2 ] && [ $# -le 3 ] || usage
BUILD=$(cd "$1" && pwd)
CORPUS=$2
CFE=$(realpath "${3:-$(dirname "$0")/../../shared/bench/bench-express.cfe}")
WORK=$(mktemp -d "${TMPDIR:-/tmp}/kesto-window-vs-cli.XXXXXX")
trap 'rm -rf "$WORK"' EXIT
cp -r "$CORPUS" "$WORK/pics"
DIR=$WORK/pics/

clean() { rm -rf "$DIR/thumbs" "$DIR"/*.html; sync; }
window() {
  clean
  "$BUILD/bench/bench_window_run" run "$DIR" "$CFE" | sed -n 's/^run: \([0-9.]*\) s.*/\1/p'
}
cli() {
  clean
  local start end
  start=$(date +%s.%N)
  "$BUILD/src/kesto-cli" process --quiet --yes --config "$CFE" "$DIR"
  end=$(date +%s.%N)
  awk -v a="$start" -v b="$end" 'BEGIN {printf "%.3f\n", b - a}'
}
median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }

window >/dev/null
cli >/dev/null
: >"$WORK/w"
: >"$WORK/c"
for i in $(seq "$RUNS"); do
  if [ $((i % 2)) = 1 ]; then w=$(window); c=$(cli); else c=$(cli); w=$(window); fi
  echo "run $i: window $w s, kesto-cli $c s"
  echo "$w" >>"$WORK/w"
  echo "$c" >>"$WORK/c"
done
mw=$(median <"$WORK/w")
mc=$(median <"$WORK/c")
echo "median window $mw s, kesto-cli $mc s"
awk -v w="$mw" -v c="$mc" 'BEGIN {printf "ratio window/cli = %.3f\n", w / c}'
