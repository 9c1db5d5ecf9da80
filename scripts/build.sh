#!/usr/bin/env bash
# Configures and builds the project into a build folder.
# Usage: build.sh BUILD_DIR [CMAKE_ARGUMENTS...]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_dir="$1"
shift

"$root/scripts/ensure-packages.sh" g++ cmake ninja-build libxerces-c-dev libgtest-dev libgmock-dev libbenchmark-dev \
  libcurl4-openssl-dev
cmake -S "$root" -B "$build_dir" -G Ninja "$@" > "$build_dir.configure.log" 2>&1 || {
  cat "$build_dir.configure.log"
  exit 1
}
cmake --build "$build_dir" --parallel "$(nproc)"
