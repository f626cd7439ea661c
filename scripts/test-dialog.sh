#!/usr/bin/env bash
# The Windows dialog end to end: varbek.exe without arguments under Wine in a virtual X
# server, driven with xdotool. It shows each mode, opens and cancels the file picker and the
# folder browser, runs extracts (with music, then also in UTF-8), a build with a patch, a build
# with a warning, a check, a difference and a patch of the sample ROM and a round trip through
# the dialog, compares what they wrote with the Linux command line's results, and fills in the
# merge's four rows.
#   --update-docs          also store the screenshots as docs/dialog-*.png
#   VARBEK_BUILD_DIR       Linux build folder (default build/linux), for make_sample_rom and
#                          the reference results
#   VARBEK_WIN_BUILD_DIR   Windows build folder (default build/windows)
#   VARBEK_WINEPREFIX      the Wine prefix to use (made on first use)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
. scripts/ensure-packages.sh
ensure_packages wine wine64 xvfb xdotool imagemagick fonts-ipafont-gothic

update_docs=false
[ "${1:-}" = "--update-docs" ] && update_docs=true

build=${VARBEK_BUILD_DIR:-build/linux}
win_build=${VARBEK_WIN_BUILD_DIR:-build/windows}
if [ ! -x "$build/varbek" ] || [ ! -x "$build/make_sample_rom" ]; then
  cmake --preset linux >/dev/null
  cmake --build --preset linux -j2 --target varbek make_sample_rom >/dev/null
fi
if [ ! -f "$win_build/varbek.exe" ]; then
  cmake --preset windows >/dev/null
  cmake --build --preset windows -j2 --target varbek >/dev/null
fi
varbek=$(realpath "$build/varbek")
exe=$(realpath "$win_build/varbek.exe")

export WINEPREFIX=${VARBEK_WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/varbek/wine-dialog}
export WINEDEBUG=-all LANG=C.UTF-8 LC_ALL=C.UTF-8
work=$(mktemp -d)
shots="$work/shots"
mkdir -p "$shots"
xvfb_pid=""
cleanup() {
  wineserver -k 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  if [ -n "${VARBEK_KEEP:-}" ]; then echo "kept: $work" >&2; else rm -rf "$work"; fi
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  [ -n "${DISPLAY:-}" ] && import -window root "$work/failure.png" 2>/dev/null &&
    cp "$work/failure.png" "${TMPDIR:-/tmp}/varbek-dialog-failure.png" &&
    echo "screen: ${TMPDIR:-/tmp}/varbek-dialog-failure.png" >&2
  exit 1
}

# The prefix, with the dialog's font and the system's dialog fonts drawn by IPA P Gothic.
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1
fi
for font in "ＭＳ Ｐゴシック" "ＭＳ ゴシック" "MS UI Gothic" "MS Shell Dlg" "MS Shell Dlg 2"; do
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$font" /d IPAPGothic /f >/dev/null 2>&1
done
wineserver -w

# A free display of our own.
exec 3<> <(:)
Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
display=""
for _ in $(seq 50); do
  read -r -t 0.2 display <&3 && break
done
exec 3<&-
[ -n "$display" ] || fail "Xvfb did not start"
export DISPLAY=":$display"

"$build/make_sample_rom" "$work/sample.smc"
"$varbek" -am "$work/sample.smc" "$work/cli/" >/dev/null
winpath() { echo "Z:${1//\//\\}"; }

# window NAME: the id of the visible window with that exact name, waiting up to 20 s.
window() {
  local id=""
  for _ in $(seq 200); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  fail "no window named '$1'"
}
# The final message box: a small visible window without a name.
message_box() {
  local w
  for _ in $(seq 300); do
    for w in $(xdotool search --onlyvisible --name '^$' 2>/dev/null || true); do
      local width
      width=$(xdotool getwindowgeometry "$w" | sed -n 's/.*Geometry: \([0-9]*\)x.*/\1/p')
      [ -n "$width" ] && [ "$width" -lt 600 ] && { echo "$w"; return 0; }
    done
    sleep 0.1
  done
  fail "no message box after the job"
}
# new_window: a visible named window other than the dialog and the desktop, as the folder
# browser's name is Wine's own.
new_window() {
  local w
  for _ in $(seq 200); do
    for w in $(xdotool search --onlyvisible --name . 2>/dev/null || true); do
      [ "$w" = "$dialog" ] && continue
      case "$(xdotool getwindowname "$w" 2>/dev/null)" in
        "" | *"Wine desktop"* | "Default IME") ;;
        *) echo "$w"; return 0 ;;
      esac
    done
    sleep 0.1
  done
  fail "no folder browser"
}
wait_closed() {
  for _ in $(seq 100); do
    xdotool getwindowname "$1" >/dev/null 2>&1 || return 0
    xdotool search --onlyvisible --name . 2>/dev/null | grep -qx "$1" || return 0
    sleep 0.1
  done
  fail "window $1 stayed open"
}
key() { xdotool key --delay 60 "$@"; sleep 0.3; }
type_text() { xdotool type --delay 15 "$1"; sleep 0.6; }
# shot NAME WINDOW: the window as it is on the screen.
shot() {
  sleep 0.5
  import -window "$2" "$shots/$1.png"
}

