#!/usr/bin/env bash
# Compiles every source file for Windows, syntax only, with mingw-w64 against
# Debian's Qt headers (Debian has no Qt for Windows), so code that cannot build
# on Windows is caught here. Needs the generated ui_*.h of BUILD_DIR.
# Usage: check-windows-syntax.sh [BUILD_DIR]. Exit 77 (skipped) without
# mingw-w64.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
cxx=x86_64-w64-mingw32-g++-posix
if ! command -v "$cxx" >/dev/null; then
  echo "windows syntax check: SKIPPED: $cxx missing (apt-get install g++-mingw-w64-x86-64-posix)"
  exit 77
fi
qt=/usr/include/x86_64-linux-gnu/qt6
flags=(-std=c++20 -fsyntax-only -Wno-attributes -DUNICODE -D_UNICODE
  -DQT_CORE_LIB -DQT_GUI_LIB -DQT_WIDGETS_LIB -DQT_SVG_LIB -DQT_NETWORK_LIB -DQT_DISABLE_DEPRECATED_UP_TO=0x060000
  -Isrc -Itools -I/usr/include/hidapi -I"$qt")
for m in QtCore QtGui QtWidgets QtSvg QtNetwork; do flags+=(-I"$qt/$m"); done
while IFS= read -r d; do flags+=(-I"$d"); done < <(find "$build" -type d -path '*_autogen/include' | sort)
# Everything but the Linux-only files.
mapfile -t files < <(find src tools/klv820ctl -name '*.cpp' ! -name '*_linux.cpp' | sort)
log="$(mktemp)"
# Third-party C headers the sources use (libexif), without the rest of
# /usr/include, which holds the Linux C library's headers.
extra="$(mktemp -d)"
trap 'rm -rf "$log" "$extra"' EXIT
[ -d /usr/include/libexif ] && ln -s /usr/include/libexif "$extra/libexif"
flags+=(-isystem "$extra")
printf '%s\n' "${files[@]}" |
  xargs -P "$(nproc)" -I{} sh -c '"$0" "$@" {} 2>&1 || echo "windows syntax check: {} FAILED"' "$cxx" "${flags[@]}" >"$log"
if grep -q 'FAILED$' "$log"; then
  cat "$log"
  echo "windows syntax check: FAILED"
  exit 1
fi
echo "windows syntax check: ${#files[@]} files compile for Windows"
