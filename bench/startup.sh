#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Start-up time and peak memory of the real pemdra under Xvfb, beside a bare Qt
# Widgets window with 24 plain widgets (the floor for this toolkit). Each run is a
# whole process, timed from outside by bench/xlaunch from spawn to the first
# exposure of its window. A round runs each program once, in turn first; the
# figure is the median of the rounds' ratios, so a slow spell of the machine weighs
# on both programs of its round alike. RUNS rounds.
#
#   bench/startup.sh [BUILD_DIR]     (default build/release; RUNS=40 by default)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
runs=${RUNS:-40}
[ -x "$build/pemdra" ] || { echo "startup.sh: build first (make build)" >&2; exit 1; }

. tests/support/xvfb.sh
bus=""
trap 'kill ${XVFB_PID:-} ${bus:-} 2>/dev/null; rm -rf "${runtime:-}" "${out:-}"' EXIT
start_xvfb || exit 1
unset QT_QPA_PLATFORM
runtime=$(mktemp -d)  # Qt wants a private runtime folder; the same for both programs
export XDG_RUNTIME_DIR=$runtime
# A private session bus, the same for both: without one, where a bus launcher is
# installed, Qt's accessibility bridge starts a bus of its own at every start.
if command -v dbus-daemon >/dev/null; then
  read -r address bus < <(dbus-daemon --session --fork --print-address=1 --print-pid=1 | paste -sd' ')
  export DBUS_SESSION_BUS_ADDRESS=$address
fi

out=$(mktemp -d)
"$build/bench/xlaunch" "$build/bench/reference_window" >/dev/null  # warm the caches
"$build/bench/xlaunch" "$build/pemdra" >/dev/null
for round in $(seq "$runs"); do
  if [ $((round % 2)) -eq 1 ]; then
    "$build/bench/xlaunch" "$build/bench/reference_window" >>"$out/reference"
    "$build/bench/xlaunch" "$build/pemdra" >>"$out/pemdra"
  else
    "$build/bench/xlaunch" "$build/pemdra" >>"$out/pemdra"
    "$build/bench/xlaunch" "$build/bench/reference_window" >>"$out/reference"
  fi
done

field() {  # field $2 (startup_ms or maxrss_kb) of every run in file $1, a line each
  sed -n "s/.*$2=\([0-9.]*\).*/\1/p" "$1"
}
median() {  # of the numbers on standard input
  sort -g | awk '{v[NR]=$1} END {print (NR % 2) ? v[(NR+1)/2] : (v[NR/2] + v[NR/2+1]) / 2}'
}
ref_ms=$(field "$out/reference" startup_ms | median)
ref_kb=$(field "$out/reference" maxrss_kb | median)
pem_ms=$(field "$out/pemdra" startup_ms | median)
pem_kb=$(field "$out/pemdra" maxrss_kb | median)
ratio=$(paste <(field "$out/pemdra" startup_ms) <(field "$out/reference" startup_ms) |
        awk '{print $1 / $2}' | median)
extra_kb=$(paste <(field "$out/pemdra" maxrss_kb) <(field "$out/reference" maxrss_kb) |
           awk '{print $1 - $2}' | median)

awk -v rm="$ref_ms" -v rk="$ref_kb" -v pm="$pem_ms" -v pk="$pem_kb" -v n="$runs" \
    -v ratio="$ratio" -v extra="$extra_kb" 'BEGIN {
  printf "%-18s %12s %14s   (medians of %d rounds)\n", "program", "start-up", "peak memory", n
  printf "%-18s %9.1f ms %11.1f MB\n", "reference window", rm, rk / 1024
  printf "%-18s %9.1f ms %11.1f MB\n", "pemdra", pm, pk / 1024
  printf "%-18s %11.2fx %+11.1f MB   (a round each; targets: at most 1.05x, within 5 MB)\n", "pemdra/reference", ratio, extra / 1024
}'
