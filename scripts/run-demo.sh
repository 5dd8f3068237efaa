#!/usr/bin/env bash
# Builds Orvo, installs the demo company on first use (orvo-batch demo) and
# starts the application on it. The demo keeps drives of its own under one
# host directory - C: (the local tree with the access file) and D: (the data
# root) - so it never touches another installation.
#   ORVO_DEMO_ROOT        the demo directory (default ~/.local/share/orvo/demo)
#   ORVO_DEMO_NO_START=1  prepare everything but do not start the window
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
bash scripts/ensure-packages.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release
# The window and its tools are built when the configuration has them.
targets=(orvo-batch)
known=$(ninja -C build/release -t targets all 2>/dev/null || true)
for target in orvo orvo-tabview orvo-launch; do
  if grep -q "^$target:" <<<"$known"; then targets+=("$target"); fi
done
cmake --build build/release --target "${targets[@]}"

demo="${ORVO_DEMO_ROOT:-${XDG_DATA_HOME:-$HOME/.local/share}/orvo/demo}"
mkdir -p "$demo/C" "$demo/D"
export ORVO_DRIVES="C=$demo/C;D=$demo/D"
if [[ ! -e "$demo/D/LOrvo/PomSoub/UctInic.TXT" ]]; then
  ./build/release/orvo-batch demo 'D:'
  echo
  echo "Keep the password above: it is the demo user's (Admin)."
else
  echo "The demo is installed in $demo; log in as Admin with the password printed"
  echo "when it was installed (remove $demo to install it afresh)."
fi
cat <<INFO

Orvo demo installation
  data root  D: = $demo/D
  local tree C: = $demo/C   (C:\\A_Run)
Start it with: ORVO_DRIVES="$ORVO_DRIVES" $top/build/release/orvo D:
INFO
if [[ "${ORVO_DEMO_NO_START:-}" == 1 || ! -x build/release/orvo ]]; then
  exit 0
fi
exec ./build/release/orvo D:
