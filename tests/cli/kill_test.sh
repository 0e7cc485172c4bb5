#!/usr/bin/env bash
# A run killed with SIGKILL in the middle leaves no cut-off thumbnail, and the
# next run finishes the job and removes the temporary file the killed run left.
#   kill_test.sh KESTO_CLI SOURCE_DIR
set -euo pipefail
WORK=$(mktemp -d "${TMPDIR:-/tmp}/kesto-kill.XXXXXX")
trap 'rm -rf "$WORK"' EXIT
fail() { echo "$*" >&2; exit 1; }
thumbs() { find "$WORK/thumbs" -name '*_tn.jpg' 2>/dev/null | wc -l; }

for i in $(seq -w 1 200); do cp "$2/samples/pictures/Forest_Path_2004.jpeg" "$WORK/p$i.jpg"; done
"$1" process --quiet --jobs 1 "$WORK" &
# Killed once a few thumbnails are there (or after five seconds at most).
for _ in $(seq 500); do [ "$(thumbs)" -ge 5 ] && break; sleep 0.01; done
kill -KILL $! 2>/dev/null && wait $! 2>/dev/null || true
before=$(thumbs)
for thumb in "$WORK"/thumbs/*_tn.jpg; do  # a whole JPEG ends with the end-of-image marker
  [ ! -e "$thumb" ] || [ "$(tail -c 2 "$thumb" | od -An -tx1 | tr -d ' \n')" = ffd9 ] ||
    fail "cut-off thumbnail: $thumb"
done

"$1" process --quiet "$WORK"
[ "$(thumbs)" -eq 200 ] || fail "the second run left $(thumbs) of 200 thumbnails"
[ -f "$WORK/page8.html" ] || fail "the second run wrote no pages"
[ -z "$(find "$WORK" -name '.kesto-*')" ] || fail "temporary files were left behind"
echo "killed after $before of 200 thumbnails; the second run made the rest"
