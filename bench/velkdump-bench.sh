#!/usr/bin/env bash
# Whole-process timing of velkdump's export of a realistic 30000-frame trace.
# The trace is captured live: velksim at full speed, velkdump --capture.
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

# The median of RUNS whole-process runs of a command, in milliseconds.
median_ms() {
  local times=()
  for _ in $(seq "$runs"); do
    local t0 t1
    t0=$(date +%s%N)
    "$@" >/dev/null
    t1=$(date +%s%N)
    times+=($(( (t1 - t0) / 1000000 )))
  done
  printf '%s\n' "${times[@]}" | sort -n | sed -n "$(( (runs + 1) / 2 ))p"
}

nodetails=$(median_ms "$bin/velkdump" "$work/trace.vkt" -o "$work/out.txt" --no-details)
echo "velkdump --no-details: median $nodetails ms of $runs runs ($(stat -c %s "$work/out.txt") bytes out)"
details=$(median_ms "$bin/velkdump" "$work/trace.vkt" -o "$work/out.txt" --details)
echo "velkdump --details: median $details ms of $runs runs ($(stat -c %s "$work/out.txt") bytes out)"
topcap=$(median_ms "$bin/velkdump" "$work/trace.vkt" --pcapng --date 2026-12-06 -o "$work/trace.pcapng")
echo "velkdump --pcapng: median $topcap ms ($(stat -c %s "$work/trace.pcapng") bytes out)"
back=$(median_ms "$bin/velkdump" "$work/trace.pcapng" --to-trace -o "$work/back.vkt")
echo "velkdump --to-trace: median $back ms"
if command -v tshark >/dev/null; then
  tshark=$(median_ms tshark -r "$work/trace.pcapng" -V)
  echo "tshark -V over the same frames: median $tshark ms; velkdump --details is $(awk "BEGIN{printf \"%.1f\", $tshark / $details}") times faster"
fi
