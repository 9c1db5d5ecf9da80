#!/usr/bin/env bash
# Builds everything (tests and benchmarks) and runs all tests with CTest.
# Usage: run-tests.sh [BUILD_DIR [CMAKE_ARGUMENTS...]]   (default build folder: build)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_dir="${1:-$root/build}"
[ $# -gt 0 ] && shift
"$root/scripts/build.sh" "$build_dir" -DTQ_BUILD_TESTS=ON -DTQ_BUILD_BENCHMARKS=ON "$@"
cd "$build_dir"
ctest --output-on-failure --parallel "$(nproc)" --timeout 300
