#!/usr/bin/env bash
# Starts the capture device simulator on COM1 (RQ-730, 9600 bit/s), then
# Velkscope; closing the window stops the simulator.
set -euo pipefail
bin=$(cd "${1:-build/release/bin}" && pwd)

sim_pid=
stop_sim() {
  if [ -n "$sim_pid" ]; then
    kill "$sim_pid" 2>/dev/null || true
    wait "$sim_pid" 2>/dev/null || true
  fi
}
trap stop_sim EXIT

if [ -x "$bin/velksim" ]; then
  out=$(mktemp)
  "$bin/velksim" --port 1 --model rq730 --rate 9600 --rate-fps 20 >"$out" 2>&1 &
  sim_pid=$!
  # Wait until the simulator has linked its port.
  for _ in $(seq 50); do
    grep -q 'COM1' "$out" && break
    kill -0 "$sim_pid" 2>/dev/null || { cat "$out"; exit 1; }
    sleep 0.1
  done
  rm -f "$out"
fi

if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display found: set DISPLAY (or QT_QPA_PLATFORM=offscreen to run without one)." >&2
  exit 1
fi
"$bin/velkscope"
