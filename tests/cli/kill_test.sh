#!/usr/bin/env bash
# A run killed with SIGKILL in the middle leaves no cut-off thumbnail, and the
# next run finishes the job and removes the temporary file the killed run left.
#   kill_test.sh KESTO_CLI SOURCE_DIR
set -euo pipefail
CLI=$1
SRC=$2
WORK=$(mktemp -d "${TMPDIR:-/tmp}/kesto-kill.XXXXXX")
trap 'rm -rf "$WORK"' EXIT

COUNT=200
for i in $(seq -w 1 $COUNT); do cp "$SRC/samples/pictures/Forest_Path_2004.jpeg" "$WORK/p$i.jpg"; done
"$CLI" process --quiet --jobs 1 "$WORK" &
pid=$!
# Kill it once a few thumbnails are there (or after five seconds at most).
for _ in $(seq 500); do
  [ "$(find "$WORK/thumbs" -name '*_tn.jpg' 2>/dev/null | wc -l)" -ge 5 ] && break
  sleep 0.01
done
kill -KILL "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
before=$(find "$WORK/thumbs" -name '*_tn.jpg' | wc -l)

for thumb in "$WORK"/thumbs/*_tn.jpg; do
  [ -e "$thumb" ] || continue
  # A whole JPEG ends with the end-of-image marker.
  [ "$(tail -c 2 "$thumb" | od -An -tx1 | tr -d ' \n')" = ffd9 ] ||
    { echo "cut-off thumbnail: $thumb" >&2; exit 1; }
done

"$CLI" process --quiet "$WORK"
made=$(find "$WORK/thumbs" -name '*_tn.jpg' | wc -l)
[ "$made" -eq $COUNT ] || { echo "the second run left $made of $COUNT thumbnails" >&2; exit 1; }
[ -f "$WORK/page8.html" ] || { echo "the second run wrote no pages" >&2; exit 1; }
left=$(find "$WORK" -name '.kesto-*' | wc -l)
[ "$left" -eq 0 ] || { echo "$left temporary files were left behind" >&2; exit 1; }
echo "killed after $before of $COUNT thumbnails; the second run made the rest"
