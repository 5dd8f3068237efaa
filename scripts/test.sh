#!/usr/bin/env bash
# Builds everything in Release and runs every test, then builds the core with
# AddressSanitizer and UndefinedBehaviorSanitizer and runs its tests again.
# Any failure stops with a non-zero exit code.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
bash scripts/ensure-packages.sh

echo "== Release build"
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVO_WERROR=ON
cmake --build build/release
(cd build/release && ctest -j2 --output-on-failure)

echo "== Sanitizer build (core)"
cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DORVO_WERROR=ON \
  -DORVO_SANITIZE=ON -DORVO_CORE_ONLY=ON
cmake --build build/sanitize
(cd build/sanitize && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest -j2 --output-on-failure)
echo "== All tests passed"
