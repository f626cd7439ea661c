#!/usr/bin/env bash
# Builds the Windows program and its tests with MinGW-w64, runs the tests under Wine, then
# checks that varbek.exe under Wine writes the same bytes as the Linux program for an extract
# and a build of the sample ROM. Needs no display.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/ensure-packages.sh
WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix googletest wine wine64 unzip)
ensure_packages "${LINUX_PACKAGES[@]}" "${WINDOWS_PACKAGES[@]}"

export WINEDEBUG=-all
# Without a display Wine must not try to open windows of its own (first-run dialogs).
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
prefix="${WINEPREFIX:-$HOME/.wine}"
if [ ! -f "$prefix/system.reg" ]; then
  echo "Initialising the Wine prefix $prefix"
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w || true
fi

echo "== Windows build (MinGW-w64)"
cmake --preset windows >/dev/null
cmake --build --preset windows -j2
echo "== Windows tests under Wine"
ctest --preset windows

echo "== Windows program against the Linux program"
cmake --preset linux >/dev/null
cmake --build --preset linux -j2 --target varbek make_sample_rom >/dev/null

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
root="$(pwd)"
build/linux/make_sample_rom "$work/sample.smc"
cd "$work"

compare_run() {
  # compare_run WHAT LINUX_ARGS... -- WINDOWS_ARGS...
  local what="$1"
  shift
  local linux_args=()
  while [ "$1" != "--" ]; do
    linux_args+=("$1")
    shift
  done
  shift
  "$root/build/linux/varbek" "${linux_args[@]}" >linux.log 2>&1 || {
    echo "Linux varbek failed on $what:" >&2
    cat linux.log >&2
    exit 1
  }
  local rc=0
  wine "$root/build/windows/varbek.exe" -q "$@" >windows.log 2>&1 </dev/null || rc=$?
  if [ "$rc" -ne 0 ]; then
    echo "varbek.exe under Wine failed on $what (exit code $rc):" >&2
    iconv -f CP932 -t UTF-8 windows.log >&2 || cat windows.log >&2
    exit 1
  fi
}

compare_run "extract" -am sample.smc linux-csv/ -- -am sample.smc windows-csv/
if ! diff -r linux-csv windows-csv >/dev/null; then
  echo "The extracted files differ:" >&2
  diff -rq linux-csv windows-csv >&2 || true
  exit 1
fi
echo "extract: $(ls linux-csv | wc -l) files, byte-identical"

compare_run "build" -m sample.smc linux.smc linux-csv/ -- -m sample.smc windows.smc windows-csv/
if ! cmp linux.smc windows.smc; then
  echo "The built ROMs differ" >&2
  exit 1
fi
if ! cmp sample.smc windows.smc; then
  echo "The ROM built from unchanged files differs from the sample" >&2
  exit 1
fi
# The music is laid out anew, so only the two programs are compared.
compare_run "build with music" -mm sample.smc linux-m.smc linux-csv/ -- -mm sample.smc windows-m.smc windows-csv/
if ! cmp linux-m.smc windows-m.smc; then
  echo "The ROMs built with music differ" >&2
  exit 1
fi
echo "build: byte-identical to the Linux output (with and without music) and to the sample"

# A failing job reports through the exit code, never through a box.
rc=0
wine "$root/build/windows/varbek.exe" -q -a missing.smc out/ >/dev/null 2>&1 </dev/null || rc=$?
if [ "$rc" -ne 1 ]; then
  echo "varbek.exe -q on a missing ROM exited with $rc, not 1" >&2
  exit 1
fi
rc=0
wine "$root/build/windows/varbek.exe" -q -a >/dev/null 2>&1 </dev/null || rc=$?
if [ "$rc" -ne 2 ]; then
  echo "varbek.exe -q on a refused job exited with $rc, not 2" >&2
  exit 1
fi
# Refused lines run nothing, whatever they name: an empty path (an unset variable), an unknown
# letter, swapped paths, a CSV folder that does not exist.
for line in "-m sample.smc '' windows-csv/" "-z sample.smc windows-csv/" "-ms sample.smc refused.smc" \
  "-m sample.smc windows-csv/ refused.smc" "-m sample.smc refused.smc no-such-csv/"; do
  rc=0
  eval "wine \"\$root/build/windows/varbek.exe\" -q $line" >refused.log 2>&1 </dev/null || rc=$?
  if [ "$rc" -ne 2 ] || [ -e refused.smc ] || [ ! -s refused.log ]; then
    echo "varbek.exe -q $line exited with $rc, or wrote a ROM, or said nothing" >&2
    exit 1
  fi
done
echo "exit codes: 1 on failure, 2 when refused"

# Patches are the same bytes on both platforms, and the Windows program applies its own.
compare_run "build with a patch" -mm -p sample.smc linux-p.smc linux-csv/ -- -mm -p sample.smc windows-p.smc windows-csv/
cmp linux-p.bps windows-p.bps
compare_run "apply a patch" -b linux-p.bps sample.smc linux-applied.smc -- -b windows-p.bps sample.smc windows-applied.smc
cmp windows-applied.smc windows-p.smc
echo "patches: byte-identical, and applied by both programs"

version=$(wine "$root/build/windows/varbek.exe" --version 2>/dev/null </dev/null | tr -d '\r')
case "$version" in
  "varbek "*) echo "varbek.exe --version: $version" ;;
  *) echo "varbek.exe --version printed '$version'" >&2; exit 1 ;;
esac

# The release archives of both presets.
for preset in windows linux; do
  (cd "$root/build/$preset" && cpack >/dev/null)
done
ls "$root"/build/windows/varbek-*-win64.zip "$root"/build/linux/varbek-*-Linux.tar.gz
# Each archive holds the program and every document the README links.
listing=$(unzip -l "$root"/build/windows/varbek-*-win64.zip)
for member in varbek.exe README.md CHANGELOG.md LICENSE docs/files.md docs/messages.md docs/dialog-mode0.png; do
  grep -Eq "[ /]$member\$" <<<"$listing" || { echo "the zip lacks $member" >&2; exit 1; }
done
listing=$(tar -tzf "$root"/build/linux/varbek-*-Linux.tar.gz)
for member in bin/varbek share/doc/varbek/README.md share/doc/varbek/CHANGELOG.md share/doc/varbek/docs/files.md \
              share/doc/varbek/docs/messages.md share/doc/varbek/docs/dialog-warnings.png; do
  grep -q "/$member\$" <<<"$listing" || { echo "the tar.gz lacks $member" >&2; exit 1; }
done
echo "release archives: made"
