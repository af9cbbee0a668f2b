#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# pemdra.exe's size, and its start-up under Wine on Xvfb beside an empty Windows
# program (the floor: Wine's own start-up and one window). Timed as bench/startup.sh
# times the Qt window: bench/xlaunch (from the Linux build) spawns the program and
# times from spawn to the first exposure of its window. Wine's server and services
# are kept running, as on a desktop where Wine has run before; medians of RUNS runs
# each, taken alternately, and the median of the rounds' ratios (pemdra.exe's start-up
# over the empty program's just before it), which the machine's load moves less.
#
#   bench/win32/startup-wine.sh [WINDOWS_BUILD] [LINUX_BUILD]
#                                   (default build/windows build/release; RUNS=20)
set -euo pipefail
cd "$(dirname "$0")/../.."
windows=${1:-build/windows}
linux=${2:-build/release}
runs=${RUNS:-20}
[ -f "$windows/pemdra.exe" ] && [ -f "$windows/bench/empty_window.exe" ] ||
  { echo "startup-wine.sh: build first (make windows)" >&2; exit 1; }
[ -x "$linux/bench/xlaunch" ] || { echo "startup-wine.sh: build first (make build)" >&2; exit 1; }

export WINEPREFIX=$(cd "$windows" && pwd)/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
exec {fd}<> <(:)
Xvfb -displayfd "$fd" -screen 0 1024x768x24 -dpi 96 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb=$!
trap 'wineserver -k 2>/dev/null; kill $xvfb 2>/dev/null; rm -rf "${out:-}"' EXIT
read -r -t 10 number <&"$fd" || { echo "startup-wine.sh: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$number"

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
empty=$windows/bench/empty_window.exe
pemdra=$windows/pemdra.exe
"$linux/bench/xlaunch" "$loader" "$empty" >/dev/null  # warm the caches
"$linux/bench/xlaunch" "$loader" "$pemdra" >/dev/null
for _ in $(seq "$runs"); do
  "$linux/bench/xlaunch" "$loader" "$empty" >>"$out/empty"
  "$linux/bench/xlaunch" "$loader" "$pemdra" >>"$out/pemdra"
done

median() {  # median of field $2 (startup_ms or maxrss_kb) in file $1
  sed -n "s/.*$2=\([0-9.]*\).*/\1/p" "$1" | sort -n |
    awk '{v[NR]=$1} END {print (NR % 2) ? v[(NR+1)/2] : (v[NR/2] + v[NR/2+1]) / 2}'
}
size=$(stat -c %s "$pemdra")
paste -d' ' <(sed -n 's/.*startup_ms=\([0-9.]*\).*/\1/p' "$out/empty") \
  <(sed -n 's/.*startup_ms=\([0-9.]*\).*/\1/p' "$out/pemdra") |
  awk '$1 > 0 {printf "startup_ms=%f\n", $2 / $1}' >"$out/ratio"
awk -v em="$(median "$out/empty" startup_ms)" -v pm="$(median "$out/pemdra" startup_ms)" \
    -v ratio="$(median "$out/ratio" startup_ms)" -v size="$size" -v n="$runs" 'BEGIN {
  printf "pemdra.exe: %d bytes (%.2f MB; target: under 1.5 MB)\n", size, size / 1048576
  printf "%-22s %12s   (under Wine, median of %d runs)\n", "program", "start-up", n
  printf "%-22s %9.1f ms\n", "empty Windows program", em
  printf "%-22s %9.1f ms\n", "pemdra.exe", pm
  printf "%-22s %9.1f ms   (%.0f%% of pemdra.exe'"'"'s start-up is the floor)\n", "pemdra.exe - empty", pm - em, 100 * em / pm
  printf "%-22s %9.2f x    (median of the %d rounds'"'"' ratios)\n", "pemdra.exe / empty", ratio, n
}'
