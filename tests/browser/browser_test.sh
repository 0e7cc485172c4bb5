#!/usr/bin/env bash
# Makes galleries of the sample pictures with kesto-cli (Express with picture
# pages in the same window and in pop-ups, Advanced with a picture template
# and JavaScript cells) and opens every page in headless Chromium.
#   browser_test.sh KESTO_CLI SOURCE_DIR
set -euo pipefail
CLI=$1
SRC=$2
WORK=$(mktemp -d "${TMPDIR:-/tmp}/kesto-browser.XXXXXX")
trap 'rm -rf "$WORK"' EXIT

gallery() {  # name config
  mkdir -p "$WORK/$1"
  cp "$SRC"/samples/pictures/* "$WORK/$1/"
  (cd "$SRC" && "$CLI" process --quiet --no --config "$2" "$WORK/$1")
}

sed 's/^ExpressLinkTarget=.*/ExpressLinkTarget=java/' "$SRC/samples/express.cfe" > "$WORK/java.cfe"
# Line 51 of a .cfg is UseJava: the cells call the pop-up viewer.
awk 'NR == 51 { printf "1\r\n"; next } { print }' "$SRC/samples/advanced.cfg" > "$WORK/java.cfg"

gallery express samples/express.cfe
gallery express-java "$WORK/java.cfe"
gallery advanced samples/advanced.cfg
gallery advanced-java "$WORK/java.cfg"
python3 "$SRC/tests/browser/check_gallery.py" \
  "$WORK/express" "$WORK/express-java" "$WORK/advanced" "$WORK/advanced-java"

# The check itself must notice a missing thumbnail and a missing picture page.
rm "$WORK/express/thumbs/NightSky_tn.jpg" "$WORK/advanced/Ocean Waves.html"
for broken in express advanced; do
  if python3 "$SRC/tests/browser/check_gallery.py" "$WORK/$broken" >/dev/null 2>&1; then
    echo "the check missed a broken gallery: $broken" >&2
    exit 1
  fi
done
