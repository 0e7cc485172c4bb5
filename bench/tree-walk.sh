#!/usr/bin/env bash
# tree-walk.sh - kesto-cli --recursive over a wide tree and over a deep chain
# of folders: wall time and peak memory.
#
#   bench/tree-walk.sh [--folders N] [--per-folder N] [--depth N] KESTO_CLI...
#
# wide: FOLDERS folders (default 200) of PER_FOLDER pictures each (default
#       100: 20,000 pictures), every one a copy of one 64 x 64 JPEG.
# deep: a chain of DEPTH nested folders "d" (default 10,000) with a picture in
#       every 100th; the galleries whose path is longer than the system takes
#       are left out with a warning (exit status 1 is expected there).
# Each kesto-cli given runs each tree twice (Express, initial settings): cold,
# making every thumbnail and page, then warm, finding them made. Prints wall
# time, peak memory (GNU time) and exit status of every run. The trees are
# made under TMPDIR (default /tmp) and removed at the end.
set -euo pipefail
usage() { echo "usage: $0 [--folders N] [--per-folder N] [--depth N] KESTO_CLI..." >&2; exit 2; }
FOLDERS=200; PER=100; DEPTH=10000; CLIS=()
while [ $# -gt 0 ]; do
  case "$1" in
    --folders) shift; FOLDERS=${1:?} ;;
    --per-folder) shift; PER=${1:?} ;;
    --depth) shift; DEPTH=${1:?} ;;
    -*) usage ;;
    *) [ -x "$1" ] || { echo "not an executable: $1" >&2; exit 1; }; CLIS+=("$1") ;;
  esac
  shift
done
[ ${#CLIS[@]} -gt 0 ] || usage
WORK=$(mktemp -d "${TMPDIR:-/tmp}/tree-walk.XXXXXX")
trap 'rm -rf "$WORK"' EXIT
vips black "$WORK/pic.jpg" 64 64 --bands 3

make_trees() {
  rm -rf "$WORK/wide" "$WORK/deep"
  local f k
  for ((f = 0; f < FOLDERS; f++)); do
    mkdir -p "$WORK/wide/$((2001 + f / 12))/$(printf '%03d' "$f")"
    for ((k = 0; k < PER; k++)); do
      ln "$WORK/pic.jpg" "$WORK/wide/$((2001 + f / 12))/$(printf '%03d/IMG_%04d.jpg' "$f" "$k")"
    done
  done
  mkdir "$WORK/deep"
  python3 - "$WORK/deep" "$DEPTH" "$WORK/pic.jpg" <<'PY'
import os, sys
top, depth, picture = sys.argv[1], int(sys.argv[2]), open(sys.argv[3], "rb").read()
fd = os.open(top, os.O_RDONLY)
for level in range(1, depth + 1):  # no path names the bottom: each folder made in the last
    os.mkdir("d", dir_fd=fd)
    below = os.open("d", os.O_RDONLY, dir_fd=fd)
    os.close(fd)
    fd = below
    if level % 100 == 0:
        out = os.open("x.jpg", os.O_WRONLY | os.O_CREAT, 0o644, dir_fd=fd)
        os.write(out, picture)
        os.close(out)
os.close(fd)
PY
}

echo "wide: $FOLDERS folders x $PER pictures; deep: $DEPTH folders, a picture in every 100th"
for cli in "${CLIS[@]}"; do
  make_trees
  for tree in wide deep; do
    for pass in cold warm; do
      t0=$(date +%s.%N)
      rc=0
      /usr/bin/time -f %M -o "$WORK/rss" "$cli" process --quiet --recursive "$WORK/$tree" \
        >/dev/null 2>"$WORK/err" || rc=$?
      t1=$(date +%s.%N)
      awk -v c="$cli" -v t="$tree" -v p="$pass" -v a="$t0" -v b="$t1" -v rc="$rc" \
        -v kib="$(tail -n 1 "$WORK/rss")" -v warned="$(grep -c . "$WORK/err")" \
        'BEGIN { printf "%s %s %s: %.2f s, peak %.1f MB, exit %s, %d lines on stderr\n",
                 c, t, p, b - a, kib / 1024, rc, warned }'
    done
  done
done
