#!/usr/bin/env bash
# The Debian package of a build, made with cpack, unpacked into a scratch root and tried there
# (so the installed tree also works wherever it lies).
#   package_test.sh BUILD_DIR SOURCE_DIR VERSION
set -euo pipefail
BUILD=$1 SRC=$2 VERSION=$3
WORK=$(mktemp -d "${TMPDIR:-/tmp}/kesto-package.XXXXXX")
trap 'rm -rf "$WORK"' EXIT
fail() { echo "package test: $*" >&2; exit 1; }
show_fail() { cat "$1" >&2; shift; fail "$@"; }  # a log, then why

cpack -G DEB --config "$BUILD/CPackConfig.cmake" -B "$WORK/package" >"$WORK/cpack.log" 2>&1 ||
  show_fail "$WORK/cpack.log" "cpack failed"
DEB=$WORK/package/kesto_${VERSION}_$(dpkg --print-architecture).deb
[ -f "$DEB" ] || fail "no $(basename "$DEB") in $(ls "$WORK/package")"
# The libraries come from dpkg-shlibdeps, the Qt plugins are named by hand.
depends=$(dpkg-deb -f "$DEB" Depends | tr ',' '\n' | awk '{print $1}')
for lib in libqt6widgets6 libvips42 libjpeg62-turbo libgif7 libhwy1 libfontconfig1 qt6-qpa-plugins; do
  grep -qx "$lib" <<<"$depends" || fail "Depends lacks $lib: $(dpkg-deb -f "$DEB" Depends)"
done
! dpkg-deb -c "$DEB" | awk '{print $6}' | grep -v '^\./usr/' || fail "files outside /usr (above)"

dpkg-deb -x "$DEB" "$WORK/root"
USR=$WORK/root/usr CLI=$WORK/root/usr/bin/kesto-cli
for f in bin/kesto bin/kesto-cli share/kesto/{nd.ini,default.tpl,samples/{advanced.cfg,express.cfe,picture.tpl}} \
  share/{applications/kesto.desktop,icons/hicolor/scalable/apps/kesto.svg,metainfo/kesto.metainfo.xml} \
  share/man/man1/{kesto,kesto-cli}.1.gz share/bash-completion/completions/kesto-cli; do
  [ -f "$USR/$f" ] || fail "the package lacks /usr/$f"
done
cmp "$USR/share/kesto/nd.ini" "$SRC/data/nd.ini" || fail "the shipped nd.ini differs from data/"
[ "$(grep -cxE 'Copyright \(c\) KESTO authors|MIT License' "$USR/share/doc/kesto/copyright")" = 2 ] ||
  fail "no MIT copyright in the package"

[ "$("$CLI" --version)" = "kesto-cli $VERSION" ] || fail "kesto-cli --version: $("$CLI" --version)"
cp -r "$USR/share/kesto/samples" "$WORK/samples"
cd "$WORK"  # advanced.cfg names its template samples/picture.tpl
"$CLI" process --quiet --yes --config samples/express.cfe samples/pictures && [ -f samples/pictures/page1.html ] ||
  fail "the Express run of the samples wrote no page1.html"
rm -f samples/pictures/*.html
# The shipped Advanced sample with the shipped default template fills in every tag.
sed "s|samples/picture.tpl|$USR/share/kesto/default.tpl|" samples/advanced.cfg >default-tpl.cfg
"$CLI" process --quiet --yes --config default-tpl.cfg samples/pictures || fail "the run with default.tpl failed"
grep -q '<IMG src="Sunset_Beach.jpg"' samples/pictures/Sunset_Beach.html &&
  ! grep -q '\[[A-Z ]*\]' samples/pictures/Sunset_Beach.html || fail "default.tpl made no page or left a tag"

desktop-file-validate "$USR/share/applications/kesto.desktop"
appstreamcli validate --no-net "$USR/share/metainfo/kesto.metainfo.xml" >"$WORK/appstream.log" ||
  show_fail "$WORK/appstream.log" "appstreamcli validate failed"

# Each man page renders without warnings and names every option its program's help names.
options() { grep -oE -- '(^|[ ,])--?[a-z][a-z-]*' | grep -oE -- '--?[a-z][a-z-]*' | sort -u; }
help_kesto_cli=$("$CLI" --help; "$CLI" process --help; "$CLI" index --help; "$CLI" config --help)
help_kesto=$(QT_QPA_PLATFORM=offscreen "$USR/bin/kesto" --help 2>/dev/null)
for page in kesto kesto-cli; do
  file=$USR/share/man/man1/$page.1.gz help=help_${page//-/_}
  warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$file" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "$page.1 renders with warnings: $warnings"
  text=$(MANWIDTH=200 man -E ascii -l "$file" 2>/dev/null)
  for option in $(options <<<"${!help}"); do
    grep -qE -- "(^|[^a-z-])$option([^a-z-]|\$)" <<<"$text" || fail "$page.1 does not describe $option"
  done
done

complete_words() {
  bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _kesto_cli
           printf "%s\n" "${COMPREPLY[@]}"' _ "$USR/share/bash-completion/completions/kesto-cli" "$@"
}
offered=$(complete_words kesto-cli process --)
for option in $(options <<<"$("$CLI" process --help)"); do
  [[ $option == -h ]] || grep -qx -- "$option" <<<"$offered" || fail "no completion of $option"
done
[ "$(complete_words kesto-cli process --config samples/e)" = samples/express.cfe ] ||
  fail "--config completes to $(complete_words kesto-cli process --config samples/e)"

# kesto keeps its state in the user's folder, never in its own even where it may write there.
HOMEDIR=$WORK/home STATE=$WORK/home/config/kesto
mkdir -p "$HOMEDIR/config" && mkdir -m 700 "$HOMEDIR/runtime"
env -i PATH=/usr/bin:/bin HOME="$HOMEDIR" XDG_CONFIG_HOME="$HOMEDIR/config" \
  XDG_RUNTIME_DIR="$HOMEDIR/runtime" QT_QPA_PLATFORM=offscreen "$USR/bin/kesto" >"$WORK/kesto.log" 2>&1 & pid=$!
for _ in $(seq 600); do [ -f "$STATE/nd.ini" ] || ! kill -0 "$pid" 2>/dev/null && break; sleep 0.1; done
[ -f "$STATE/nd.ini" ] || show_fail "$WORK/kesto.log" "no nd.ini in $STATE"
kill -TERM "$pid"  # as a desktop session asks at its end
for _ in $(seq 600); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -KILL "$pid" 2>/dev/null && fail "kesto did not end within a minute of SIGTERM"
wait "$pid" || show_fail "$WORK/kesto.log" "kesto ended with status $?"
grep -q '^Mode=exp' "$STATE/nd.ini" || fail "the state is not the shipped nd.ini: $(cat "$STATE/nd.ini")"
cmp "$STATE/default.tpl" "$USR/share/kesto/default.tpl" || fail "default.tpl was not copied in"
# The shipped state loads the last settings, so a clean close saves them.
[ -f "$STATE/temp.cfg" ] && [ -f "$STATE/tempexp.cfe" ] || fail "the close saved no settings"
[ "$(ls "$USR/bin" | tr '\n' ' ')" = "kesto kesto-cli " ] || fail "kesto wrote into its program folder: $(ls "$USR/bin")"
echo "package $(basename "$DEB") ($(stat -c %s "$DEB") bytes) works unpacked"
