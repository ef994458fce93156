#!/usr/bin/env bash
# Starts the window in its program directory, on the shipped library and the simulated controller.
set -euo pipefail
bin="$(cd "$1" && pwd)"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: start it under Xvfb with  xvfb-run -a make run  (package xvfb)."
  exit 1
fi
sim_pid=""
if [ -x "$bin/z7sim" ] && [ -z "${Z7_COM1:-}" ]; then
  link="$bin/.z7sim-com1"
  rm -f "$link"
  "$bin/z7sim" --link "$link" >"$bin/.z7sim.log" 2>&1 &
  sim_pid=$!
  for _ in $(seq 50); do [ -e "$link" ] && break; sleep 0.1; done
  export Z7_COM1="$link"
  echo "Controller simulator on COM1 ($(readlink "$link" 2>/dev/null || echo "$link"))."
fi
trap '[ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null || true' EXIT
cd "$bin"
./z7set
