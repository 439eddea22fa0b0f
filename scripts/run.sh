#!/usr/bin/env bash
# Installs what is missing, builds the program folder and starts Delvix.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/build.sh build -DDELVIX_TESTS=OFF -DDELVIX_BENCH=OFF
exec ./build/Delvix/delvix "$@"
