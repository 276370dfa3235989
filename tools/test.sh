#!/usr/bin/env bash
# Builds Tarvel with warnings as errors and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh debian-packages.txt debian-test-packages.txt
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVEL_WERROR=ON >/dev/null
cmake --build build --parallel "$(nproc)"
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)"
cd ..
tools/package.sh
