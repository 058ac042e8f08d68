#!/usr/bin/env bash
# Installs, builds and runs the whole test suite: first the optimised build,
# then the same tests built with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs="$(nproc)"

scripts/setup.sh release
scripts/check-format.sh
scripts/check-layers.sh
ctest --preset release -j "$jobs"

echo "== The same tests under AddressSanitizer + UndefinedBehaviorSanitizer =="
scripts/setup.sh asan
ctest --preset asan -j "$jobs"
