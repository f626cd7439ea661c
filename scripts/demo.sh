#!/usr/bin/env bash
# Builds Varbek, writes the synthetic sample ROM, extracts every table, the event scripts and
# the music into out/csv, then builds out/rebuilt.smc back from those files and checks that it
# is the very same image.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/ensure-packages.sh
ensure_packages "${LINUX_PACKAGES[@]}"

cmake --preset linux >/dev/null
cmake --build --preset linux -j2 --target varbek make_sample_rom >/dev/null

rm -rf out/csv
mkdir -p out
build/linux/make_sample_rom out/sample.smc
echo "== varbek -am out/sample.smc out/csv/"
build/linux/varbek -am out/sample.smc out/csv/
echo "== varbek -mm out/sample.smc out/rebuilt.smc out/csv/"
build/linux/varbek -mm out/sample.smc out/rebuilt.smc out/csv/

# Tables, event scripts and music rebuild the very same bytes, and an unchanged image keeps
# its header checksum.
cmp out/sample.smc out/rebuilt.smc
echo "out/rebuilt.smc is byte-identical to out/sample.smc"
