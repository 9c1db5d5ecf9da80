#!/usr/bin/env bash
# Builds everything (tests and benchmarks), checks in the default build that the plug-in uses
# only what the host offers and exports the names it should, and runs all tests with CTest.
# Usage: run-tests.sh [BUILD_DIR [CMAKE_ARGUMENTS...]]   (default build folder: build)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_dir="${1:-$root/build}"
[ $# -gt 0 ] && shift
"$root/scripts/build.sh" "$build_dir" -DTQ_BUILD_TESTS=ON -DTQ_BUILD_BENCHMARKS=ON "$@"
# The lists hold what the default build links; another compiler, optimisation or sanitizer emits
# tables, thunks and inline copies of its own, so builds with arguments of their own are not checked.
[ $# -eq 0 ] && "$root/scripts/check-host-interface.sh" "$build_dir"
cd "$build_dir"
ctest --output-on-failure --parallel "$(nproc)" --timeout 300
