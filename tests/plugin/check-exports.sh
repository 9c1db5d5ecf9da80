#!/usr/bin/env bash
# Checks what a built plug-in exports: its three entry points under their plain C names, and
# besides them only names of namespace tqannotations (classes, their type information, virtual
# tables and thunks). Anything else would be visible to the host and could clash with its own.
# Usage: check-exports.sh PLUGIN_LIBRARY
set -euo pipefail
library="$1"

# One name per line, without address and symbol type.
defined() { nm -D --defined-only "$@" "$library" | sed -E 's/^[0-9a-fA-F]* +[A-Za-z] +//'; }

plain="$(defined)"
status=0
for entry in TQDllInit TQDllTerminate TQDllCreateComponent; do
  if ! grep -qx "$entry" <<<"$plain"; then
    echo "missing or mangled entry point: $entry"
    status=1
  fi
done

allowed='^(TQDllInit|TQDllTerminate|TQDllCreateComponent)$'
allowed+='|^((typeinfo|typeinfo name|vtable|VTT) for |(virtual|non-virtual) thunk to )?tqannotations::'
stray="$(defined -C | grep -Ev "$allowed" || true)"
if [ -n "$stray" ]; then
  echo "exported beside the entry points and namespace tqannotations:"
  echo "$stray"
  status=1
fi
exit "$status"
