#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# An Xvfb for the in-process window tests under Wine, which need a display: `start`
# runs one on a free display (-displayfd) and notes its number in STATE_DIR/display,
# where cmake/wine-run finds it; `stop` ends it. Wine's server in PREFIX is restarted
# both times, so that Wine's desktop follows the display.
#
#   xvfb_fixture.sh start|stop STATE_DIR PREFIX
set -uo pipefail
action=$1 state=$2 prefix=$3
export WINEPREFIX=$prefix
mkdir -p "$state"
WINEPREFIX=$prefix wineserver -k 2>/dev/null
case $action in
  start)
    exec {fd}<> <(:)
    setsid Xvfb -displayfd "$fd" -screen 0 1024x768x24 -dpi 96 -nolisten tcp -noreset \
      </dev/null >/dev/null 2>&1 &
    echo $! >"$state/xvfb.pid"
    read -r -t 10 number <&"$fd" || { echo "Xvfb did not start"; exit 1; }
    echo ":$number" >"$state/display"
    echo "Xvfb on :$number"
    ;;
  stop)
    [ -f "$state/xvfb.pid" ] && kill "$(cat "$state/xvfb.pid")" 2>/dev/null
    rm -f "$state/xvfb.pid" "$state/display"
    ;;
esac
exit 0
