#!/usr/bin/env bash
# Builds the plug-in and runs the program that plays the host application.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
log="$root/build.log"
if ! "$root/scripts/build.sh" "$root/build" -DTQ_BUILD_TESTS=OFF > "$log" 2>&1; then
  cat "$log" >&2
  exit 1
fi
exec "$root/build/bin/tqhost-demo" "$@"
