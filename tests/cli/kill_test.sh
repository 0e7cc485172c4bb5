#!/usr/bin/env bash
# A run killed with SIGKILL in the middle leaves no cut-off thumbnail, and the
# next run finishes the job.
#   kill_test.sh KESTO_CLI SOURCE_DIR
set -euo pipefail
CLI=$1
SRC=$2
WORK=$(mktemp -d "${TMPDIR:-/tmp}/kesto-kill.XXXXXX")
trap 'rm -rf "$WORK"' EXIT

for i in $(seq -w 1 80); do cp "$SRC/samples/pictures/Forest_Path_2004.jpeg" "$WORK/p$i.jpg"; done
"$CLI" process --quiet --jobs 1 "$WORK" &
pid=$!
sleep 0.3
kill -KILL "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true

for thumb in "$WORK"/thumbs/*_tn.jpg; do
  [ -e "$thumb" ] || continue
  # A whole JPEG ends with the end-of-image marker.
  [ "$(tail -c 2 "$thumb" | od -An -tx1 | tr -d ' \n')" = ffd9 ] ||
    { echo "cut-off thumbnail: $thumb" >&2; exit 1; }
done

"$CLI" process --quiet "$WORK"
made=$(find "$WORK/thumbs" -name '*_tn.jpg' | wc -l)
[ "$made" -eq 80 ] || { echo "the second run left $made of 80 thumbnails" >&2; exit 1; }
[ -f "$WORK/page3.html" ] || { echo "the second run wrote no pages" >&2; exit 1; }
stray=$(find "$WORK" -name '*.tmp*' | wc -l)
echo "killed run: $(ls "$WORK"/thumbs | wc -l) files; second run completed; $stray temporary files left"
