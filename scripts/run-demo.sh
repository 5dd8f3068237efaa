#!/usr/bin/env bash
# Builds Orvo and prepares the demo data root. The data root is a host
# directory that Orvo maps to a drive letter of its own.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
bash scripts/ensure-packages.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build/release --target orvo-batch
data="${ORVO_DEMO_ROOT:-${XDG_DATA_HOME:-$HOME/.local/share}/orvo/demo}"
cdrive="${XDG_DATA_HOME:-$HOME/.local/share}/orvo/C"
mkdir -p "$data" "$cdrive"
./build/release/orvo-batch --drive "C=$cdrive" --drive "D=$data" paths 'D:\LOrvo' 'C:\A_Run'
echo
echo "Demo data root: $data (drive D:), local tree: $cdrive (drive C:)"
