#!/usr/bin/env bash
# Builds Tarvel and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh debian-packages.txt
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --parallel "$(nproc)" --target tarvel tarvel-cli shipped_db
exec build/bin/tarvel "$@"
