#!/bin/bash
# Runs inside the QEMU guest as root, on the host's file system under a memory
# overlay (see init). Installs the package, starts udev with the packaged
# rule, plugs in the virtual box and runs klv820ctl as a normal user against
# it over hidraw; every exchange is compared with the box's own log, report by
# report. Prints "REAL-KERNEL: PASS" when every check held.
set -u
# shellcheck disable=SC1090
. "$1"
export PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8
# udevadm refuses to work in a chroot; this one is the whole system.
export SYSTEMD_IGNORE_CHROOT=1
trap '' PIPE
failures=0
ok() { echo "ok - $*"; }
fail() { echo "FAIL - $*"; failures=$((failures + 1)); }

mount -t tmpfs tmpfs /run
mount -t tmpfs tmpfs /tmp
mount -t devpts devpts /dev/pts 2>/dev/null
modprobe -a configfs hid hid-generic usbhid uhid dummy_hcd libcomposite usb_f_hid || fail "loading the USB modules"
mount -t configfs configfs /sys/kernel/config

dpkg -i "$KLV_DEB" >/tmp/dpkg.log 2>&1 && ok "dpkg -i $(basename "$KLV_DEB")" || { cat /tmp/dpkg.log; fail "dpkg -i"; }
[ -f /usr/lib/udev/rules.d/70-klv820.rules ] && ok "the package holds the udev rule" || fail "no udev rule installed"

# What logind would record for a user sitting at the machine: the udev rule's
# uaccess tag gives that user access to the box.
useradd -m -d /home/klvtest -s /bin/bash klvtest || fail "useradd"
uid=$(id -u klvtest)
mkdir -p /run/systemd/seats
printf 'ACTIVE=c1\nACTIVE_UID=%s\n' "$uid" >/run/systemd/seats/seat0
/lib/systemd/systemd-udevd --daemon || fail "starting systemd-udevd"
udevadm settle -t 20

as_user() { setpriv --reuid="$uid" --regid="$uid" --init-groups env HOME=/home/klvtest QT_QPA_PLATFORM=offscreen "$@"; }

