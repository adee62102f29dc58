#!/usr/bin/env bash
# Checks the layering: the core includes nothing of usb/ or gui/ and no
# system HID header, the core's folders include each other without cycles,
# and the core's test programs run without hidapi and libudev.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
fail=0

if grep -rnE '#include ["<](usb/|gui/|hidapi|libudev)' src/core; then
  echo "layer check: the core includes a higher layer or the system's HID layer"; fail=1
fi

# Edges "from to" between the core's folders; tsort reports a loop.
edges=$(grep -rhoE '^#include "core/[a-z]+/' src/core --with-filename |
  sed -E 's#^src/core/([a-z]+)/[^:]*:\#include "core/([a-z]+)/#\1 \2#' | awk '$1 != $2' | sort -u)
if ! loops=$(printf '%s\n' "$edges" | tsort 2>&1 >/dev/null); then
  echo "$loops"; echo "layer check: the core's folders include each other in a cycle"; fail=1
fi

if command -v ldd >/dev/null && [ -d "$build/tests" ]; then
  for src in tests/core/*/tst_*.cpp; do
    exe="$build/tests/$(basename "$src" .cpp)"
    [ -x "$exe" ] || continue
    if ldd "$exe" | grep -qE 'libhidapi|libudev'; then
      echo "layer check: $exe links the system's HID libraries"; fail=1
    fi
  done
fi

if [ "$fail" -ne 0 ]; then echo "layer check: FAILED"; exit 1; fi
echo "layer check: layers in order"
