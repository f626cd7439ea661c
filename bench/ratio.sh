#!/usr/bin/env bash
# Extract and build with music, process against process, each against its floor: a process
# that reads the image and writes the same files (extract), or reads the files and writes the
# image (build). Runs are interleaved and the best of each kind counts, so that other work on
# the machine weighs as little as it can; the median and worst are printed as the spread.
#   bench/ratio.sh [BUILD-DIR] [RUNS] [WORK-PARENT]   (defaults: build/linux, 15, $TMPDIR or /tmp)
# A disk busy with other writes swamps the difference; /dev/shm as WORK-PARENT leaves it out.
set -euo pipefail

build=${1:-build/linux}
runs=${2:-15}
varbek=$build/varbek
floor=$build/varbek_floor
for tool in "$varbek" "$floor" "$build/make_sample_rom"; do
  [[ -x $tool ]] || { echo "missing $tool (build varbek varbek_floor make_sample_rom)" >&2; exit 2; }
done

work=$(mktemp -d "${3:-${TMPDIR:-/tmp}}/varbek-ratio.XXXXXX")
trap 'rm -rf "$work"' EXIT
"$build/make_sample_rom" "$work/sample.smc"
mkdir -p "$work/csv" "$work/out" "$work/floor"
"$varbek" -am "$work/sample.smc" "$work/csv/" > /dev/null
( cd "$work/csv" && find . -maxdepth 1 -type f -printf '%s %P\n' ) > "$work/files.txt"
file_count=$(wc -l < "$work/files.txt")

# Milliseconds one command takes, its output discarded; a failure stops the script.
elapsed() {
  local start=$EPOCHREALTIME
  "$@" > /dev/null || { echo "failed: $*" >&2; exit 1; }
  local end=$EPOCHREALTIME
  awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f\n", (b - a) * 1000 }'
}

declare -A times
for ((i = 0; i < runs; ++i)); do
  times[extract]+="$(elapsed "$varbek" -am "$work/sample.smc" "$work/out/") "
  times[extract_floor]+="$(elapsed "$floor" extract "$work/sample.smc" "$work/files.txt" "$work/floor") "
  times[build]+="$(elapsed "$varbek" -mm "$work/sample.smc" "$work/new.smc" "$work/csv/") "
  times[build_floor]+="$(elapsed "$floor" build "$work/sample.smc" "$work/csv" "$work/floor.smc") "
done

# min median max of a list of numbers.
summary() { tr ' ' '\n' <<< "$1" | grep . | sort -n | awk '{ v[NR] = $1 } END { printf "%.2f %.2f %.2f", v[1], v[int((NR + 1) / 2)], v[NR] }'; }

echo "in $work: image $(stat -c %s "$work/sample.smc") bytes, $file_count files, $runs runs of each (ms: min median max)"
for job in extract build; do
  read -r job_min job_med job_max <<< "$(summary "${times[$job]}")"
  read -r floor_min floor_med floor_max <<< "$(summary "${times[${job}_floor]}")"
  awk -v j="$job" -v a="$job_min" -v b="$job_med" -v c="$job_max" -v d="$floor_min" -v e="$floor_med" -v f="$floor_max" \
    'BEGIN { printf "%-8s %7.2f %7.2f %7.2f   floor %6.2f %6.2f %6.2f   ratio %.2f (medians %.2f)\n", j, a, b, c, d, e, f, a / d, b / e }'
done
