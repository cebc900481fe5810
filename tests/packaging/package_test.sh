#!/usr/bin/env bash
# The Debian package of a build tree: its files, control fields, desktop
# entry, AppStream data and lintian's verdict; then installed with dpkg into
# a scratch root and run from there with HOME in a temporary folder: the
# settings, the ports, the log files and nothing else go to the user's data
# folder.
set -euo pipefail
build=$1
work=$(mktemp -d)
sim=
cleanup() { [ -n "$sim" ] && kill "$sim" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$work/out" >/dev/null)
deb=$(ls "$work"/out/velkscope_*_amd64.deb)
app=io.velkscope.Velkscope

list=$(dpkg-deb -c "$deb" | awk '{print $6}')
for f in usr/bin/velkscope usr/bin/velkdump usr/bin/velksim usr/lib/velkscope/velkscope \
         usr/lib/velkscope/velkdump usr/lib/velkscope/velksim usr/lib/velkscope/HDLC.msg \
         usr/lib/velkscope/velkscope.installed usr/share/applications/$app.desktop \
         usr/share/metainfo/$app.metainfo.xml usr/share/icons/hicolor/scalable/apps/$app.svg \
         usr/share/icons/hicolor/48x48/apps/$app.png usr/share/icons/hicolor/256x256/apps/$app.png \
         usr/share/man/man1/velkscope.1.gz usr/share/man/man1/velkdump.1.gz usr/share/man/man1/velksim.1.gz \
         usr/share/doc/velkscope/copyright usr/share/doc/velkscope/changelog.gz \
         usr/lib/x86_64-linux-gnu/wireshark/extcap/velkscope-extcap; do
  grep -qx "./$f" <<<"$list" || fail "the package lacks /$f"
done
[ "$(dpkg-deb -f "$deb" Package Architecture Section)" = $'Package: velkscope\nArchitecture: amd64\nSection: electronics' ] ||
  fail "control fields: $(dpkg-deb -f "$deb" Package Architecture Section)"
depends=$(dpkg-deb -f "$deb" Depends)
for d in libqt6widgets6 libqt6printsupport6 libqt6core6 qt6-qpa-plugins fonts-ipafont-gothic; do
  grep -q "$d" <<<"$depends" || fail "Depends lacks $d: $depends"
done

dpkg-deb -x "$deb" "$work/x"
desktop-file-validate "$work/x/usr/share/applications/$app.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$work/x/usr/share/metainfo/$app.metainfo.xml" >"$work/appstream" 2>&1 ||
  fail "appstreamcli: $(cat "$work/appstream")"
lintian --tag-display-limit 0 "$deb" >"$work/lintian" 2>&1 || true
! grep -q '^E:' "$work/lintian" || fail "lintian: $(grep '^E:' "$work/lintian")"

# Installed into a scratch root, as dpkg installs it.
root=$work/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
touch "$root/var/lib/dpkg/status"
dpkg --root="$root" --force-depends --force-not-root -i "$deb" >/dev/null
find "$root/usr" -printf '%p %s %T@\n' | sort >"$work/usr-before"

export HOME=$work/home ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen
unset XDG_DATA_HOME VELKSCOPE_HOME VELKSCOPE_PORTS
mkdir -p "$HOME"
data=$HOME/.local/share/velkscope
for p in velkscope velkdump velksim; do
  [ "$("$root/usr/bin/$p" --version)" = "$p $(dpkg-deb -f "$deb" Version)" ] || fail "$p --version"
done

printf 'TX[12:00:00.000]00017F6454\r\nRX[12:00:00.050]020173B02B\r\n' >"$work/calls.vkt"
"$root/usr/bin/velkdump" "$work/calls.vkt" -o "$work/calls.txt" || fail "the installed velkdump"
grep -q 'INDEX=000001' "$work/calls.txt" || fail "velkdump wrote: $(cat "$work/calls.txt")"

# The installed simulator links COM1 in the data folder; the installed
# program finds it there on its first tick and writes velk.opt when ended.
"$root/usr/bin/velksim" --port 1 --quiet &
sim=$!
for _ in $(seq 100); do [ -L "$data/ports/COM1" ] && break; sleep 0.1; done
[ -L "$data/ports/COM1" ] || fail "velksim made no link in $data/ports"
"$root/usr/bin/velkscope" &
program=$!
sleep 3
kill -TERM "$program"
wait "$program" || fail "velkscope ended with status $?"
[ -s "$data/velk.opt" ] || fail "no velk.opt in $data: $(ls -la "$data")"

# Ring buffer and log file on (the monitor options' switches in velk.opt),
# then an unattended start: dated log files appear in the data folder.
printf '\001\001' | dd of="$data/velk.opt" bs=1 seek=293 conv=notrunc status=none
"$root/usr/bin/velkscope" --start &
program=$!
for _ in $(seq 150); do compgen -G "$data/*.log" >/dev/null && [ -s "$(ls "$data"/*.log | head -1)" ] && break; sleep 0.1; done
kill -TERM "$program"
wait "$program" || fail "velkscope --start ended with status $?"
log=$(ls "$data"/*.log 2>/dev/null | head -1 || true)
[ -s "$log" ] || fail "no log file in $data: $(ls -la "$data")"
[[ $(basename "$log") =~ ^[0-9]{14}\.log$ ]] || fail "log file name $(basename "$log")"
grep -qa '^[TR]X\[' "$log" || fail "the log file holds no records: $(head -c 200 "$log")"

find "$root/usr" -printf '%p %s %T@\n' | sort >"$work/usr-after"
cmp -s "$work/usr-before" "$work/usr-after" || fail "written under /usr: $(diff "$work/usr-before" "$work/usr-after")"
echo "package: $(basename "$deb") checked"
