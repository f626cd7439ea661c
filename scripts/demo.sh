#!/usr/bin/env bash
# Builds Varbek, writes the synthetic sample ROM, extracts every table (and the music) into
# out/csv, then builds out/rebuilt.smc back from those files and compares it with the sample.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/ensure-packages.sh
ensure_packages "${LINUX_PACKAGES[@]}"

cmake --preset linux >/dev/null
cmake --build --preset linux -j2 --target varbek make_sample_rom >/dev/null

mkdir -p out
build/linux/make_sample_rom out/sample.smc
echo "== varbek -am out/sample.smc out/csv/"
build/linux/varbek -am out/sample.smc out/csv/
echo "== varbek -mm out/sample.smc out/rebuilt.smc out/csv/"
build/linux/varbek -mm out/sample.smc out/rebuilt.smc out/csv/
if cmp -s out/sample.smc out/rebuilt.smc; then
  echo "out/rebuilt.smc is byte-identical to out/sample.smc"
else
  echo "out/rebuilt.smc differs from out/sample.smc" >&2
  exit 1
fi
ls out/csv
