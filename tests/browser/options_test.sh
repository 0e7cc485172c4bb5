#!/usr/bin/env bash
# Opt-in choices in headless Chromium: ExpressHiDpi on a sharp screen loads every double (also of
# names a srcset would cut at blanks and commas); --recursive --index leads to every gallery.
#   options_test.sh KESTO_CLI SOURCE_DIR
set -euo pipefail
CLI=$1 SRC=$2 PICS=$2/samples/pictures
check() { python3 "$SRC/tests/browser/check_gallery.py" "$@"; }
WORK=$(mktemp -d "${TMPDIR:-/tmp}/kesto-options.XXXXXX")
trap 'rm -rf "$WORK"' EXIT

{ sed 's/^ExpressSepPage=.*/ExpressSepPage=1/' "$SRC/samples/express.cfe"; printf 'ExpressHiDpi=1\r\n'; } >"$WORK/hidpi.cfe"
mkdir "$WORK/sharp" && cp "$PICS"/* "$WORK/sharp/"
for name in 'a#b, c.jpg' '%41 x.jpg' "O'Brien.jpg" $'caf\xe9 ,.jpg' 'Tom & "Jerry".jpg'; do
  cp "$PICS/Ocean Waves.jpg" "$WORK/sharp/$name"
done
(cd "$SRC" && "$CLI" process --quiet --no --config "$WORK/hidpi.cfe" "$WORK/sharp")
check --scale 2 "$WORK/sharp"
test ! -e "$WORK/sharp/thumbs/NightSky_tn@2x.jpg"  # small pictures get no double

for place in "2024/Holi day" "2024/Caf"$'\xc3\xa9'" & co" "2025" "javascript:alert(1)"; do
  mkdir -p "$WORK/Photos/$place" && cp "$PICS/NightSky.bmp" "$PICS/City Lights.gif" "$WORK/Photos/$place/"
done
"$CLI" process --quiet --no --config "$SRC/samples/express.cfe" --recursive --index "$WORK/Photos"
check "$WORK/Photos" "$WORK/Photos/2024/"*/ "$WORK/Photos/2025" "$WORK/Photos/javascript:alert(1)"
grep -c 'page1.html' "$WORK/Photos/index.html" | grep -qx 4 || { echo "the index lacks a gallery" >&2; exit 1; }
