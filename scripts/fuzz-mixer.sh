#!/usr/bin/env bash
# Fuzzes the mixer's wave loader with libFuzzer for a bounded time.
#   scripts/fuzz-mixer.sh [seconds]      (default 60)
# Builds with clang in build/fuzz. Inputs that crash are copied into
# tests/mixer/data/fuzz-regressions/, which the mixer tests load every run.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
build=build/fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DKOTOU_BUILD_GUI=OFF -DKOTOU_BUILD_TESTS=OFF -DKOTOU_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target fuzz_wave_loader

corpus="$build/wave-corpus"
artifacts="$build/artifacts"
mkdir -p "$corpus" "$artifacts"
cp tests/mixer/data/*.wav "$corpus"/

status=0
"$build/bin/fuzz_wave_loader" -max_total_time="$seconds" -rss_limit_mb=2048 -max_len=4096 \
  -artifact_prefix="$artifacts/" "$corpus" || status=$?

if compgen -G "$artifacts/*" >/dev/null; then
  mkdir -p tests/mixer/data/fuzz-regressions
  cp "$artifacts"/* tests/mixer/data/fuzz-regressions/
  echo "Findings copied to tests/mixer/data/fuzz-regressions/" >&2
  exit 1
fi
exit "$status"
