#!/usr/bin/env bash
# tree-vs-list.sh - a photo tree run with --recursive against the same folders
# listed by hand.
#
#   bench/tree-vs-list.sh [--runs N] [--warm-runs N] [--folders N] [--per-folder N] KESTO_CLI CORPUS
#
# Builds a tree of FOLDERS picture folders (default 50), PER_FOLDER pictures
# each (default 100, so 5,000 pictures), from the pictures of CORPUS (the
# standard corpus of ../shared/bench/make-corpus.sh; hard links where the file
# system allows, copies elsewhere), arranged as TOP/year/month like a camera's
# folders. Then times two ways to make their galleries (Express, the initial
# settings: height 100, quality 75), alternating the order of the two in every
# round:
#   tree:  kesto-cli process --quiet --recursive TOP
#   list:  kesto-cli process --quiet FOLDER_1 ... FOLDER_50
# Cold runs (default 3 per side) start from the bare tree, so every thumbnail
# and page is made; warm runs (default 7 per side) find them made and only
# list, plan and compare pages, where the cost of walking the tree shows most.
# Prints every run, the median of each side, their ratio, and checks that both
# sides leave the same files. TMPDIR picks where the tree goes.
set -euo pipefail

usage() {
  echo "usage: $0 [--runs N] [--warm-runs N] [--folders N] [--per-folder N] KESTO_CLI CORPUS" >&2
  exit 2
}
RUNS=3; WARM=7; FOLDERS=50; PER=100; CLI=; CORPUS=
while [ $# -gt 0 ]; do
  case "$1" in
    --runs) shift; RUNS=${1:?}; ;;
    --warm-runs) shift; WARM=${1:?} ;;
    --folders) shift; FOLDERS=${1:?} ;;
    --per-folder) shift; PER=${1:?} ;;
    -*) usage ;;
    *) if [ -z "$CLI" ]; then CLI=$1; elif [ -z "$CORPUS" ]; then CORPUS=$1; else usage; fi ;;
  esac
  shift
done
[ -n "$CLI" ] && [ -n "$CORPUS" ] || usage
[ -x "$CLI" ] || { echo "not an executable: $CLI" >&2; exit 1; }
[ -d "$CORPUS" ] || { echo "corpus folder not found: $CORPUS" >&2; exit 1; }
CLI=$(cd "$(dirname "$CLI")" && pwd)/$(basename "$CLI")

mapfile -t PICS < <(cd "$CORPUS" && find . -maxdepth 1 -type f \
  \( -iname '*.jpg' -o -iname '*.jpeg' -o -iname '*.gif' -o -iname '*.bmp' \) \
  | sed 's|^\./||' | LC_ALL=C sort)
[ "${#PICS[@]}" -gt 0 ] || { echo "no pictures in $CORPUS" >&2; exit 1; }
WORK=$(mktemp -d "${TMPDIR:-/tmp}/tree-vs-list.XXXXXX")
trap 'rm -rf "$WORK"' EXIT
TOP=$WORK/Pictures

# The tree: folder f is TOP/<2001 + f / 12>/<month>, picture k of it the
# corpus picture (f * PER + k) mod the corpus size, under a name of its own.
LEAVES=()
for ((f = 0; f < FOLDERS; f++)); do
  leaf=$TOP/$((2001 + f / 12))/$(printf '%02d' $((f % 12 + 1)))
  mkdir -p "$leaf"
  LEAVES+=("$leaf")
  for ((k = 0; k < PER; k++)); do
    pic=${PICS[$(((f * PER + k) % ${#PICS[@]}))]}
    name=$(printf 'IMG_%04d.%s' "$k" "${pic##*.}")
    ln "$CORPUS/$pic" "$leaf/$name" 2>/dev/null || cp "$CORPUS/$pic" "$leaf/$name"
  done
done
sync

reset_tree() {  # back to the bare pictures
  find "$TOP" -name thumbs -type d -prune -exec rm -rf {} +
  find "$TOP" -name '*.html' -type f -delete
}
now() { date +%s.%N; }
WALL=
timed() {
  local t0 t1
  t0=$(now)
  "$@" >"$WORK/log" 2>&1 || { echo "failed: $*" >&2; tail -n 20 "$WORK/log" >&2; exit 1; }
  t1=$(now)
  WALL=$(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.3f", b - a }')
}
run_side() {  # tree | list
  if [ "$1" = tree ]; then timed "$CLI" process --quiet --recursive "$TOP"
  else timed "$CLI" process --quiet "${LEAVES[@]}"; fi
}
median() { tr ' ' '\n' | grep -v '^$' | sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else printf "%.3f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
listing() { (cd "$TOP" && find . -path ./thumbs -prune -o -type f -print | LC_ALL=C sort); }

echo "tree: $FOLDERS folders x $PER pictures = $((FOLDERS * PER)) pictures from $CORPUS"
echo "kesto-cli: $CLI"
declare -A COLD WARMT
for phase in cold warm; do
  n=$RUNS; [ "$phase" = warm ] && n=$WARM
  [ "$phase" = warm ] && { reset_tree; run_side list; }  # the warm runs find everything made
  for ((r = 1; r <= n; r++)); do
    if [ $((r % 2)) -eq 1 ]; then order="tree list"; else order="list tree"; fi
    for side in $order; do
      [ "$phase" = cold ] && reset_tree
      run_side "$side"
      echo "$phase run $r $side ${WALL} s"
      if [ "$phase" = cold ]; then COLD[$side]+=" $WALL"; else WARMT[$side]+=" $WALL"; fi
      [ "$phase" = cold ] && listing >"$WORK/$side.files"
    done
  done
done

if ! cmp -s "$WORK/tree.files" "$WORK/list.files"; then
  echo "WARNING: the two sides left different files:" >&2
  diff "$WORK/tree.files" "$WORK/list.files" | head -n 10 >&2
  exit 3
fi
thumbs=$(find "$TOP" -name '*_tn.jpg' | wc -l)
echo "both sides leave the same $(wc -l <"$WORK/tree.files") files, $thumbs thumbnails"
for phase in cold warm; do
  if [ "$phase" = cold ]; then t=${COLD[tree]}; l=${COLD[list]}; else t=${WARMT[tree]}; l=${WARMT[list]}; fi
  mt=$(echo "$t" | median); ml=$(echo "$l" | median)
  echo "$phase: median tree = $mt s, list = $ml s, ratio tree/list = $(awk -v a="$mt" -v b="$ml" 'BEGIN { printf "%.3f", a / b }')"
done
