#!/usr/bin/env bash
# Whole-process timing of velkdump's export of a realistic 30000-frame trace.
# The trace is captured live: velksim at full speed, velkdump --capture.
# Then the same trace passed 34 times (1,020,000 frames) with details against
# tshark -V over the same frames as one pcap file (the median of 3 runs of
# each), and velkdump's peak resident memory over it passed 334 times
# (10,020,000 frames).
#   bench/velkdump-bench.sh BIN_DIR [RUNS]
set -euo pipefail
bin=$(cd "${1:?bin folder}" && pwd)
runs=${2:-9}
work=$(mktemp -d)
trap 'kill "$sim" 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$work"' EXIT
export VELKSCOPE_PORTS=$work

"$bin/velksim" --port 1 --seed 1 --rate-fps 0 --quiet >"$work/sim.out" 2>&1 &
sim=$!
for _ in $(seq 100); do [ -e "$work/COM1" ] && break; sleep 0.05; done
"$bin/velkdump" --capture 1 --count 30000 -o "$work/trace.vkt"
echo "trace: $(grep -c '^[TR]X\[' "$work/trace.vkt") frames, $(stat -c %s "$work/trace.vkt") bytes"

# The median of RUNS whole-process runs of a command, in milliseconds. The
# command writes to $out, which is removed before each run outside the
# timing (so no run pays for dropping the last run's file).
median_ms() {
  local times=()
  for _ in $(seq "$runs"); do
    local t0 t1
    rm -f "$out"
    t0=$(date +%s%N)
    "$@" >/dev/null
    t1=$(date +%s%N)
    times+=($(( (t1 - t0) / 1000000 )))
  done
  printf '%s\n' "${times[@]}" | sort -n | sed -n "$(( (runs + 1) / 2 ))p"
}
# tshark writes its text to standard output: into $out as well.
tshark_to_out() { tshark "$@" >"$out"; }

out=$work/out.txt
nodetails=$(median_ms "$bin/velkdump" "$work/trace.vkt" -o "$out" --no-details)
echo "velkdump --no-details: median $nodetails ms of $runs runs ($(stat -c %s "$work/out.txt") bytes out)"
details=$(median_ms "$bin/velkdump" "$work/trace.vkt" -o "$out" --details)
echo "velkdump --details: median $details ms of $runs runs ($(stat -c %s "$out") bytes out)"
out=$work/trace.pcapng
topcap=$(median_ms "$bin/velkdump" "$work/trace.vkt" --pcapng --date 2026-12-06 -o "$out")
echo "velkdump --pcapng: median $topcap ms ($(stat -c %s "$out") bytes out)"
out=$work/back.vkt
back=$(median_ms "$bin/velkdump" "$work/trace.pcapng" --to-trace -o "$out")
echo "velkdump --to-trace: median $back ms"
if command -v tshark >/dev/null && command -v editcap >/dev/null; then
  editcap -F pcap "$work/trace.pcapng" "$work/trace.pcap"
  out=$work/tshark.txt
  tshark=$(median_ms tshark_to_out -r "$work/trace.pcap" -V)
  echo "tshark -V over the same frames: median $tshark ms ($(stat -c %s "$out") bytes out); velkdump --details is $(awk "BEGIN{printf \"%.1f\", $tshark / $details}") times faster"
fi

# The long runs: the median of 3 whole-process runs each.
median3_ms() {
  local times=()
  for _ in 1 2 3; do
    local t0 t1
    t0=$(date +%s%N)
    "$@" >/dev/null
    t1=$(date +%s%N)
    times+=($(( (t1 - t0) / 1000000 )))
  done
  printf '%s\n' "${times[@]}" | sort -n | sed -n 2p
}
million=()
for _ in $(seq 34); do million+=("$work/trace.vkt"); done
big=$(median3_ms "$bin/velkdump" "${million[@]}" --details)
echo "velkdump --details, $(( 34 * 30000 )) frames to /dev/null: median $big ms of 3 runs"
if command -v tshark >/dev/null && command -v editcap >/dev/null; then
  "$bin/velkdump" "${million[@]}" --pcapng --date 2026-12-06 -o "$work/million.pcapng"
  editcap -F pcap "$work/million.pcapng" "$work/million.pcap"
  rm -f "$work/million.pcapng"
  tsharkbig=$(median3_ms tshark -r "$work/million.pcap" -V)
  echo "tshark -V, the same frames as pcap: median $tsharkbig ms of 3 runs; velkdump is $(awk "BEGIN{printf \"%.1f\", $tsharkbig / $big}") times faster"
  rm -f "$work/million.pcap"
fi
ten=()
for _ in $(seq 334); do ten+=("$work/trace.vkt"); done
/usr/bin/time -f %M -o "$work/rss" "$bin/velkdump" "${ten[@]}" --details >/dev/null
echo "velkdump --details, $(( 334 * 30000 )) frames: peak resident $(awk '{printf "%.1f", $1 / 1024}' "$work/rss") MB"
