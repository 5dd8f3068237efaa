#!/usr/bin/env bash
# Builds Orvo, installs the demo company on first use and starts the
# application on it when the GUI is built. The demo keeps its own drives
# C: (the local tree with the access file) and D: (the data root) under
# one host directory, so it never touches another installation.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
bash scripts/ensure-packages.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release
targets=(orvo-batch)
if ninja -C build/release -t targets all 2>/dev/null | grep -q '^orvo:'; then
  targets+=(orvo)
fi
cmake --build build/release --target "${targets[@]}"

demo="${ORVO_DEMO_ROOT:-${XDG_DATA_HOME:-$HOME/.local/share}/orvo/demo}"
mkdir -p "$demo/C" "$demo/D"
export ORVO_DRIVES="C=$demo/C;D=$demo/D"
if [ ! -e "$demo/D/LOrvo/PomSoub/UctInic.TXT" ]; then
  ./build/release/orvo-batch demo 'D:'
  echo
  echo "Keep the password above: the demo's user is Admin."
else
  echo "The demo is installed in $demo; log in as Admin with the password printed"
  echo "when it was installed (remove $demo to install it afresh)."
fi
echo
echo "Start Orvo on the demo again with:"
echo "  ORVO_DRIVES='$ORVO_DRIVES' $top/build/release/orvo D:"
if [ -x build/release/orvo ]; then
  exec ./build/release/orvo 'D:'
fi
