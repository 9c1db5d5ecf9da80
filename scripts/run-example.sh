#!/usr/bin/env bash
# Builds the plug-in and runs the program that plays the host application: with arguments as
# given, without them twice, saving a callout document in the first run and loading it in the
# second.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
log="$root/build.log"
if ! "$root/scripts/build.sh" "$root/build" -DTQ_BUILD_TESTS=OFF > "$log" 2>&1; then
  cat "$log" >&2
  exit 1
fi
if [ $# -gt 0 ]; then
  exec "$root/build/bin/tqhost-demo" "$@"
fi
# Two runs, as two sessions of the host: the first saves its callouts, the second loads them.
document="$root/build/callout-document.xml"
"$root/build/bin/tqhost-demo" --save "$document"
exec "$root/build/bin/tqhost-demo" --load "$document"
