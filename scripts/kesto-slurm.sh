#!/usr/bin/env bash
# One shard of a kesto-cli run for each task of a Slurm array job; every node
# must see the picture folders at the same path (shared storage). The tasks
# are the shards 1 to N whatever numbers --array gives them (0-7, 1-8,
# 10-24:2): a task's shard is its place in the array.
#
#   job=$(sbatch --parsable --array=1-8 kesto-slurm.sh --yes --recursive /srv/photos)
#   sbatch --dependency=afterany:$job --wrap "kesto-cli index /srv/photos"
#
# The arguments are those of kesto-cli process, without --shard and --index.
# The task's CPUs (--cpus-per-task) give the thumbnail threads. KESTO_CLI
# names the program when it is not kesto-cli on the PATH.
#SBATCH --job-name=kesto
set -euo pipefail
: "${SLURM_ARRAY_TASK_ID:?run it as an array job: sbatch --array=1-N kesto-slurm.sh ...}"
first=$SLURM_ARRAY_TASK_MIN
step=${SLURM_ARRAY_TASK_STEP:-1}
count=$SLURM_ARRAY_TASK_COUNT
if [ $(((SLURM_ARRAY_TASK_MAX - first) / step + 1)) -ne "$count" ]; then
  echo "kesto-slurm: the array must be a range such as 1-$count or 0-$((count - 1))," \
    "not a list" >&2
  exit 2
fi
shard=$(((SLURM_ARRAY_TASK_ID - first) / step + 1))
threads=()
[ -z "${SLURM_CPUS_PER_TASK:-}" ] || threads=(--jobs "$SLURM_CPUS_PER_TASK")
exec "${KESTO_CLI:-kesto-cli}" process --shard "$shard/$count" "${threads[@]}" "$@"
