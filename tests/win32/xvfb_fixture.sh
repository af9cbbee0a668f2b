#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# An Xvfb for the in-process window tests under Wine, which need a display: `start`
# runs one on a free display (-displayfd) and notes its number in STATE_DIR/display,
# where cmake/wine-run finds it; `stop` ends it. Wine's server in PREFIX is restarted
# both times, so that Wine's desktop follows the display.
#
#   xvfb_fixture.sh start|stop STATE_DIR PREFIX
set -uo pipefail
. "$(dirname "$0")/../support/xvfb.sh"
action=$1 state=$2 prefix=$3
export WINEPREFIX=$prefix
mkdir -p "$state"
WINEPREFIX=$prefix wineserver -k 2>/dev/null
case $action in
  start)
    start_xvfb setsid || exit 1
    echo "$XVFB_PID" >"$state/xvfb.pid"
    echo "$DISPLAY" >"$state/display"
    echo "Xvfb on $DISPLAY"
    ;;
  stop)
    [ -f "$state/xvfb.pid" ] && kill "$(cat "$state/xvfb.pid")" 2>/dev/null
    rm -f "$state/xvfb.pid" "$state/display"
    ;;
esac
exit 0
