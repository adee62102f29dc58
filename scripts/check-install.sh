#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks that every file is in
# its place and valid.
set -euo pipefail
build="${1:-build}"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
fail=0
for f in \
  bin/klv820 bin/klv820ctl bin/klv820pictures.so \
  lib/udev/rules.d/70-klv820.rules \
  share/applications/org.dravik.klv820.desktop \
  share/metainfo/org.dravik.klv820.metainfo.xml \
  share/icons/hicolor/scalable/apps/org.dravik.klv820.svg \
  share/icons/hicolor/256x256/apps/org.dravik.klv820.png; do
  if [ ! -e "$prefix/$f" ]; then echo "install check: missing $f"; fail=1; fi
done
rules="$prefix/lib/udev/rules.d/70-klv820.rules"
for p in 0801 0802; do
  grep -q "ATTRS{idProduct}==\"$p\".*TAG+=\"uaccess\"" "$rules" || { echo "install check: rule for $p missing"; fail=1; }
done
grep -q 'SUBSYSTEM=="hidraw"' "$rules" || { echo "install check: rule not for hidraw"; fail=1; }
grep -q 'ACTION=="add|change"' "$rules" || { echo "install check: rule not applied on add and change"; fail=1; }
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/org.dravik.klv820.desktop" || fail=1
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/org.dravik.klv820.metainfo.xml" >/dev/null || {
    appstreamcli validate --no-net "$prefix/share/metainfo/org.dravik.klv820.metainfo.xml"; fail=1; }
fi
for m in 'usb:vFEFFp0801d\*' 'usb:vFEFFp0802d\*'; do
  grep -q "<modalias>$m</modalias>" "$prefix/share/metainfo/org.dravik.klv820.metainfo.xml" || { echo "install check: modalias $m missing"; fail=1; }
done
# The installed klv820ctl runs, and finds its picture module for drawing.
ctl() { XDG_CONFIG_HOME="$prefix/config" QT_QPA_PLATFORM=offscreen "$prefix/bin/klv820ctl" --folder "$prefix" "$@"; }
if ! ctl init >/dev/null || ! ctl dump >/dev/null || ! ctl plan --png "$prefix/plan.png" >/dev/null; then
  echo "install check: the installed klv820ctl failed"; fail=1
fi
if [ "$fail" -ne 0 ]; then echo "install check: FAILED"; exit 1; fi
echo "install check: all files in place"
