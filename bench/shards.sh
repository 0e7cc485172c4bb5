#!/usr/bin/env bash
# shards.sh - one kesto-cli --recursive run against SHARDS shards run at once
# (GNU parallel -j SHARDS, --shard K/SHARDS) on the same tree, then
# kesto-cli index after the shards.
#
#   bench/shards.sh [--folders N] [--per-folder N] [--shards N] KESTO_CLI
#
# The tree: FOLDERS folders (default 50) of PER_FOLDER pictures (default 100:
# 5,000 pictures), copies of the samples' JPEGs (500 x 500 to 800 x 600), in
# folders of ten under a year each. Each timing runs on a fresh copy, so every
# thumbnail is made each time (Express, initial settings). Prints the wall
# and CPU time (GNU time) of each and the load before and after. The trees live in BENCH_DIR
# (default /tmp/kesto-shards-bench), removed at the end.
set -euo pipefail
usage() { echo "usage: $0 [--folders N] [--per-folder N] [--shards N] KESTO_CLI" >&2; exit 2; }
FOLDERS=50; PER=100; SHARDS=4; CLI=
while [ $# -gt 0 ]; do
  case "$1" in
    --folders) shift; FOLDERS=${1:?} ;;
    --per-folder) shift; PER=${1:?} ;;
    --shards) shift; SHARDS=${1:?} ;;
    -*) usage ;;
    *) [ -x "$1" ] || { echo "not an executable: $1" >&2; exit 1; }; CLI=$(realpath "$1") ;;
  esac
  shift
done
[ -n "$CLI" ] || usage
SAMPLES=$(cd "$(dirname "$0")/../samples/pictures" && pwd)
WORK=${BENCH_DIR:-/tmp/kesto-shards-bench}
mkdir "$WORK"  # never someone else's folder: it must not exist
trap 'rm -rf "$WORK"' EXIT
pictures=("$SAMPLES"/*.jpg "$SAMPLES"/*.jpeg "$SAMPLES"/*.JPG)
for ((f = 0; f < FOLDERS; f++)); do
  dir=$WORK/source/tree/$((2001 + f / 10))/$(printf '%03d' "$f")
  mkdir -p "$dir"
  for ((k = 0; k < PER; k++)); do
    cp "${pictures[k % ${#pictures[@]}]}" "$dir/$(printf 'IMG_%04d.jpg' "$k")"
  done
done

timed() {  # label, command...
  local label=$1 rc=0
  shift
  /usr/bin/time -f '%e %U %S' -o "$WORK/time" "$@" >/dev/null 2>"$WORK/err" || rc=$?
  awk -v l="$label" -v rc="$rc" '{ printf "%-36s %6.2f s wall, %6.2f s CPU, exit %s\n",
                                   l, $1, $2 + $3, rc }' "$WORK/time"
}
fresh() { rm -rf "$WORK/run"; cp -r "$WORK/source" "$WORK/run"; sync; cd "$WORK/run"; }

echo "$FOLDERS folders x $PER pictures, $SHARDS shards, $(nproc) cores; load: $(uptime)"
fresh
timed "one --recursive run" "$CLI" process --quiet --yes --recursive tree
fresh
timed "$SHARDS shards at once (parallel -j$SHARDS)" parallel --will-cite -j"$SHARDS" \
  "$CLI" process --quiet --yes --recursive --shard "{}/$SHARDS" tree ::: $(seq "$SHARDS")
timed "index after the shards" "$CLI" index tree
echo "load: $(uptime)"
