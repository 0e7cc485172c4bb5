#!/usr/bin/env bash
# Galleries of the samples in Express and Advanced, and of odd file names in every link target of
# both modes (picture pages, pop-ups, a template), every page opened in headless Chromium.
#   browser_test.sh KESTO_CLI SOURCE_DIR
set -euo pipefail
CLI=$1 SRC=$2
check() { python3 "$SRC/tests/browser/check_gallery.py" "$@"; }
WORK=$(mktemp -d "${TMPDIR:-/tmp}/kesto-browser.XXXXXX")
trap 'rm -rf "$WORK"' EXIT

# Names a link must percent-encode, not UTF-8, ending a script's string, read as a URL scheme.
ODD_NAMES=('a#b.jpg' 'q?x.jpg' '%41.jpg' 'back\slash.jpg' "O'Brien.jpg" $'caf\xe9.jpg'
           "x');document.title='PWNED';('.jpg" 'Tom & "Jerry" <1>.jpg'
           "javascript:document.title='PWNED';x.jpg" 'Beach:sunset.jpg')
gallery() {  # name config: the sample pictures, or the odd names in a gallery odd-*
  mkdir -p "$WORK/$1"
  [[ $1 == odd-* ]] || cp "$SRC"/samples/pictures/* "$WORK/$1/"
  [[ $1 != odd-* ]] || for name in "${ODD_NAMES[@]}"; do cp "$SRC/samples/pictures/Ocean Waves.jpg" "$WORK/$1/$name"; done
  (cd "$SRC" && "$CLI" process --quiet --no --config "$2" "$WORK/$1")
}
cfe() {  # link-target picture-pages: a .cfe with these two settings
  sed -e "s/^ExpressLinkTarget=.*/ExpressLinkTarget=$1/" -e "s/^ExpressSepPage=.*/ExpressSepPage=$2/" \
    "$SRC/samples/express.cfe" >"$WORK/$1-$2.cfe" && echo "$WORK/$1-$2.cfe"
}
cfg() {  # use-java use-template: a .cfg with these two settings (lines 51 and 56)
  sed -e "51s/.*/$1\r/" -e "56s/.*/$2\r/" "$SRC/samples/advanced.cfg" >"$WORK/java$1-tmpl$2.cfg" &&
    echo "$WORK/java$1-tmpl$2.cfg"
}

gallery express samples/express.cfe
gallery advanced samples/advanced.cfg
for pages in 0 1; do
  for target in same new java; do gallery "odd-$target-$pages" "$(cfe $target $pages)"; done
  for java in 0 1; do gallery "odd-java$java-tmpl$pages" "$(cfg $java $pages)"; done
done
"$CLI" config init "$WORK/initial.cfg"  # the initial cell code
gallery odd-initial "$WORK/initial.cfg"
check "$WORK"/*/  # every gallery

# The check itself must notice a missing thumbnail, a missing picture page and a forged pop-up link.
rm "$WORK/express/thumbs/NightSky_tn.jpg" "$WORK/advanced/Ocean Waves.html"
mkdir "$WORK/forged" && printf '%s' '<SCRIPT>function ShowPic(p){window.open(p)}</SCRIPT>' \
  "<a href=\"JavaScript:ShowPic('x');document.title='PWNED';('.jpg')\">x</a>" > "$WORK/forged/page1.html"
for broken in express advanced forged; do
  ! check "$WORK/$broken" >/dev/null 2>&1 || { echo "the check missed a broken gallery: $broken" >&2; exit 1; }
done
