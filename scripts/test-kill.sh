#!/usr/bin/env bash
# Kills extracts and builds with SIGKILL at random moments: every target is then as it was
# or complete, a job that ended leaves no temporary file, and a killed one at most files
# named varbek-XXXXXXXX. Bounded to about a minute; few processes per run, as a loaded
# machine starts them slowly.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset linux >/dev/null
cmake --build --preset linux -j2 --target varbek make_sample_rom >/dev/null

root="$(pwd)"
# VARBEK_KILL_EXE may name another build of the program to try.
exe="${VARBEK_KILL_EXE:-$root/build/linux/varbek}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"
"$root/build/linux/make_sample_rom" sample.smc >/dev/null
RUNS="${RUNS:-12}"

fail() {
  echo "test-kill: $*" >&2
  exit 1
}
now_ms() { date +%s%3N; }

# The complete results, made under the names the runs use, since the logs name their files.
start=$(now_ms)
"$exe" -am sample.smc out/ >/dev/null
extract_ms=$(($(now_ms) - start))
mv out ref
cp -r ref build-csv
# One monster's HP edited, so that a complete new ROM differs from the old one.
LC_ALL=C awk -F, -v OFS=, '/^0x05,/ { $18 = 1234 } { print }' ref/monster.csv >build-csv/monster.csv
start=$(now_ms)
"$exe" -mm -p sample.smc new.smc build-csv/ >/dev/null
build_ms=$(($(now_ms) - start))
mv new.smc ref.smc
mv new.bps ref.bps
mv build-csv/varbek.log ref-build.log
cmp -s sample.smc ref.smc && fail "the build must differ from its input"

echo old >old
declare -A complete
while read -r sum path; do complete[${path#ref/}]=$sum; done < <(md5sum ref/*)
read -r old_sum _ < <(md5sum old)
while read -r sum path; do complete[$path]=$sum; done < <(md5sum ref.smc ref.bps ref-build.log)

# Each file named holds "old" or what `complete` holds for `name`; other files only when the
# job was killed, and then with a temporary name.
check() {
  local killed="$1" sum path name olds=0 news=0
  shift
  while read -r sum path; do
    name="${path##*/}"
    case "$path" in
      new.smc) name=ref.smc ;;
      new.bps) name=ref.bps ;;
      build-csv/varbek.log) name=ref-build.log ;;
    esac
    if [ -n "${complete[$name]:-}" ]; then
      local allowed="$old_sum ${complete[$name]}"
      # The build's log replaces the extract's.
      [ "$path" = build-csv/varbek.log ] && allowed="${complete[varbek.log]} ${complete[$name]}"
      case " $allowed " in *" $sum "*) ;; *) fail "$path is neither as before nor complete" ;; esac
      [ "$sum" = "${complete[$name]}" ] && news=$((news + 1)) || olds=$((olds + 1))
    elif [[ "$name" =~ ^varbek-[0-9a-f]{8}$ ]]; then
      [ "$killed" = yes ] || fail "a job that ended left $path"
      rm -f "$path"
    else
      fail "a job left $path"
    fi
  done < <(md5sum "$@")
  # Killed in the middle of its writes: some targets new, some as before.
  [ $news -gt 0 ] && [ $olds -gt 0 ] && midway=$((midway + 1))
  return 0
}

# Runs the job in the background and kills it in the last three quarters of its usual time,
# while it writes, mostly.
run_and_kill() {
  local duration="$1" ms seconds pid status=0
  shift
  "$exe" "$@" >/dev/null 2>&1 &
  pid=$!
  ms=$((duration / 4 + RANDOM % (duration * 3 / 4 + 1)))
  printf -v seconds '%d.%03d' $((ms / 1000)) $((ms % 1000))
  sleep "$seconds"
  kill -9 "$pid" 2>/dev/null || true
  { wait "$pid"; } 2>/dev/null || status=$?
  [ "$status" -eq 137 ] && killed=yes || killed=no
}

kills=0
midway=0
deadline=$((SECONDS + 60))
started=$SECONDS
for i in $(seq "$RUNS"); do
  [ $SECONDS -lt $deadline ] || fail "over a minute after $((i - 1)) runs"
  rm -rf out && mkdir out
  for name in "${!complete[@]}"; do
    case "$name" in ref.smc | ref.bps | ref-build.log) ;; *) echo old >"out/$name" ;; esac
  done
  run_and_kill "$extract_ms" -am sample.smc out/
  check "$killed" out/*
  [ "$killed" = yes ] && kills=$((kills + 1))

  echo old >new.smc
  echo old >new.bps
  cp ref/varbek.log build-csv/varbek.log
  run_and_kill "$build_ms" -mm -p sample.smc new.smc build-csv/
  shopt -s nullglob
  check "$killed" new.smc new.bps build-csv/varbek.log varbek-* build-csv/varbek-*
  shopt -u nullglob
  [ "$killed" = yes ] && kills=$((kills + 1))
done
echo "test-kill: $((RUNS * 2)) jobs in $((SECONDS - started)) s, $kills killed, $midway amid their writes; every target whole or as before"
[ "$kills" -ge "$RUNS" ] || fail "only $kills of $((RUNS * 2)) jobs were killed while running"
