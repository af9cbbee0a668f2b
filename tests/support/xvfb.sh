# SPDX-License-Identifier: MIT
# An Xvfb of the caller's own, for the shell tests and benchmarks: sourced, then
#
#   start_xvfb [setsid]   starts one on a display it picks itself (-displayfd), so
#                         runs never collide; sets DISPLAY and XVFB_PID. With setsid,
#                         in a session of its own, to outlive the caller.
#
# -noreset: without it every new client pays for a server reset. 96 dpi, as the
# window's table is laid out at.
start_xvfb() {
  local fd number
  exec {fd}<> <(:)
  ${1:+setsid} Xvfb -displayfd "$fd" -screen 0 1024x768x24 -dpi 96 -nolisten tcp -noreset \
    </dev/null >/dev/null 2>&1 &
  XVFB_PID=$!
  if ! read -r -t 10 number <&"$fd"; then
    echo "Xvfb did not start" >&2
    return 1
  fi
  exec {fd}>&-
  export DISPLAY=":$number"
  unset WAYLAND_DISPLAY
}
