#!/usr/bin/env bash
# The USB path on a real kernel: boots a QEMU guest on the host's root file
# system (read-only, under a memory overlay), installs the Debian package
# there, plugs in the virtual box (klv820-usbbox, a USB device through
# dummy_hcd) and runs klv820ctl as a normal user against it over hidraw,
# comparing every report with the box's log; see real-kernel/guest.sh.
# Usage: test-real-kernel.sh [BUILD_DIR]. Exit 77 (skipped) when QEMU, the
# Debian kernel or busybox is missing.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "${1:-$here/../build}" && pwd)"

skip() { echo "real-kernel test: SKIPPED: $*"; exit 77; }
command -v qemu-system-x86_64 >/dev/null || skip "qemu-system-x86_64 missing (apt-get install qemu-system-x86)"
kernel="$(ls /boot/vmlinuz-*-amd64 2>/dev/null | sort -V | tail -n1 || true)"
[ -n "$kernel" ] && [ -r "$kernel" ] || skip "no Debian kernel in /boot (apt-get install linux-image-amd64)"
kver="${kernel#/boot/vmlinuz-}"
[ -d "/lib/modules/$kver" ] || skip "no modules for $kver"
[ -x /bin/busybox ] && /bin/busybox --list | grep -qx insmod || skip "busybox missing (apt-get install busybox-static)"
for t in cpack lintian systemd-udevd setpriv useradd; do
  command -v "$t" >/dev/null || [ -x "/lib/systemd/$t" ] || skip "$t missing"
done
[ -x "$build/bin/klv820-usbbox" ] || skip "klv820-usbbox not built (Linux only)"

work="$build/real-kernel"
rm -rf "$work"
mkdir -p "$work/initramfs"/{bin,modules,proc,sys,dev,lower,upper,newroot}

# The package, as a user installs it.
(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" >/dev/null)
deb="$(ls "$work"/package/*.deb | head -n1)"
echo "real-kernel test: package $(basename "$deb")"
if ! lintian --fail-on error "$deb"; then
  echo "real-kernel test: FAILED: lintian found errors in $(basename "$deb")"
  exit 1
fi

# A small initramfs: busybox, and what mounting the host's root needs.
cp /bin/busybox "$work/initramfs/bin/busybox"
cp "$here/real-kernel/init" "$work/initramfs/init"
: >"$work/initramfs/modules.order"
for m in virtio_pci 9pnet_virtio 9p overlay; do modprobe -S "$kver" --show-depends "$m"; done |
  awk '$1 == "insmod" && !seen[$2]++ {print $2}' | while read -r ko; do
  name="$(basename "$ko")"
  case "$ko" in
    *.xz) xz -dc "$ko" >"$work/initramfs/modules/${name%.xz}"; name="${name%.xz}" ;;
    *.zst) zstd -qdc "$ko" >"$work/initramfs/modules/${name%.zst}"; name="${name%.zst}" ;;
    *) cp "$ko" "$work/initramfs/modules/$name" ;;
  esac
  echo "$name" >>"$work/initramfs/modules.order"
done
(cd "$work/initramfs" && find . | cpio -o -H newc --quiet | gzip -1) >"$work/initramfs.gz"

cat >"$work/guest.env" <<ENV
KLV_BUILD=$build
KLV_DEB=$deb
KLV_SRC=$(cd "$here/.." && pwd)
ENV

console="$work/console.log"
set +e
timeout -k 10 "${KLV_GUEST_TIMEOUT:-420}" qemu-system-x86_64 -accel tcg -cpu max -m 1536 -smp 2 \
  -nodefaults -nographic -no-reboot -serial stdio -monitor none \
  -kernel "$kernel" -initrd "$work/initramfs.gz" \
  -append "console=ttyS0 panic=-1 quiet loglevel=3 klv.script=$here/real-kernel/guest.sh klv.env=$work/guest.env" \
  -fsdev local,id=root,path=/,security_model=none,readonly=on,multidevs=remap \
  -device virtio-9p-pci,fsdev=root,mount_tag=hostroot </dev/null | tee "$console"
rc=${PIPESTATUS[0]}
set -e
[ "$rc" -eq 124 ] && echo "real-kernel test: FAILED: the guest did not finish in time"
if grep -q '^REAL-KERNEL: PASS' "$console"; then
  echo "real-kernel test: passed"
  exit 0
fi
echo "real-kernel test: FAILED (console log: $console)"
exit 1
