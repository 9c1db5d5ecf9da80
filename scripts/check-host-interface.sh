#!/usr/bin/env bash
# Checks the plug-in's two faces in the default build (g++, optimised) against two kept lists:
#  - host/plugin-imports.txt: every symbol libtqannotations.so takes from the stand-in host's
#    libraries must be listed there, since the application offers only those; a symbol that only
#    the stand-in has would not link inside the application.
#  - plugin/exports.txt: the plug-in's own exported names; the application finds the plug-in's
#    classes by them, so one that appears, or goes, changes what the application links against.
# Names are compared demangled, one a line, sorted. Usage: check-host-interface.sh [BUILD_DIR]
# With --update it rewrites both lists from the build instead (review the diff before committing).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
update=false
if [ "${1:-}" = "--update" ]; then
  update=true
  shift
fi
build_dir="${1:-$root/build}"
lib="$build_dir/lib"
host_libs=(tqkutils tqg tqk tqmk illtqmk tqann tqk_illustration illmoduleutils)

# Dynamic symbols of a library, one mangled name a line: `nm_names defined|undefined FILE`.
nm_names() {
  nm -D "--$1-only" "$2" | awk '{ print $NF }' | sed 's/@.*//' | sort -u
}

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

for host_lib in "${host_libs[@]}"; do
  nm_names defined "$lib/lib$host_lib.so"
done | sort -u > "$scratch/host"
nm_names undefined "$lib/libtqannotations.so" > "$scratch/wanted"
comm -12 "$scratch/wanted" "$scratch/host" | c++filt | LC_ALL=C sort -u > "$scratch/imports"

# The exported interface: the plug-in's own classes and its entry points, as strong symbols.
# Weak ones (inline functions, instances of templates) come and go with the compiler and its
# optimisation, so they are left out.
nm -D --defined-only "$lib/libtqannotations.so" | awk '$2 ~ /^[TDRB]$/ { print $3 }' | c++filt |
  grep -E '^((vtable|typeinfo|typeinfo name|VTT|construction vtable) for )?(tqannotations::|TQDll)' |
  LC_ALL=C sort -u > "$scratch/exports"

if $update; then
  cp "$scratch/imports" "$root/host/plugin-imports.txt"
  cp "$scratch/exports" "$root/plugin/exports.txt"
  exit 0
fi

status=0
# Lines of the build's list that the kept list does not have.
unlisted() { LC_ALL=C comm -23 "$1" <(LC_ALL=C sort -u "$2"); }

extra_imports="$(unlisted "$scratch/imports" "$root/host/plugin-imports.txt")"
if [ -n "$extra_imports" ]; then
  echo "The plug-in uses host symbols that host/plugin-imports.txt does not list:" >&2
  sed 's/^/  /' <<< "$extra_imports" >&2
  echo "Use what the application offers instead; list a symbol only when the application has it." >&2
  status=1
fi
extra_exports="$(unlisted "$scratch/exports" "$root/plugin/exports.txt")"
lost_exports="$(LC_ALL=C comm -13 "$scratch/exports" <(LC_ALL=C sort -u "$root/plugin/exports.txt"))"
if [ -n "$extra_exports$lost_exports" ]; then
  echo "The plug-in's exported names differ from plugin/exports.txt:" >&2
  [ -z "$extra_exports" ] || sed 's/^/  + /' <<< "$extra_exports" >&2
  [ -z "$lost_exports" ] || sed 's/^/  - /' <<< "$lost_exports" >&2
  status=1
fi
[ "$status" -eq 0 ] && echo "Host interface: $(wc -l < "$scratch/imports") host symbols used, all offered;" \
  "$(wc -l < "$scratch/exports") exported names as listed."
exit "$status"
