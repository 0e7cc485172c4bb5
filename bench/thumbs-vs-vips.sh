#!/usr/bin/env bash
# thumbs-vs-vips.sh - the thumbnail batch runner against vipsthumbnail.
#
#   bench/thumbs-vs-vips.sh [--runs N] [--workers N] BENCH_THUMBS CORPUS
#
# BENCH_THUMBS is the built bench_thumbs (build/bench/bench_thumbs); CORPUS a
# folder of pictures (make-corpus.sh builds one). Both sides make NAME_tn.jpg
# at height 100, quality 75, into fresh temporary folders:
#   kesto: bench_thumbs --workers N CORPUS        (one process, N workers)
#   vips:  two parallel vipsthumbnail --size x100 -o DIR/thumbs/%s_tn.jpg[Q=75]
#          processes, the pictures dealt round-robin into two halves.
# One warm-up run each, then N timed runs (default 7) in alternating order.
# Wall time is measured around the whole process(es), start-up included; CPU
# time is user + system of all of them; peak memory is the largest ru_maxrss
# of one process (GNU time). On a busy machine the CPU ratio is the steadier
# figure. Prints every run, the medians, and as its last line the wall-time
# ratio: "ratio kesto/vips = 0.70".
set -euo pipefail

usage() { echo "usage: $0 [--runs N] [--workers N] BENCH_THUMBS CORPUS" >&2; exit 2; }
RUNS=7; WORKERS=2; BENCH=; CORPUS=
while [ $# -gt 0 ]; do
  case "$1" in
    --runs) shift; [ $# -gt 0 ] || usage; RUNS=$1 ;;
    --workers) shift; [ $# -gt 0 ] || usage; WORKERS=$1 ;;
    -*) usage ;;
    *) if [ -z "$BENCH" ]; then BENCH=$1; elif [ -z "$CORPUS" ]; then CORPUS=$1; else usage; fi ;;
  esac
  shift
done
[ -n "$BENCH" ] && [ -n "$CORPUS" ] || usage
[ -x "$BENCH" ] || { echo "not an executable: $BENCH" >&2; exit 1; }
[ -d "$CORPUS" ] || { echo "corpus folder not found: $CORPUS" >&2; exit 1; }
command -v vipsthumbnail >/dev/null || { echo "vipsthumbnail not found (libvips-tools)" >&2; exit 1; }
[ -x /usr/bin/time ] || { echo "/usr/bin/time not found (Debian: time)" >&2; exit 1; }

mapfile -t PICS < <(cd "$CORPUS" && find . -maxdepth 1 -type f \
  \( -iname '*.jpg' -o -iname '*.jpeg' -o -iname '*.gif' -o -iname '*.bmp' \) \
  | sed 's|^\./||' | LC_ALL=C sort)
[ "${#PICS[@]}" -gt 0 ] || { echo "no pictures in $CORPUS" >&2; exit 1; }
WORK=$(mktemp -d "${TMPDIR:-/tmp}/thumbs-vs-vips.XXXXXX")
trap 'rm -rf "$WORK"' EXIT

now() { date +%s.%N; }
WALL=; RSS=; CPU=
timed() {  # timed CMD...: sets WALL (s), CPU (s) and RSS (KiB)
  local t0 t1
  t0=$(now)
  /usr/bin/time -f '%M %U %S' -o "$WORK/rss" "$@" > "$WORK/log" 2>&1 \
    || { echo "failed: $*" >&2; tail -n 20 "$WORK/log" >&2; exit 1; }
  t1=$(now)
  WALL=$(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.3f", b - a }')
  read -r RSS CPU < <(awk '{ printf "%s %.2f\n", $1, $2 + $3 }' "$WORK/rss")
}

vips_half() {  # vips_half OUT PART: every second picture from PART (0 or 1)
  local out=$1 i files=()
  for ((i = $2; i < ${#PICS[@]}; i += 2)); do files+=("$CORPUS/${PICS[i]}"); done
  /usr/bin/time -f '%M %U %S' -o "$WORK/rss$2" \
    vipsthumbnail --size x100 -o "$out/%s_tn.jpg[Q=75]" "${files[@]}" 2>/dev/null
}

run_vips() {
  local out=$WORK/vips rc=0 t0 t1
  rm -rf "$out"; mkdir -p "$out"
  t0=$(now)
  vips_half "$out" 0 & local p0=$!
  vips_half "$out" 1 & local p1=$!
  wait "$p0" || rc=1; wait "$p1" || rc=1
  t1=$(now)
  [ "$rc" = 0 ] || { echo "vipsthumbnail failed" >&2; exit 1; }
  WALL=$(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.3f", b - a }')
  RSS=$(cat "$WORK/rss0" "$WORK/rss1" | awk '{ print $1 }' | sort -n | tail -n 1)
  CPU=$(cat "$WORK/rss0" "$WORK/rss1" | awk '{ s += $2 + $3 } END { printf "%.2f", s }')
}

run_kesto() { timed "$BENCH" --workers "$WORKERS" "$CORPUS"; }

median() { tr ' ' '\n' | grep -v '^$' | sort -g | awk '{ v[NR] = $1 }
  END { if (NR % 2) print v[(NR + 1) / 2]; else printf "%.3f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

echo "corpus: $CORPUS (${#PICS[@]} pictures), $RUNS runs after one warm-up each"
echo "kesto: $BENCH --workers $WORKERS; vips: 2 x vipsthumbnail $(vipsthumbnail --vips-version | head -n 1)"
run_kesto; run_vips
KT=(); VT=(); KR=(); VR=(); KC=(); VC=()
for ((r = 1; r <= RUNS; r++)); do
  if [ $((r % 2)) -eq 1 ]; then order="k v"; else order="v k"; fi
  for side in $order; do
    if [ "$side" = k ]; then
      run_kesto; KT+=("$WALL"); KR+=("$RSS"); KC+=("$CPU")
      echo "run $r kesto $WALL s  cpu $CPU s  peak $RSS KiB"
    else
      run_vips; VT+=("$WALL"); VR+=("$RSS"); VC+=("$CPU")
      echo "run $r vips  $WALL s  cpu $CPU s  peak $RSS KiB"
    fi
  done
done
KM=$(echo "${KT[*]}" | median); VM=$(echo "${VT[*]}" | median)
KCM=$(echo "${KC[*]}" | median); VCM=$(echo "${VC[*]}" | median)
echo "median kesto = $KM s, cpu $KCM s (peak $(printf '%s\n' "${KR[@]}" | sort -n | tail -n 1) KiB)"
echo "median vips  = $VM s, cpu $VCM s (peak $(printf '%s\n' "${VR[@]}" | sort -n | tail -n 1) KiB per process)"
awk -v k="$KCM" -v v="$VCM" 'BEGIN { printf "cpu ratio kesto/vips = %.2f\n", k / v }'
awk -v k="$KM" -v v="$VM" 'BEGIN { printf "ratio kesto/vips = %.2f\n", k / v }'
