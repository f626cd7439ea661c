#!/usr/bin/env bash
# Builds and runs every test: the Linux programs, then the Windows build under Wine and the
# dialog and terminal-form checks.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/ensure-packages.sh
ensure_packages "${LINUX_PACKAGES[@]}"

echo "== Linux"
cmake --preset linux >/dev/null
cmake --build --preset linux -j2
ctest --preset linux

for extra in scripts/test-kill.sh scripts/test-spreadsheet.sh scripts/test-windows.sh scripts/test-terminal-form.sh scripts/test-dialog.sh; do
  if [ -x "$extra" ]; then
    echo "== $extra"
    "$extra"
  fi
done
