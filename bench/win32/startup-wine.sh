#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# pemdra.exe's size, and its start-up under Wine on Xvfb beside two floors: an empty
# Windows program (Wine's own start-up and one window) and a plain one with pemdra's
# 24 controls of the same classes, fonts and rectangles (the floor of any window made
# of these controls). Timed as bench/startup.sh times the Qt window: bench/xlaunch
# (from the Linux build) spawns the program and times from spawn to the first exposure
# of its window. Wine's server and services are kept running, as on a desktop where
# Wine has run before. A round runs each program once, in turn first and last; the
# figures are the medians of RUNS rounds and the medians of the rounds' ratios
# (pemdra.exe's start-up over each floor's in the same round), which the machine's
# load moves less. The load average is printed before and after.
#
#   bench/win32/startup-wine.sh [WINDOWS_BUILD] [LINUX_BUILD]
#                                   (default build/windows build/release; RUNS=20)
set -euo pipefail
cd "$(dirname "$0")/../.."
windows=${1:-build/windows}
linux=${2:-build/release}
runs=${RUNS:-20}
empty=$windows/bench/empty_window.exe
controls=$windows/bench/controls_window.exe
pemdra=$windows/pemdra.exe
[ -f "$pemdra" ] && [ -f "$empty" ] && [ -f "$controls" ] ||
  { echo "startup-wine.sh: build first (make windows)" >&2; exit 1; }
[ -x "$linux/bench/xlaunch" ] || { echo "startup-wine.sh: build first (make build)" >&2; exit 1; }

export WINEPREFIX=$(cd "$windows" && pwd)/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
. tests/support/xvfb.sh
trap 'wineserver -k 2>/dev/null; kill ${XVFB_PID:-} 2>/dev/null; rm -rf "${out:-}"' EXIT
start_xvfb || exit 1
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"

# The prefix's server afresh on this display, then kept alive between runs.
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
cmake/wine-run "$WINEPREFIX" cmd.exe /c exit >/dev/null 2>&1
wineserver -p600 >/dev/null 2>&1 || true

# Debian's `wine` goes through the 32-bit loader first where Wine's 32-bit part is
# installed; a 64-bit program is started by the 64-bit loader directly, as Wine would.
loader=$(command -v wine)
[ -x /usr/lib/wine/wine64 ] && loader=/usr/lib/wine/wine64
out=$(mktemp -d)
launch() { "$linux/bench/xlaunch" "$loader" "$1"; }
for program in "$empty" "$controls" "$pemdra"; do launch "$program" >/dev/null; done  # warm up
for round in $(seq "$runs"); do
  if [ $((round % 2)) -eq 1 ]; then
    launch "$empty" >>"$out/empty"
    launch "$controls" >>"$out/controls"
    launch "$pemdra" >>"$out/pemdra"
  else
    launch "$pemdra" >>"$out/pemdra"
    launch "$controls" >>"$out/controls"
    launch "$empty" >>"$out/empty"
  fi
done

times() { sed -n 's/.*startup_ms=\([0-9.]*\).*/\1/p' "$out/$1"; }
median() {  # of the numbers on standard input
  sort -g | awk '{v[NR]=$1} END {print (NR % 2) ? v[(NR+1)/2] : (v[NR/2] + v[NR/2+1]) / 2}'
}
ratio() { paste <(times pemdra) <(times "$1") | awk '$2 > 0 {print $1 / $2}' | median; }
awk -v em="$(times empty | median)" -v cm="$(times controls | median)" \
    -v pm="$(times pemdra | median)" -v to_empty="$(ratio empty)" \
    -v to_controls="$(ratio controls)" -v size="$(stat -c %s "$pemdra")" -v n="$runs" 'BEGIN {
  printf "pemdra.exe: %d bytes (%.2f MB; target: under 1.5 MB)\n", size, size / 1048576
  printf "%-26s %10s   (under Wine, medians of %d rounds)\n", "program", "start-up", n
  printf "%-26s %7.1f ms\n", "empty Windows program", em
  printf "%-26s %7.1f ms\n", "its 24 controls, plain", cm
  printf "%-26s %7.1f ms\n", "pemdra.exe", pm
  printf "%-26s %7.2f x    (median of the rounds'"'"' ratios)\n", "pemdra.exe / empty", to_empty
  printf "%-26s %7.2f x    (the same; target: at most 1.05 x)\n", "pemdra.exe / controls", to_controls
}'
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