(cd "$work" && wine explorer /desktop=varbek,640x480 "$exe" >/dev/null 2>&1) &
wine_pid=$!
dialog=$(window Varbek)
xdotool windowfocus --sync "$dialog" 2>/dev/null || true
sleep 1

# The nine modes, from the selector, which has the focus at start.
modes="0 1 2 3 4 5 6 7 8"
shot dialog-mode0 "$dialog"
for mode in $modes; do
  [ "$mode" = 0 ] && continue
  key Down
  shot "dialog-mode$mode" "$dialog"
done
key Up Up Up Up Up Up Up Up
shot dialog-mode0-again "$dialog"
for a in $modes; do
  for b in $modes; do
    [ "$a" -lt "$b" ] || continue
    if cmp -s "$shots/dialog-mode$a.png" "$shots/dialog-mode$b.png"; then
      fail "modes $a and $b look the same"
    fi
  done
done
# The merge left its labels on rows 2 to 4: mode 0 now differs from the fresh dialog.
cmp -s "$shots/dialog-mode0.png" "$shots/dialog-mode0-again.png" &&
  fail "the disabled rows did not keep the labels that the merge gave them"

# Extract with music; the pickers are opened and cancelled on the way, which keeps the fields.
key Tab
type_text "$(winpath "$work/sample.smc")"
key Tab space
picker=$(window "ファイルを開く")
shot dialog-file-picker "$picker"
key Escape
wait_closed "$picker"
# A name that Shift-JIS cannot carry is refused: turned into "?" it could lead elsewhere
# ("?\.." would vanish from the path and the files would land in "wrong").
key Tab
type_text "$(winpath "$work/ü/../wrong")"
shot dialog-unrepresentable "$dialog"
key Return
box=$(message_box)
shot dialog-unrepresentable-box "$box"
key Return
wait_closed "$box"
[ -e "$work/wrong" ] && fail "a path with a character outside Shift-JIS was used"
key shift+Tab Tab
type_text "$(winpath "$work/dialog")"
key Tab space
browser=$(new_window)
shot dialog-folder-browser "$browser"
key Escape
wait_closed "$browser"
key Tab space Return
box=$(message_box)
shot dialog-message-box "$box"
key Return
wait_closed "$box"
diff -r "$work/cli" "$work/dialog" >/dev/null || fail "the dialog's extract differs from varbek -am"
[ -n "$(ls "$work/dialog")" ] || fail "the dialog's extract wrote nothing"

# The same in UTF-8: the focus is on the music box; the next box down is the UTF-8 one.
key Tab space
key shift+Tab shift+Tab shift+Tab
type_text "$(winpath "$work/dialog-utf8")"
key Return
box=$(message_box)
key Return
wait_closed "$box"
"$varbek" -am -u "$work/sample.smc" "$work/cli-utf8/" >/dev/null
diff -r "$work/cli-utf8" "$work/dialog-utf8" >/dev/null ||
  fail "the dialog's UTF-8 extract differs from varbek -am -u"

# Build with music and both patches into a new ROM, from field 2 over to the selector. The
# UTF-8 box stays ticked but is disabled here, so Tab passes it by and the build does not get
# -u; the strict box lies between the music box and the patch boxes.
mkdir "$work/cli-build" "$work/dialog-build"
key shift+Tab shift+Tab shift+Tab
key Down
key Tab Tab Tab
type_text "$(winpath "$work/dialog-build/new.smc")"
key Tab Tab
type_text "$(winpath "$work/dialog")"
key Tab Tab Tab Tab space Tab space
shot dialog-build "$dialog"
key Return
box=$(message_box)
key Return
wait_closed "$box"
[ -f "$work/dialog-build/new.smc" ] || fail "the dialog's build wrote no ROM"
"$varbek" -mm -p -i "$work/sample.smc" "$work/cli-build/new.smc" "$work/cli/" >/dev/null
[ -f "$work/dialog-build/new.ips" ] || fail "the dialog's build wrote no IPS patch"
diff -r "$work/cli-build" "$work/dialog-build" >/dev/null ||
  fail "the dialog's build differs from varbek -mm -p -i"

# A value out of range: the build still writes its ROM, and the box counts the warning and
# shows it. The focus is still on the IPS box.
LC_ALL=C sed -i 's/^\(0x00,\([^,]*,\)\{16\}\)[^,]*/\170000/' "$work/dialog/monster.csv"
key Return
box=$(message_box)
shot dialog-warnings "$box"
key Return
wait_closed "$box"
# Read whole first: grep -q stops at its match, and the converter it leaves behind would fail
# the pipe.
log=$(iconv -f CP932 -t UTF-8 "$work/dialog/varbek.log")
grep -q "警告 1 件" <<<"$log" || fail "the build's log does not count one warning"
grep -q "HP（[0-9]*列目）: 70000" <<<"$log" || fail "the build's log does not name the value out of range"

