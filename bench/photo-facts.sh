#!/usr/bin/env bash
# photo-facts.sh - what [DATE TAKEN] and date order cost a kesto-cli run.
#
#   bench/photo-facts.sh [--runs N] KESTO_CLI CORPUS
#
# Advanced mode, initial settings ("plain") against the same with
# "[DATE TAKEN]" in the cell code and --sort date ("dates"), on a copy of
# CORPUS under TMPDIR (default /tmp). Cold: no thumbnails, pages or metadata
# cache (all deleted before the run); warm: a rerun that finds them all.
# The two variants alternate, N runs each (default 5); prints every run and
# the medians of wall and processor (user + system) seconds, and the ratios
# dates/plain. Needs GNU time (Debian: time).
set -euo pipefail
usage() { echo "usage: $0 [--runs N] KESTO_CLI CORPUS" >&2; exit 2; }
RUNS=5
[ "${1:-}" = --runs ] && { RUNS=${2:?}; shift 2; }
[ $# -eq 2 ] || usage
CLI=$(realpath "$1"); CORPUS=$2
WORK=$(mktemp -d "${TMPDIR:-/tmp}/photo-facts.XXXXXX")
trap 'rm -rf "$WORK"' EXIT
cp -r "$CORPUS" "$WORK/pictures"
"$CLI" config init "$WORK/plain.cfg" >/dev/null
# Line 36 of a .cfg is the cell code.
awk 'NR == 36 { sub(/\[FILE SIZE\] Kb/, "[FILE SIZE] Kb<br>[DATE TAKEN]") } { print }' \
  "$WORK/plain.cfg" >"$WORK/dates.cfg"
grep -q 'DATE TAKEN' "$WORK/dates.cfg" || { echo "no [DATE TAKEN] in the cell code" >&2; exit 1; }

clean() { rm -rf "$WORK/pictures/thumbs" "$WORK"/pictures/*.html; }
seconds() {  # variant: runs kesto-cli once, prints its wall and processor time
  local sort=name
  [ "$1" = dates ] && sort=date
  /usr/bin/time -f "%e %U %S" -o "$WORK/time" \
    "$CLI" process --quiet --yes --config "$WORK/$1.cfg" --sort "$sort" "$WORK/pictures" >/dev/null
  awk '{ printf "%s %.2f\n", $1, $2 + $3 }' "$WORK/time"
}
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

declare -A wall cpu
for ((i = 1; i <= RUNS; i++)); do
  for variant in plain dates; do
    clean
    for kind in cold warm; do
      read -r w c < <(seconds $variant)
      echo "run $i $variant $kind: wall $w s, cpu $c s"
      wall[$variant-$kind]+="$w "
      cpu[$variant-$kind]+="$c "
    done
  done
done
for kind in cold warm; do
  for what in wall cpu; do
    declare -n list=$what
    plain=$(tr ' ' '\n' <<<"${list[plain-$kind]}" | grep . | median)
    dates=$(tr ' ' '\n' <<<"${list[dates-$kind]}" | grep . | median)
    echo "median $kind $what: plain $plain s, dates $dates s," \
      "dates/plain $(echo "scale=3; $dates / $plain" | bc)"
  done
done
