#!/usr/bin/env bash
# Installs, builds and starts the game.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh release
exec build/release/bin/kotou "$@"