# The check of the same folder, from the IPS box over to the selector: a fresh log equal to
# the command line's check, whose log is the same as a build's, and no ROM written.
key shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab
key Down Down Down
key Tab Tab Tab
type_text "$(winpath "$work/dialog")"
shot dialog-check "$dialog"
rm -f "$work/dialog-build/"* "$work/dialog/varbek.log"
key Return
box=$(message_box)
key Return
wait_closed "$box"
cp "$work/dialog/varbek.log" "$work/check.log" || fail "the dialog's check left no log"
"$varbek" -cm "$work/sample.smc" "$work/dialog/" >/dev/null 2>&1 || true
cmp -s "$work/check.log" "$work/dialog/varbek.log" || fail "the dialog's check differs from varbek -cm"
[ -z "$(ls "$work/dialog-build")" ] || fail "the dialog's check wrote files"

# The difference of the sample and the edited build's IPS patch, from field 2 over to the
# selector; the music and UTF-8 boxes are still ticked from the extracts.
"$varbek" -mm -i "$work/sample.smc" "$work/edited.smc" "$work/dialog/" >/dev/null 2>&1 || true
[ -f "$work/edited.ips" ] || fail "the command line wrote no IPS patch to compare with"
key shift+Tab shift+Tab shift+Tab
key Down
key Tab Tab Tab
type_text "$(winpath "$work/edited.ips")"
key Tab Tab
type_text "$(winpath "$work/diff.csv")"
shot dialog-diff "$dialog"
key Return
box=$(message_box)
key Return
wait_closed "$box"
"$varbek" -xm -u "$work/sample.smc" "$work/edited.ips" "$work/cli-diff.csv" >/dev/null
cmp -s "$work/cli-diff.csv" "$work/diff.csv" || fail "the dialog's difference differs from varbek -xm -u"
grep -q "65535" "$work/diff.csv" || fail "the difference does not list the edited cell"

# The round trip of the sample, from field 3 over to the selector: one row, and the final box.
key shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab
key Down
shot dialog-round-trip "$dialog"
key Return
box=$(message_box)
shot dialog-round-trip-box "$box"
key Return
wait_closed "$box"

# The IPS patch applied through the dialog gives the edited build; the focus is back on the
# selector.
key Down
key Tab
type_text "$(winpath "$work/edited.ips")"
key Tab Tab
type_text "$(winpath "$work/sample.smc")"
key Tab Tab
type_text "$(winpath "$work/patched.smc")"
shot dialog-patch "$dialog"
key Return
box=$(message_box)
key Return
wait_closed "$box"
cmp -s "$work/edited.smc" "$work/patched.smc" || fail "the patch applied through the dialog differs from the build"

# The merge of the edited build's IPS patch with the command line's BPS patch through its four
# rows; ticking B unticks A, and the merged image is the one the command line makes with B's side.
key shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab
key Down
key Tab
type_text "$(winpath "$work/sample.smc")"
key Tab Tab
type_text "$(winpath "$work/edited.ips")"
key Tab Tab
type_text "$(winpath "$work/cli-build/new.bps")"
key Tab Tab
type_text "$(winpath "$work/merged.smc")"
key Tab Tab Tab space
shot dialog-merge-a "$dialog"
key Tab space
shot dialog-merge "$dialog"
cmp -s "$shots/dialog-merge-a.png" "$shots/dialog-merge.png" && fail "ticking side B changed nothing"
key Return
box=$(message_box)
key Return
wait_closed "$box"
[ -f "$work/merged.smc" ] || fail "the merge through the dialog wrote no image"
merged_alike=false
for option in -jB -jmB; do
  "$varbek" "$option" "$work/sample.smc" "$work/edited.ips" "$work/cli-build/new.bps" "$work/cli-merged.smc" \
    >/dev/null 2>&1 || true
  cmp -s "$work/merged.smc" "$work/cli-merged.smc" && merged_alike=true
done
$merged_alike || fail "the dialog's merge differs from varbek -jB and -jmB"

# Esc closes the dialog, which ends the program.
key Escape
for _ in $(seq 100); do
  kill -0 "$wine_pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$wine_pid" 2>/dev/null && fail "the program did not end when the dialog closed"

if $update_docs; then
  for mode in $modes; do cp "$shots/dialog-mode$mode.png" "$root/docs/"; done
  for name in message-box file-picker warnings build diff round-trip-box patch merge; do
    cp "$shots/dialog-$name.png" "$root/docs/"
  done
  echo "screenshots stored in docs/"
fi
echo "dialog: modes, pickers, extracts, builds, a check, a difference, a round trip, a patch and a merge through the dialog behaved as expected"
