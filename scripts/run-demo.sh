#!/usr/bin/env bash
# Builds Orvo, installs the demo data root (when it is not there yet) and
# starts the application on it. The data root and the local tree are host
# directories that Orvo sees as the drives D: and C:.
#   ORVO_DEMO_ROOT    the demo data root (default ~/.local/share/orvo/demo)
#   ORVO_DEMO_NO_START=1  prepare everything but do not start the window
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
bash scripts/ensure-packages.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build/release --target orvo orvo-batch orvo-tabview orvo-launch

share="${XDG_DATA_HOME:-$HOME/.local/share}/orvo"
data="${ORVO_DEMO_ROOT:-$share/demo}"
cdrive="$share/C"
mkdir -p "$data/LOrvo/PomSoub" "$data/LOrvo/DefSoub" "$cdrive"
export ORVO_DRIVES="C=$cdrive;D=$data"

# The organisation of the demo company (Windows-1250 text, CR LF lines).
crlf() { printf '%s\r\n' "$@"; }
[[ -e "$data/LOrvo/PomSoub/UctInic.TXT" ]] ||
  crlf "01 Zavod Brno" "02 Sprava Jih" "03 Stredisko Centrum" "" > "$data/LOrvo/PomSoub/UctInic.TXT"
[[ -e "$data/LOrvo/PomSoub/UctObd.Txt" ]] || crlf "Ucetni obdobi" > "$data/LOrvo/PomSoub/UctObd.Txt"
for name in LDokl LDoklP LDoklZ; do
  [[ -e "$data/LOrvo/DefSoub/$name.Def" ]] || crlf "Seznam dokladu" > "$data/LOrvo/DefSoub/$name.Def"
done

./build/release/orvo-batch install D: --user Admin --password Qzpfr > /dev/null

cat <<INFO

Orvo demo installation
  data root  D: = $data
  local tree C: = $cdrive   (C:\\A_Run)
  log in as  user: Admin   password: Qzpfr

INFO
if [[ "${ORVO_DEMO_NO_START:-}" == 1 ]]; then
  echo "Start it with: ORVO_DRIVES=\"$ORVO_DRIVES\" $top/build/release/orvo D:"
  exit 0
fi
exec ./build/release/orvo D:
