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
varbek=${VARBEK:-$build/varbek}  # VARBEK=path measures another build of the program
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

# Milliseconds one command takes, wall clock and processor (its user and system time, from
# the shell's count of its children before and after), its output discarded; a failure stops
# the script.
elapsed() {
  times > "$work/cpu-before"
  local start=$EPOCHREALTIME
  "$@" > /dev/null || { echo "failed: $*" >&2; exit 1; }
  local end=$EPOCHREALTIME
  times > "$work/cpu-after"
  awk -v a="$start" -v b="$end" '
    function ms(t, p) { split(t, p, /[ms]/); return (p[1] * 60 + p[2]) * 1000 }
    FNR == 2 { cpu[FILENAME] = ms($1) + ms($2) }
    END { printf "%.3f %d\n", (b - a) * 1000, cpu[ARGV[2]] - cpu[ARGV[1]] }' "$work/cpu-before" "$work/cpu-after"
}

declare -A wall cpu
for ((i = 0; i < runs; ++i)); do
  for kind in extract extract_floor build build_floor; do
    case $kind in
      extract) run=("$varbek" -am "$work/sample.smc" "$work/out/") ;;
      extract_floor) run=("$floor" extract "$work/sample.smc" "$work/files.txt" "$work/floor") ;;
      build) run=("$varbek" -mm "$work/sample.smc" "$work/new.smc" "$work/csv/") ;;
      build_floor) run=("$floor" build "$work/sample.smc" "$work/csv" "$work/floor.smc") ;;
    esac
    read -r w c <<< "$(elapsed "${run[@]}")"
    wall[$kind]+="$w "
    cpu[$kind]+="$c "
  done
done

# min median max of a list of numbers.
summary() { tr ' ' '\n' <<< "$1" | grep . | sort -n | awk '{ v[NR] = $1 } END { printf "%.2f %.2f %.2f", v[1], v[int((NR + 1) / 2)], v[NR] }'; }

# One line: the job's times, the floor's, and their ratio, of the best runs and of the medians.
compare() {
  local label=$1 job=$2 floor=$3
  read -r job_min job_med job_max <<< "$(summary "$job")"
  read -r floor_min floor_med floor_max <<< "$(summary "$floor")"
  awk -v l="$label" -v a="$job_min" -v b="$job_med" -v c="$job_max" -v d="$floor_min" -v e="$floor_med" -v f="$floor_max" \
    'BEGIN { printf "%-14s %7.2f %7.2f %7.2f   floor %6.2f %6.2f %6.2f   ratio %.2f (medians %.2f)\n", l, a, b, c, d, e, f, (d > 0 ? a / d : 0), (e > 0 ? b / e : 0) }'
}

echo "in $work: image $(stat -c %s "$work/sample.smc") bytes, $file_count files, $runs runs of each (ms: min median max)"
for job in extract build; do
  compare "$job" "${wall[$job]}" "${wall[${job}_floor]}"
done
# Processor time is counted in whole milliseconds: a coarse check that the wall clock is not
# mostly waiting on others.
for job in extract build; do
  compare "$job cpu" "${cpu[$job]}" "${cpu[${job}_floor]}"
done
