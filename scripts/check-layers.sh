#!/usr/bin/env bash
# Keeps the floors of the source tree: a folder of src/core includes only from
# its own folder and the folders below it, core includes no Qt, and the
# Qt-free parts outside core (the table viewer's model) include no Qt or
# window code. Prints every offending include; exits 1 when there is one.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top/src"

# The floors of core from the bottom up.
floors=(sys data shell office output screens accounting reports desk app)
declare -A rank
for i in "${!floors[@]}"; do rank[${floors[$i]}]=$i; done

bad=0
say() { echo "layer check: $*" >&2; bad=1; }

while IFS= read -r -d '' file; do
  folder=${file#core/}; folder=${folder%%/*}
  if [[ -z ${rank[$folder]+x} ]]; then
    say "$file: core/$folder is not a known floor (${floors[*]})"
    continue
  fi
  while IFS=: read -r line text; do
    target=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]+)".*/\1/' <<<"$text")
    case $target in
      core/*)
        to=${target#core/}; to=${to%%/*}
        if [[ -z ${rank[$to]+x} ]]; then
          say "$file:$line includes $target from an unknown floor"
        elif ((rank[$to] > rank[$folder])); then
          say "$file:$line includes $target from a higher floor (core/$folder may use only ${floors[*]:0:$((rank[$folder] + 1))})"
        fi
        ;;
      *) say "$file:$line includes $target from outside core" ;;
    esac
  done < <(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file" || true)
  if grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<Q' "$file" >/dev/null; then
    say "$file includes Qt ($(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<Q' "$file" | head -n 1))"
  fi
done < <(find core \( -name '*.h' -o -name '*.cpp' \) -print0 | sort -z)

# The table viewer's model is Qt-free like core.
for file in tools/tabview/viewer_table.h tools/tabview/viewer_table.cpp; do
  if grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*(<Q|"gui/|"paint/)' "$file"; then
    say "$file includes Qt or window code"
  fi
done

# Report painting needs Qt's GUI module only, never the windows.
while IFS= read -r -d '' file; do
  if grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*(<Q(Widget|Dialog|Application|MainWindow|Printer)|"gui/)' "$file"; then
    say "$file (report painting) includes the widgets"
  fi
done < <(find paint -name '*.h' -print0 -o -name '*.cpp' -print0)

# The command-line program links no widgets.
if grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"gui/' cli; then
  say "orvo-batch includes window code"
fi

if ((bad)); then exit 1; fi
echo "layer check: every include keeps its floor"
