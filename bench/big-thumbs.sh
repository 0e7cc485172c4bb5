#!/usr/bin/env bash
# big-thumbs.sh - peak memory of kesto-cli for thumbnails far larger than
# their pictures, against the bound of 4 bytes per pixel of the thumbnails in
# flight plus 100 MB.
#
#   bench/big-thumbs.sh KESTO_CLI
#
# Makes 64 x 64 JPEGs and runs (Express, initial settings otherwise):
#   one picture at height 11585 (a thumbnail of 134 megapixels), --jobs 1
#   two pictures at height 32767 (1,074 megapixels each), --jobs 2
# Prints the peak memory (GNU time's maximum resident set) of each run, the
# bound and whether it held; exit status 1 when a run broke its bound.
# TMPDIR picks where the pictures go.
set -euo pipefail
[ $# -eq 1 ] && [ -x "$1" ] || { echo "usage: $0 KESTO_CLI" >&2; exit 2; }
CLI=$1
WORK=$(mktemp -d "${TMPDIR:-/tmp}/big-thumbs.XXXXXX")
trap 'rm -rf "$WORK"' EXIT
status=0
run() {  # height pictures jobs
  local dir=$WORK/h$1 i
  mkdir -p "$dir"
  for ((i = 1; i <= $2; i++)); do vips black "$dir/p$i.jpg" 64 64 --bands 3; done
  /usr/bin/time -f %M -o "$WORK/rss" "$CLI" process --quiet --height "$1" --jobs "$3" "$dir"
  awk -v h="$1" -v n="$2" -v kib="$(cat "$WORK/rss")" 'BEGIN {
    peak = kib * 1024 / 1e6; bound = (4 * h * h * n + 100e6) / 1e6
    printf "height %d, %d picture(s): peak %.0f MB, bound %.0f MB: %s\n", h, n, peak, bound,
           peak < bound ? "held" : "BROKEN"
    exit peak < bound ? 0 : 1 }' || status=1
  rm -rf "$dir"
}
run 11585 1 1
run 32767 2 2
exit $status
