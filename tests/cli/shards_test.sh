#!/usr/bin/env bash
# A tree of 45 galleries made by 4 shards at once, then kesto-cli index, holds
# byte for byte the files of one --recursive --index run, and each gallery is
# made by exactly one shard. The shards run under GNU parallel on this
# machine, or as a Slurm array job of scripts/kesto-slurm.sh; without the
# tool (parallel, sbatch) the test is skipped with status 77.
#   shards_test.sh KESTO_CLI SOURCE_DIR parallel|slurm
set -euo pipefail
CLI=$1 SRC=$2 MODE=$3
command -v "${MODE/slurm/sbatch}" >/dev/null || { echo "no ${MODE/slurm/sbatch}: skipped"; exit 77; }
WORK=$(mktemp -d "${TMPDIR:-/tmp}/kesto-shards.XXXXXX")
trap 'rm -rf "$WORK"' EXIT
fail() { echo "shards test: $*" >&2; exit 1; }

# A picture in the top, in each of 4 years and in 10 months of each.
mkdir -p "$WORK"/one/tree/y{1..4}/m{0..9}
find "$WORK/one/tree" -type d -exec cp "$SRC/tests/data/pictures/small.jpg" {}/a.jpg \;
cp -r "$WORK/one" "$WORK/two"
(cd "$WORK/two" && "$CLI" process --yes --quiet --recursive --index tree) || fail "the whole run failed"

cd "$WORK/one"
if [ "$MODE" = parallel ]; then
  parallel --will-cite -j4 "$CLI" process --shard {}/4 --yes --recursive tree ::: 1 2 3 4 \
    2>"$WORK/made" || { cat "$WORK/made" >&2; fail "a shard failed"; }
else
  sbatch --wait --quiet --array=0-3 --output="$WORK/slurm-%a.log" --export=ALL,KESTO_CLI="$CLI" \
    "$SRC/scripts/kesto-slurm.sh" --yes --recursive tree || fail "a shard failed"
  cat "$WORK"/slurm-*.log >"$WORK/made"
fi
"$CLI" index tree || fail "kesto-cli index failed"

# Each gallery once in the shards' progress lines (no more, no fewer).
sed -n 's|^directory .*tree\(.*\): 1 thumbnail due$|\1|p' "$WORK/made" | sort >"$WORK/shards"
(cd "$WORK/two/tree" && find . -name page1.html -printf '%h\n' | sed 's|^\.||' | sort) >"$WORK/all"
[ "$(wc -l <"$WORK/all")" -eq 45 ] || fail "the whole run made $(wc -l <"$WORK/all") galleries"
diff "$WORK/all" "$WORK/shards" >&2 || fail "the shards' galleries (>) are not the tree's (<)"
diff -r "$WORK/one" "$WORK/two" >&2 || fail "the shards and the whole run differ"
echo "4 shards made the 45 galleries of one --recursive --index run"
