#!/usr/bin/env bash
# Fuzzing of the program's readers (targets and corpus in tests/fuzz).
#
#   scripts/fuzz.sh ci [SECONDS]              every target under ASan and UBSan: its corpus, then
#                                             SECONDS (default 20) of seeded random mutation;
#                                             non-zero on any failure (FUZZ_SEED picks the seed)
#   scripts/fuzz.sh campaign TARGET MINUTES   a coverage-guided afl-fuzz campaign of one target;
#                                             findings in build/fuzz-afl/findings/TARGET
#   scripts/fuzz.sh reproduce TARGET FILE...  runs inputs once, e.g. a saved crash
#   scripts/fuzz.sh list                      the targets
#
# Campaigns build the program with GCC, whose coverage reaches afl-fuzz through
# tests/fuzz/afl_runtime_posix.cpp; FUZZ_SANITIZE=OFF builds them without the sanitizers
# (faster, but only property violations and crashes are found then).
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/ensure-packages.sh

corpus=tests/fuzz/corpus
driver_dir=build/linux-asan
afl_dir=build/fuzz-afl

build_driver() {
  ensure_packages "${LINUX_PACKAGES[@]}"
  cmake --preset linux-asan -DVARBEK_FUZZ=ON >/dev/null
  cmake --build --preset linux-asan -j2 --target varbek_fuzz
}

build_afl() {
  ensure_packages "${LINUX_PACKAGES[@]}" afl++
  cmake -S . -B "$afl_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVARBEK_TESTS=OFF \
    -DVARBEK_BENCH=OFF -DVARBEK_SANITIZE="${FUZZ_SANITIZE:-ON}" -DVARBEK_FUZZ=ON \
    -DVARBEK_FUZZ_AFL=ON >/dev/null
  cmake --build "$afl_dir" -j2 --target varbek_fuzz_afl varbek_fuzz
}

usage() {
  sed -n '3,10p' "$0" >&2
  exit 2
}

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1}"

case "${1:-}" in
  ci)
    build_driver
    "$driver_dir/varbek_fuzz" check all "$corpus" --seconds "${2:-20}" --seed "${FUZZ_SEED:-1}" \
      --crash-dir "$driver_dir/fuzz-crashes"
    ;;
  list)
    build_driver
    "$driver_dir/varbek_fuzz" list
    ;;
  reproduce)
    [ $# -ge 3 ] || usage
    build_driver
    "$driver_dir/varbek_fuzz" reproduce "${@:2}"
    ;;
  campaign)
    [ $# -eq 3 ] || usage
    target=$2
    minutes=$3
    [ -d "$corpus/$target" ] || { echo "no corpus for target $target" >&2; exit 2; }
    build_afl
    findings="$afl_dir/findings/$target"
    mkdir -p "$findings"
    # afl-fuzz rewrites its input file before every run: a file in memory keeps that cheap.
    # With -f the program is given the file's path itself (afl-fuzz leaves @@ as it is then).
    input_dir=/dev/shm
    [ -d "$input_dir" ] || input_dir=$(mktemp -d)
    input_file="$input_dir/varbek-fuzz-$target-$$"
    trap 'rm -f "$input_file"' EXIT
    ui=()
    [ -t 1 ] || ui=(env AFL_NO_UI=1)
    # afl-fuzz's ASAN_OPTIONS are its own: abort_on_error and symbolize=0 are required.
    env -u ASAN_OPTIONS -u UBSAN_OPTIONS "${ui[@]}" AFL_SKIP_CPUFREQ=1 AFL_AUTORESUME=1 \
      AFL_I_DONT_CARE_ABOUT_MISSING_CRASHES=1 \
      afl-fuzz -i "$corpus/$target" -o "$findings" -m none -V $((minutes * 60)) -f "$input_file" \
      -- "$afl_dir/varbek_fuzz_afl" "$target" "$input_file" || true
    stats="$findings/default/fuzzer_stats"
    [ -f "$stats" ] && grep -E '^(execs_done|execs_per_sec|corpus_count|edges_found|saved_crashes|saved_hangs) ' "$stats"
    shopt -s nullglob
    crashes=("$findings"/default/crashes/id:*)
    if [ ${#crashes[@]} -gt 0 ]; then
      echo "== ${#crashes[@]} crashing inputs in $findings/default/crashes:"
      for crash in "${crashes[@]}"; do
        "$afl_dir/varbek_fuzz" reproduce "$target" "$crash" 2>&1 | grep -E 'fuzz failure|ERROR|runtime error' | head -1 || true
      done
      exit 1
    fi
    ;;
  *)
    usage
    ;;
esac