# The box: commands through a fifo, every report into box.log.
log=/tmp/box.log
: >"$log"
mkfifo /tmp/box.ctl
"$KLV_BUILD/bin/klv820-usbbox" --log "$log" --state /tmp/box.json </tmp/box.ctl >/tmp/box.out 2>&1 &
box_pid=$!
exec 3>/tmp/box.ctl
box() { echo "$1" >&3; sleep 0.3; udevadm settle -t 20; }
udevadm settle -t 20
wait_node() {
  for _ in $(seq 100); do
    node=$(grep -l 'HID_ID=0003:0000FEFF:0000080[12]' /sys/class/hidraw/*/device/uevent 2>/dev/null | head -n1)
    [ -n "$node" ] && { node="/dev/$(basename "$(dirname "$(dirname "$node")")")"; [ -e "$node" ] && return 0; }
    sleep 0.1
  done
  return 1
}
wait_node && ok "the box appears as $node" || { fail "no hidraw node for the box"; cat /tmp/box.out; }
udevadm settle -t 20
as_user test -r "$node" -a -w "$node" && ok "the user may open $node (uaccess)" || {
  fail "the user may not open $node"; ls -l "$node"; getfacl "$node" 2>/dev/null; }

folder=/home/klvtest/inst
as_user mkdir -p "$folder"
as_user /usr/bin/klv820ctl --folder "$folder" init >/dev/null || fail "klv820ctl init"
python3 - "$folder" "$uid" <<'PY' || fail "preparing the installation"
import json, subprocess, sys
folder, uid = sys.argv[1], sys.argv[2]
ctl = ["setpriv", "--reuid=" + uid, "--regid=" + uid, "--init-groups", "env", "HOME=/home/klvtest",
       "/usr/bin/klv820ctl", "--folder", folder]
j = json.loads(subprocess.run(ctl + ["dump"], check=True, capture_output=True).stdout)
room = j["rooms"][0]
room["name"] = "Kitchen"
room["devices"][0].update(name="Lamp", code=0x21, codeSchijf=0)
room["devices"][1].update(name="Spot", code=0x42, codeSchijf=1, dimbaar=1, dimNiveau=5)
j["scenes"][0]["name"] = "Evening"
j["scenes"][0]["items"][0].update(ruimte=0, apparaat=1, waarde=9)
j["programme"] = [dict(ruimte=0, apparaat=0, maand=13, dagDatum=130, uur=7, minuut=30, zonTijd=0,
                       random=0, aktie=17, aangemaakt=46000.5)]
open("/tmp/inst.json", "w").write(json.dumps(j))
subprocess.run(ctl + ["import", "/tmp/inst.json"], check=True)
PY

# Runs klv820ctl as the user with --trace; the reports it wrote and read must
# be the ones the box received and answered, in the same order.
step() {
  local want=$1 name=$2
  shift 2
  local before after
  before=$(wc -l <"$log")
  as_user /usr/bin/klv820ctl --folder "$folder" --trace "$@" >/tmp/out.txt 2>/tmp/err.txt
  local rc=$?
  grep -E '^(> |< )' /tmp/err.txt >/tmp/trace.txt
  local n
  n=$(wc -l </tmp/trace.txt)
  for _ in $(seq 50); do
    after=$(wc -l <"$log")
    [ $((after - before)) -ge "$n" ] && break
    sleep 0.1
  done
  tail -n +$((before + 1)) "$log" >/tmp/boxpart.txt
  if [ "$rc" -ne "$want" ]; then
    fail "$name: exit $rc, expected $want"; cat /tmp/out.txt; grep -vE '^(> |< )' /tmp/err.txt
  elif [ "$n" -eq 0 ] && [ "$want" -eq 0 ]; then
    fail "$name: no report crossed the link"
  elif ! diff -q /tmp/trace.txt /tmp/boxpart.txt >/dev/null; then
    fail "$name: the reports differ from the box's log"; diff /tmp/trace.txt /tmp/boxpart.txt | head -n 20
  elif grep -q '^< timeout' /tmp/err.txt; then
    fail "$name: a read timed out"
  else
    ok "$name ($n reports, each as the box saw it)"
  fi
}

step 0 "status" status
grep -qx 'product id: 2050' /tmp/out.txt && grep -qx 'version: 1.1' /tmp/out.txt &&
  grep -qx 'product string: KLV-820' /tmp/out.txt && grep -qx 'expected firmware: yes' /tmp/out.txt &&
  ok "status: product 2050, version 1.1 (bcdDevice), product string KLV-820" || { fail "status output"; cat /tmp/out.txt; }
step 1 "verify before send finds differences" verify
step 0 "send" send
step 0 "verify after send" verify
step 0 "switch 0 0 on" switch 0 0 on
grep -q '^> 00 5a 21 23 05' /tmp/trace.txt && ok "switch report 5a 21 23 05" || fail "switch report"
step 0 "switch 0 1 dim 12" switch 0 1 dim 12
step 0 "scene 0" scene 0
step 0 "clock --set-now" clock --set-now

# The desktop program's window (offscreen) follows unplug and plug through
# the udev monitor: it finds the box, reports it gone, and connects again.
# setpriv and env exec, so $! is the window's own process.
setpriv --reuid="$uid" --regid="$uid" --init-groups env HOME=/home/klvtest QT_QPA_PLATFORM=offscreen \
  "$KLV_BUILD/bin/klv820-linkwatch" >/tmp/watch.txt 2>/tmp/watch.err &
watch_pid=$!
seen() { for _ in $(seq 600); do [ "$(grep -c "$1" /tmp/watch.txt)" -ge "$2" ] && return 0; sleep 0.1; done; return 1; }
seen '^link: ready, connected' 1 && ok "the window connects to the box at start" || fail "the window did not connect"
box unplug
seen '^link: no box' 1 && ok "the window notices the unplug" || fail "the window missed the unplug"
grep -q '^message: .*not connected' /tmp/watch.txt && ok "the window says the box is not connected" ||
  fail "no message after the unplug"
before=$(wc -l <"$log")
box plug
seen '^link: ready, connected' 2 && ok "the window notices the plug and connects again" ||
  fail "the window missed the plug"
sleep 0.5
tail -n +$((before + 1)) "$log" | grep -q '^> 00 54' && tail -n +$((before + 1)) "$log" | grep -q '^> 00 64' &&
  ok "after the plug the box got its clock and the address check" || fail "no arrival sequence after the plug"
kill "$watch_pid" 2>/dev/null
wait "$watch_pid" 2>/dev/null
grep -v 'window masks\|XDG_RUNTIME_DIR' /tmp/watch.err

# Loader identity: flash runs the whole update over hidraw, and the box comes
# back (found again through the udev monitor) with the expected firmware.
box loader
wait_node && ok "the box is back in its loader as $node" || fail "no loader node"
grep -q 'HID_ID=0003:0000FEFF:00000801' /sys/class/hidraw/"$(basename "$node")"/device/uevent &&
  ok "the loader is product 0801" || fail "the loader is not product 0801"
step 1 "send refused while the box needs an update" send
step 0 "flash" flash
udevadm settle -t 20
step 0 "status after flash" status
grep -qx 'version: 1.1' /tmp/out.txt && grep -qx 'expected firmware: yes' /tmp/out.txt &&
  ok "the box runs 1.1 again" || { fail "the box did not come back with 1.1"; cat /tmp/out.txt; }

# Without the rule the user may not open the box, and is told which rule is
# missing.
ln -s /dev/null /etc/udev/rules.d/70-klv820.rules
udevadm control --reload
box unplug
box plug
wait_node
udevadm settle -t 20
as_user /usr/bin/klv820ctl --folder "$folder" status >/tmp/out.txt 2>/tmp/err.txt
rc=$?
if [ "$rc" -eq 1 ] && grep -q '70-klv820.rules' /tmp/err.txt; then
  ok "without the rule: exit 1 naming 70-klv820.rules"
else
  fail "without the rule: exit $rc"; cat /tmp/out.txt /tmp/err.txt
fi
rm /etc/udev/rules.d/70-klv820.rules
udevadm control --reload

echo quit >&3
exec 3>&-
wait "$box_pid"

# The same box through uhid: listed with its vendor, product and name, but
# the kernel does not pass a uhid device's version on to hidraw, so the link
# sees version 0.0 and asks for a firmware update.
"$KLV_BUILD/bin/klv820-usbbox" --face uhid --log /tmp/uhid.log </tmp/box.ctl >/tmp/uhid.out 2>&1 &
box_pid=$!
exec 3>/tmp/box.ctl
udevadm settle -t 20
wait_node && ok "the uhid box appears as $node" || { fail "no hidraw node for the uhid box"; cat /tmp/uhid.out; }
udevadm settle -t 20
as_user /usr/bin/klv820ctl --folder "$folder" status >/tmp/out.txt 2>/tmp/err.txt
grep -qx 'product id: 2050' /tmp/out.txt && grep -qx 'product string: KLV-820' /tmp/out.txt &&
  grep -qx 'version: 0.0' /tmp/out.txt && ok "uhid: product 2050, KLV-820, version 0.0" || {
  fail "uhid status"; cat /tmp/out.txt /tmp/err.txt; }
echo quit >&3
exec 3>&-
wait "$box_pid"
if [ "$failures" -eq 0 ]; then echo "REAL-KERNEL: PASS"; else echo "REAL-KERNEL: FAIL ($failures)"; fi
