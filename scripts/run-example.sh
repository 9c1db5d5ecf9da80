#!/usr/bin/env bash
# Builds the plug-in and runs the program that plays the host application.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/build.sh" "$root/build" -DTQ_BUILD_TESTS=OFF > /dev/null
exec "$root/build/bin/tqhost-demo" "$@"
