#!/usr/bin/env bash
# The terminal form end to end: varbek started without arguments inside tmux, driven by typed
# keys. It extracts the sample ROM in UTF-8 into a folder with a Japanese name (the files must
# equal a command-line extract), runs a build with a patch of a missing ROM and reads the
# failure in the box, a round trip of the sample (one row), and fills in the merge's four rows.
#   VARBEK_BUILD_DIR  the Linux build folder (default build/linux; built when varbek is missing)
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/ensure-packages.sh
ensure_packages tmux

build=${VARBEK_BUILD_DIR:-build/linux}
if [ ! -x "$build/varbek" ] || [ ! -x "$build/make_sample_rom" ]; then
  cmake --preset linux >/dev/null
  cmake --build --preset linux -j2 --target varbek make_sample_rom >/dev/null
fi
varbek=$(realpath "$build/varbek")

work=$(mktemp -d)
socket="varbek-form-$$"
cleanup() {
  tmux -L "$socket" kill-server 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

"$build/make_sample_rom" "$work/sample.smc"
"$varbek" -a -u "$work/sample.smc" "$work/cli/" >/dev/null

screen() { tmux -L "$socket" capture-pane -p -t form -S -200; }
type_line() { tmux -L "$socket" send-keys -t form -l -- "$1"; tmux -L "$socket" send-keys -t form Enter; }
# wait_for TEXT: until the screen shows TEXT (10 s at most).
wait_for() {
  local i
  for i in $(seq 100); do
    if screen | grep -qF -- "$1"; then return 0; fi
    sleep 0.1
  done
  echo "FAIL: the form never showed: $1" >&2
  screen >&2
  exit 1
}
clear_screen() { tmux -L "$socket" clear-history -t form; tmux -L "$socket" send-keys -t form -R; }

tmux -L "$socket" -u new-session -d -s form -x 132 -y 50 \
  "env LANG=C.UTF-8 LC_ALL=C.UTF-8 '$varbek'; echo FORM-ENDED; sleep 60"
wait_for "r: 実行(OK)"
wait_for "1 読み込みSMC"
wait_for "3 引数３（無効）"
wait_for "4 引数４（無効）"
wait_for "e [ ] BPSパッチも作成（無効）"

# The patch box belongs to the build mode; the UTF-8 box is this mode's.
type_line "e"
wait_for "この項目は今のモードでは使えません"
type_line "b"
wait_for "b [x] UTF-8で書き出す"

type_line "1 $work/sample.smc"
type_line "2"
wait_for "CSV作成　ディレクトリ（フォルダ。"
type_line "$work/出力"
type_line "r"
wait_for "| 正常に終了しました |"
wait_for "[ OK ]"
type_line ""
wait_for ": $work/出力"

if ! diff -r "$work/cli" "$work/出力" >/dev/null; then
  echo "FAIL: the form's extract differs from the command line's" >&2
  diff -r "$work/cli" "$work/出力" | head >&2
  exit 1
fi
count=$(find "$work/出力" -type f | wc -l)
if [ "$count" -eq 0 ]; then
  echo "FAIL: the form's extract wrote no file" >&2
  exit 1
fi

clear_screen
type_line "m"
wait_for "2 CSV解析・SMC改造"
type_line "2"
wait_for "3 CSV作成　ディレクトリ"
type_line "1 $work/missing.smc"
type_line "2 $work/out.smc"
type_line "3 $work/出力"
type_line "e"
wait_for "e [x] BPSパッチも作成"
type_line "r"
wait_for "が開けませんでした"
wait_for "missing.smc"
type_line ""
if [ -n "$(find "$work" -maxdepth 1 -name 'out.*')" ]; then
  echo "FAIL: a failed build wrote its output" >&2
  exit 1
fi

# The round trip takes one row; the merge four, and one side at most.
clear_screen
type_line "m7"
wait_for "2 書き込みSMC（無効）"
type_line "1 $work/sample.smc"
type_line "r"
wait_for "往復チェック: 全部を書き出して"
wait_for "| 正常に終了しました"
type_line ""
type_line "m9"
wait_for "4 書き込みSMC "
type_line "g"
wait_for "g [x] 衝突は改造Aを採用"
clear_screen
type_line "h"
wait_for "g [ ] 衝突は改造Aを採用"
wait_for "h [x] 衝突は改造Bを採用"
type_line "q"
wait_for "FORM-ENDED"

echo "terminal form: a UTF-8 extract of $count files, a failed build, a round trip and the merge's rows behaved as expected"
