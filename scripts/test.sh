#!/usr/bin/env bash
# Installs what is missing, builds KESTRIX with its tests and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh test
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKESTRIX_BENCHMARKS=ON
cmake --build build-test
ctest --test-dir build-test --output-on-failure
tests/e2e/run.sh build-test/src/kestrix
