#!/usr/bin/env bash
# Real spreadsheet round trips: every file an extract writes is opened in LibreOffice Calc
# (headless) and saved back, as users do in a spreadsheet, three ways:
#   (a) Shift-JIS, columns imported with their standard types
#   (b) Shift-JIS, every column imported as text
#   (c) UTF-8
# A ROM built from each folder must equal the ROM built from the untouched files. Then one
# monster is edited through Calc (a half-width katakana name and its HP), and a re-extract of
# the built ROM must differ from the first extract in that row of monster.csv only (d).
# monster.csv saved by Calc with its HP column shown as #,##0 ("1,034") (e), and with a memo
# column inserted (f), must build the same ROM, the memo with its one info line. Every file
# round tripped through Gnumeric's ssconvert, Shift-JIS (g) and UTF-8 (h), must too.
#   VARBEK_BUILD_DIR  the Linux build folder (default build/linux; built when varbek is missing)
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/ensure-packages.sh
ensure_packages libreoffice-calc-nogui python3-uno gnumeric

build=${VARBEK_BUILD_DIR:-build/linux}
if [ ! -x "$build/varbek" ] || [ ! -x "$build/make_sample_rom" ]; then
  ensure_packages "${LINUX_PACKAGES[@]}"
  cmake --preset linux >/dev/null
  cmake --build --preset linux -j2 --target varbek make_sample_rom >/dev/null
fi
varbek=$(realpath "$build/varbek")
# Debian's interpreter is the one python3-uno serves, whatever else is on the PATH.
python=/usr/bin/python3

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
start=$SECONDS
export LANG=C.UTF-8 LC_ALL=C.UTF-8
profile="file://$work/profile"
filter="Text - txt - csv (StarCalc)"
sjis=64
utf8=76

