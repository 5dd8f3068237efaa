#!/usr/bin/env bash
# The crash test of an in-place operation: `orvo-batch sort` of a large
# dataset file into itself is killed (SIGKILL) at random moments, again and
# again. After every kill the file must be either the old file, byte for
# byte, or the complete sorted one, byte for byte - never neither. A kill
# that came too late to interrupt anything counts too. Not a timed test:
# it prints what it saw and fails (exit 1) on the first file that is
# neither.
#
# Usage: bench/kill_inplace_sort.sh [ORVO-BATCH] [RECORDS] [KILLS]
#        (default build/release/orvo-batch, 600000 records, 20 kills)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
batch=${1:-$top/build/release/orvo-batch}
records=${2:-600000}
kills=${3:-20}
[ -x "$batch" ] || { echo "no orvo-batch at $batch" >&2; exit 2; }

work=$(mktemp -d /tmp/orvo-kill-XXXXXX)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/C/A_Run/Work" "$work/D"
export ORVO_DRIVES="C=$work/C;D=$work/D"

# A definition line: length in columns 1-3, name from 5, type in 71-72.
line() { printf '%3d %-66s%-2s\r\n' "$1" "$2" "$3"; }
{
  line 6 "1. Ucet" PM
  line 10 "2. Doklad" PM
  line 40 "3. Text" PM
  line 15 "4. MD" N2
  line 15 "5. Dal" N2
} > "$work/D/K.Def"

echo "making $records records..."
awk -v n="$records" 'BEGIN {
  srand(7);
  for (i = 0; i < n; i++) {
    printf "%06d|D%09d|posting text number %d|%d,%02d|%d,%02d\n",
      int(rand() * 999999), i, i, int(rand() * 100000), int(rand() * 100), int(rand() * 1000), int(rand() * 100);
  }
}' > "$work/k.txt"
"$batch" cds from-text 'D:\K.Def' "$work/k.txt" 'D:\K.Cds' > /dev/null
cp "$work/D/K.Cds" "$work/old.Cds"
echo "file: $(stat -c %s "$work/old.Cds") bytes"

# The complete sorted file, made once into another name, and the time a
# sort in place takes, which the kill moments are drawn from.
sort_in_place() { "$batch" sort 'D:\K.Cds' 'D:\K.Def' 'D:\K.Cds' 'D:\S.Def' --keys 3,1 > /dev/null 2>&1; }
"$batch" sort 'D:\K.Cds' 'D:\K.Def' 'D:\Ref.Cds' 'D:\S.Def' --keys 3,1 > /dev/null
start=$(date +%s%N)
sort_in_place
full_ms=$(( ($(date +%s%N) - start) / 1000000 ))
cmp -s "$work/D/K.Cds" "$work/D/Ref.Cds" || { echo "FAIL: the in-place sort differs from the sort into another file"; exit 1; }
echo "in-place sort: $full_ms ms"

old=0 new=0
for ((i = 1; i <= kills; i++)); do
  cp "$work/old.Cds" "$work/D/K.Cds"
  # 0 .. 110 % of the full time: now and then too late, on purpose.
  delay_ms=$(( RANDOM % (full_ms * 11 / 10 + 1) ))
  "$batch" sort 'D:\K.Cds' 'D:\K.Def' 'D:\K.Cds' 'D:\S.Def' --keys 3,1 > /dev/null 2>&1 &
  pid=$!
  sleep "$(printf '%d.%03d' $((delay_ms / 1000)) $((delay_ms % 1000)))"
  kill -KILL "$pid" 2> /dev/null || true
  wait "$pid" 2> /dev/null || true
  if cmp -s "$work/D/K.Cds" "$work/old.Cds"; then
    state=old; old=$((old + 1))
  elif cmp -s "$work/D/K.Cds" "$work/D/Ref.Cds"; then
    state=new; new=$((new + 1))
  else
    echo "kill $i after $delay_ms ms: FAIL, the file is neither the old nor the sorted one" \
         "($(stat -c %s "$work/D/K.Cds" 2> /dev/null || echo missing) bytes)"
    exit 1
  fi
  printf 'kill %2d after %5d ms: %s file\n' "$i" "$delay_ms" "$state"
done
# What a killed sort left behind goes with the next write of the file.
orphans=$(find "$work/D" -name '~K.Cds.*.tmp' | wc -l)
cp "$work/old.Cds" "$work/D/K.Cds"
sort_in_place
left=$(find "$work/D" -name '~K.Cds.*.tmp' | wc -l)
echo "kills: $kills, old file: $old, complete new file: $new"
echo "temporary files left by the kills: $orphans, after the next sort: $left"
[ "$left" -eq 0 ] || { echo "FAIL: orphan temporary files stayed"; exit 1; }
echo "PASS"