"$(dirname "$varbek")/make_sample_rom" sample.smc
"$varbek" -a sample.smc original/ >extract.log 2>&1 || { cat extract.log >&2; exit 1; }
"$varbek" -m sample.smc original.smc original/ >build.log 2>&1 || { cat build.log >&2; exit 1; }
files=(original/*.csv)
columns=$(awk -F, '{ if (NF > n) n = NF } END { print n }' "${files[@]}")
as_text=$(seq 1 "$columns" | sed 's|$|/2|' | paste -sd/)

failures=0
report() {
  # report PASS|FAIL WHAT [DETAILS_FILE]
  echo "$1: $2"
  if [ "$1" = FAIL ]; then
    failures=$((failures + 1))
    [ -n "${3:-}" ] && head -n 12 "$3" | sed 's/^/    /'
  fi
  return 0
}

# convert FOLDER IMPORT_FORMATS EXPORT_CHARSET: all files in one Calc run.
convert() {
  soffice -env:UserInstallation="$profile" --headless --norestore \
    --infilter="$filter:44,34,$sjis,1,$2,1041,false,false" \
    --convert-to "csv:$filter:44,34,$3,1,,1041,false,false,true" \
    --outdir "$1" "${files[@]}" >"$1.calc.log" 2>&1 || true
}

# build_and_compare FOLDER WHAT
build_and_compare() {
  local details="$1.details"
  local f
  # A missing file would leave its table as it was, and the ROM equal.
  for f in "${files[@]}"; do
    if [ ! -s "$1/$(basename "$f")" ]; then
      report FAIL "$2 (Calc wrote no $(basename "$f"))" "$1.calc.log"
      return 0
    fi
  done
  if ! "$varbek" -m sample.smc "$1.smc" "$1/" >"$details" 2>&1; then
    report FAIL "$2 (the build failed)" "$details"
  elif cmp -s original.smc "$1.smc"; then
    report PASS "$2"
  else
    {
      echo "$(cmp -l original.smc "$1.smc" | wc -l) bytes of the ROM differ; the build said:"
      cat "$details"
    } >"$details.all"
    report FAIL "$2" "$details.all"
  fi
}

calc_start=$SECONDS
convert sjis-standard "" "$sjis"
convert sjis-text "$as_text" "$sjis"
convert utf8 "" "$utf8"
echo "Calc saved ${#files[@]} files three ways in $((SECONDS - calc_start)) s"
build_and_compare sjis-standard "(a) Shift-JIS, standard column types"
build_and_compare sjis-text "(b) Shift-JIS, every column as text"
build_and_compare utf8 "(c) UTF-8"

cat >edit.py <<'EOF'
"""edit.py CSV PROFILE_URL MODE [ID NAME HP]: edits monster.csv through Calc and saves it as
shown. MODE "edit" sets a monster's name and HP, "format" shows the HP column as #,##0, "memo"
inserts a memo column before 所持アイテム."""
import os
import signal
import subprocess
import sys
import time

import uno
from com.sun.star.beans import PropertyValue

path, profile, mode = sys.argv[1:4]
FILTER = "Text - txt - csv (StarCalc)"


def properties(**values):
    result = []
    for key, value in values.items():
        p = PropertyValue()
        p.Name, p.Value = key, value
        result.append(p)
    return tuple(result)


pipe = "varbek-edit-%d" % os.getpid()
office = subprocess.Popen(
    ["soffice", "-env:UserInstallation=" + profile, "--headless", "--invisible", "--norestore",
     "--accept=pipe,name=%s;urp;" % pipe],
    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)
try:
    local = uno.getComponentContext()
    resolver = local.ServiceManager.createInstanceWithContext(
        "com.sun.star.bridge.UnoUrlResolver", local)
    deadline = time.time() + 60
    while True:
        try:
            context = resolver.resolve(
                "uno:pipe,name=%s;urp;StarOffice.ComponentContext" % pipe)
            break
        except Exception:
            if time.time() > deadline or office.poll() is not None:
                raise
            time.sleep(0.2)
    desktop = context.ServiceManager.createInstanceWithContext(
        "com.sun.star.frame.Desktop", context)
    url = uno.systemPathToFileUrl(os.path.abspath(path))
    document = desktop.loadComponentFromURL(
        url, "_blank", 0,
        properties(FilterName=FILTER, FilterOptions="44,34,64,1,,1041,false,false",
                   Hidden=True))
    sheet = document.Sheets.getByIndex(0)
    cursor = sheet.createCursor()
    cursor.gotoEndOfUsedArea(False)
    end = cursor.getRangeAddress()
    rows = sheet.getCellRangeByPosition(0, 0, end.EndColumn, end.EndRow).getDataArray()
    header_row = next(i for i, r in enumerate(rows) if r[0] == "ID" and "HP" in r)
    header = rows[header_row]
    if mode == "edit":
        row_id, name, hp = sys.argv[4:7]
        target = next(i for i, r in enumerate(rows) if r[0] == row_id)
        sheet.getCellByPosition(1, target).setString(name)
        sheet.getCellByPosition(header.index("HP"), target).setValue(float(hp))
    elif mode == "format":
        locale = uno.createUnoStruct("com.sun.star.lang.Locale")
        formats = document.NumberFormats
        key = formats.queryKey("#,##0", locale, False)
        if key == -1:
            key = formats.addNew("#,##0", locale)
        sheet.Columns.getByIndex(header.index("HP")).NumberFormat = key
    elif mode == "memo":
        column = header.index("所持アイテム")
        sheet.Columns.insertByIndex(column, 1)
        sheet.getCellByPosition(column, header_row).setString("メモ")
        sheet.getCellByPosition(column, header_row + 6).setString("あとで直す, 強すぎ")
    document.storeToURL(
        url, properties(FilterName=FILTER,
                        FilterOptions="44,34,64,1,,1041,false,false,true", Overwrite=True))
    document.close(True)
    try:
        desktop.terminate()
    except Exception:
        pass  # the bridge goes down with the office
    office.wait(timeout=60)
finally:
    if office.poll() is None:
        os.killpg(office.pid, signal.SIGTERM)
        office.wait()
EOF

cat >check_edit.py <<'EOF'
"""check_edit.py BEFORE AFTER ID NAME HP: AFTER equals BEFORE but for that row of monster.csv."""
import os
import sys

before, after, row_id, name, hp = sys.argv[1:6]
problems = []
for file_name in sorted(os.listdir(before)):
    if file_name == "varbek.log":  # every job writes its own log
        continue
    old = open(os.path.join(before, file_name), "rb").read()
    new_path = os.path.join(after, file_name)
    new = open(new_path, "rb").read() if os.path.exists(new_path) else b""
    if file_name != "monster.csv":
        if old != new:
            problems.append("%s differs" % file_name)
        continue
    old_lines, new_lines = old.split(b"\r\n"), new.split(b"\r\n")
    header = next(l for l in old_lines if l.startswith(b"ID,")).split(b",")
    expected = []
    for line in old_lines:
        if line.startswith(row_id.encode() + b","):
            cells = line.split(b",")
            cells[1] = name.encode("cp932")
            cells[header.index(b"HP")] = hp.encode()
            line = b",".join(cells)
        expected.append(line)
    for number, (want, got) in enumerate(zip(expected, new_lines), 1):
        if want != got:
            problems.append("monster.csv line %d: %s instead of %s" % (
                number, got.decode("cp932", "replace"), want.decode("cp932", "replace")))
    if len(expected) != len(new_lines):
        problems.append("monster.csv has %d lines, not %d" % (len(new_lines), len(expected)))
for problem in problems:
    print(problem)
sys.exit(1 if problems else 0)
EOF

# The name field holds 8 characters: the three full-width kana and the blank glyph's padding.
edit_id=0x05
cp -r original edited
if ! "$python" edit.py edited/monster.csv "$profile" edit "$edit_id" "ｺﾞﾌﾞﾘ" 1234 >edit.log 2>&1; then
  report FAIL "(d) half-width name and HP edited in Calc (the edit failed)" edit.log
elif ! "$varbek" -m sample.smc edited.smc edited/ >edited.details 2>&1; then
  report FAIL "(d) half-width name and HP edited in Calc (the build failed)" edited.details
else
  "$varbek" -a edited.smc reextracted/ >/dev/null 2>&1
  if "$python" check_edit.py original reextracted "$edit_id" "ゴブリ□□□□□" 1234 >edit.check 2>&1; then
    report PASS "(d) half-width name and HP edited in Calc"
  else
    cat edited.details >>edit.check
    report FAIL "(d) half-width name and HP edited in Calc" edit.check
  fi
fi

# calc_sheet FOLDER MODE WHAT: monster.csv changed through Calc must build the same ROM.
calc_sheet() {
  cp -r original "$1"
  if ! "$python" edit.py "$1/monster.csv" "$profile" "$2" >"$1.calc.log" 2>&1; then
    report FAIL "$3 (Calc failed)" "$1.calc.log"
  else
    build_and_compare "$1" "$3"
  fi
}
calc_sheet shown format "(e) monster.csv's HP shown as #,##0 and saved as shown"
if grep -q '"[0-9],[0-9][0-9][0-9]"' shown/monster.csv; then
  report PASS "(e) Calc wrote grouped numbers (\"1,034\")"
else
  report FAIL "(e) Calc wrote no grouped number" shown/monster.csv
fi
calc_sheet memo memo "(f) a memo column inserted before 所持アイテム"
ignored=$(printf '使われない列' | iconv -f UTF-8 -t CP932)
if grep -q "$ignored" memo/varbek.log 2>/dev/null && ! grep -q "$(printf '警告' | iconv -f UTF-8 -t CP932)" memo/varbek.log; then
  report PASS "(f) the memo column is named in one info line, without a warning"
else
  report FAIL "(f) the memo column's info line" memo.details
fi

# gnumeric FOLDER CHARSET: every file through ssconvert, read as Shift-JIS and written back.
gnumeric() {
  mkdir -p "$1"
  local f
  for f in "${files[@]}"; do
    ssconvert -I Gnumeric_stf:stf_csvtab --import-encoding=CP932 -T Gnumeric_stf:stf_assistant \
      -O "separator=, charset=$2 format=preserve eol=windows quoting-mode=auto" \
      "$f" "$1/$(basename "$f")" >>"$1.calc.log" 2>&1 || true
  done
}
gnumeric_start=$SECONDS
gnumeric gnumeric-sjis CP932
gnumeric gnumeric-utf8 UTF-8
echo "Gnumeric saved ${#files[@]} files two ways in $((SECONDS - gnumeric_start)) s"
build_and_compare gnumeric-sjis "(g) Gnumeric, Shift-JIS"
build_and_compare gnumeric-utf8 "(h) Gnumeric, UTF-8"

echo "$((10 - failures)) passed, $failures failed ($((SECONDS - start)) s)"
[ "$failures" -eq 0 ]
