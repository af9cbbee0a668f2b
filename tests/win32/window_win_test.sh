#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The real pemdra.exe under Wine, on an Xvfb of its own, driven like a user would with
# xdotool (typing, clicks at the controls' places, Tab, Enter, Space); windowprobe.exe
# reads back what the window shows. Keeps screenshot-wine.png in the build folder.
#
#   window_win_test.sh WINE_RUN PREFIX PEMDRA_EXE WINDOWPROBE_EXE OUT_DIR
set -uo pipefail
wine_run=$1 prefix=$2 pemdra=$3 probe_exe=$4 out=$5
export WINEPREFIX=$prefix WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

. "$(dirname "$0")/checks.sh"
. "$(dirname "$0")/../support/xvfb.sh"

pemdra_pid= hearing=
desktop='HKCU\Control Panel\Desktop' unmanaged='HKCU\Software\Wine\AppDefaults\pemdra.exe'
cleanup() {
  [ -n "$pemdra_pid" ] && kill "$pemdra_pid" 2>/dev/null
  wine reg delete "$desktop" /v LogPixels /f >/dev/null 2>&1
  wine reg delete "$unmanaged" /f >/dev/null 2>&1
  wineserver -k 2>/dev/null  # this build's own prefix only
  kill "${XVFB_PID:-}" 2>/dev/null
  [ -n "$hearing" ] && rm -rf "$hearing"
}
trap cleanup EXIT
start_xvfb || exit 1

# Wine's desktop belongs to the display its server first saw: start the prefix's
# server afresh on this one. WINE_RUN makes the prefix where it is missing and starts
# Wine's services; the server keeps them while pemdra runs, so later programs are
# started by wine directly, without its round of checks.
wineserver -k 2>/dev/null
wineserver -w 2>/dev/null
"$wine_run" "$prefix" reg add "$desktop" /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1

state=""
probe() { wine "$probe_exe" "$@" | tr -d '\r'; }
look() { state=$(probe); }
# look_for FIELD: looks until FIELD holds a text, up to 5 s. After a long paste, Wine's
# edit control takes its time over its 32767 characters when the focus leaves it: the
# first look may find the focus on CY and the click's conversion still queued.
look_for() { for _ in $(seq 10); do look; [ -n "$(field "$1")" ] && return; sleep 0.5; done; }
field() { sed -n "s/^$1=//p" <<<"$state"; }
# What the window's table and the core say the window shows: every expectation below
# that is a name, a count, a colour or a line comes from here, none is copied.
facts=$(probe facts)
fact() { sed -n "s/^$1=//p" <<<"$facts"; }
results() { for box in $(fact results); do field "$box"; done; }
lines_for() { probe expect "$1" "$2" | grep -v '^told='; }  # lines_for ANGLE PI
told_for() { probe expect "$1" "$2" | sed -n 's/^told=//p'; }
second_pi=$(fact items | cut -d'|' -f2)
xdo() { xdotool "$@"; sleep 0.3; }
pointer=
point() {  # point X,Y [click]: the pointer there (--sync waits for a motion, so where it
           # is already, none is asked for), and a click
  [ "$pointer" = "$1" ] || xdotool mousemove --sync "${1%,*}" "${1#*,}"
  pointer=$1
  if [ "${2:-}" = click ]; then xdo click 1; else sleep 0.3; fi
}
click() { point "$(field "centre.$1")" click; }  # click CONTROL, at its centre
pixel() {  # pixel X Y, in the client area: the colour as #RRGGBB
  local origin; origin=$(field origin)
  import -window root -depth 8 -crop "1x1+$(( ${origin%,*} + $1 ))+$(( ${origin#*,} + $2 ))" txt:- |
    grep -o '#[0-9A-F]\{6\}' | head -1
}

# The program takes no arguments: whatever the command line holds, the window is the same.
wine "$pemdra" --help /? extra >/dev/null 2>&1 &
pemdra_pid=$!
look
check "window shown" "$(fact client)" "$(field client)"
check "focus at start" "Text1" "$(field focus)"
frame=$(field frame.centre2) work=$(field work.centre2)
check "centred on the work area, frame included" "yes" \
  "$( (( ${frame%,*} - ${work%,*} <= 1 && ${work%,*} - ${frame%,*} <= 1 &&
         ${frame#*,} - ${work#*,} <= 1 && ${work#*,} - ${frame#*,} <= 1 )) && echo yes ||
      echo "no: frame $frame, work area $work (centres doubled)")"
check "π list" "$(fact items)" "$(field items)"
check "manifest's systems: Windows 7, 8, 8.1, 10 and 11" "4" "$(grep -ac 'supportedOS Id=' "$pemdra")"
empty=$(for b in $(fact boxes) Combo1; do echo; done | paste -sd'|')
check "texts at start" "$empty" "$(for b in $(fact boxes) Combo1; do field $b; done | paste -sd'|')"
form=$(fact colour.form)
check "form colour" "$form" "$(pixel 4 200)"
check "Line1's colour" "$(fact colour.Line1)" "$(pixel 160 176)"
check "Text1's colour" "$(fact colour.Text1)" "$(pixel 20 64)"
check "Combo1's top border over Label3" "no" "$( [ "$(pixel 100 128)" = "$form" ] && echo yes || echo no)"

expected=$(lines_for 45 "$second_pi")

# What a screen reader hears, asked from another process: from here to the 400 below,
# one live region event after each click that wrote something, none after a keypad key,
# each from a shown window and naming an object whose name is the lines that click wrote.
hearing=$(mktemp -d)
mkfifo "$hearing/in"
wine "$probe_exe" heard <"$hearing/in" >"$hearing/out" &  # unbuffered, unlike probe's pipe
hear_pid=$!
exec {hear_fd}>"$hearing/in"
for _ in $(seq 300); do grep -q '^hooked' "$hearing/out" && break; sleep 0.1; done

# Typed and clicked: 4 typed, 5 on the keypad, π picked from the list, then CY.
first=$(field centre.Text1)
point "$first"
xdo type --delay 50 "4"
click C5
arrow=$(field arrow.Combo1)
point "$arrow" click
item=$(probe list | sed -n 's/^item.1=//p' | tr -d '\r')
check "π list opens" "yes" "$( [ -n "$item" ] && echo yes || echo no)"
[ -n "$item" ] && point "$item" click
click CY
look
check "Text1 after typing and the keypad" "45" "$(field Text1)"
check "π picked" "$second_pi" "$(field Combo1)"
check "result lines, by pointer" "$expected" "$(results)"
check "focus left on CY by the announcement" "CY" "$(field focus)"
check "visible child windows: the table's controls but the painted line, and the results region" \
  "$(fact controls)" "$(field visible)"
check "the results region's pixel in the form's colour" "$form" "$(pixel 0 0)"
origin=$(field origin)
import -window root -crop "470x366+${origin%,*}+${origin#*,}" "$out/screenshot-wine.png"
for typed in abc 400; do
  click Text1
  xdo key End shift+Home
  xdo type --delay 50 "$typed"
  click CY
done
look
exec {hear_fd}>&-
wait "$hear_pid"
check "heard by a screen reader after 4, 5, CY, abc, CY, 400, CY" "hooked
live=$(told_for 45 "$second_pi") (shown, polite)
live=$(told_for abc "$second_pi") (shown, polite)
live=$(told_for 400 "$second_pi") (shown, polite)
events=3" "$(tr -d '\r' <"$hearing/out")"

# Typed π, Shift+Tab back to CY and Enter on it.
probe clear
click Cb
click Combo1
xdo key End shift+Home
xdo type --delay 50 "3,1"
look
check "typed π prefix not completed" "3,1" "$(field Combo1)"
check "π list unchanged" "$(fact items)" "$(field items)"
xdo key alt+Down
xdo key End
xdo type --delay 50 "4"
xdo key Return
look
check "π typed with the list open, then Enter" "3,14" "$(field Combo1)"
xdo key alt+Down
xdo key Down
xdo key Return
look
check "π picked with the arrows and Enter" "$second_pi" "$(field Combo1)"
xdo key End shift+Home
xdo type --delay 50 "$second_pi"
xdo key Return
look
no_results=$(fact results | sed 's/[^ ]//g; s/ /|/g')
check "Enter in the π field does nothing" "$no_results" "$(results | paste -sd'|')"
click Text1
xdo type --delay 50 "45"
xdo key Return
look
check "Enter in Text1 does nothing" "$no_results" "$(results | paste -sd'|')"
click Combo1
xdo key shift+Tab
xdo key shift+Tab
look
check "Shift+Tab from Combo1 twice" "CY" "$(field focus)"
xdo key Return
look
check "result lines, by keyboard" "$expected" "$(results)"
check "π typed" "$second_pi" "$(field Combo1)"

# Space on a focused keypad button: Tab from AC reaches 0.
click Cb
xdo key Tab
xdo key space
look
check "Space on the focused 0" "0" "$(field Text1)"
check "every control named for screen readers, asked from another process" \
  "named=$(fact controls) of $(fact controls)" \
  "$(probe names | paste -sd' ')"

# The focus frame and the default frame follow the focus.
check "default frame on the focused 0" "C0" "$(field default)"
check "no focus frame on Text1 without the focus" "no" \
  "$( [ "$(pixel 8 64)" = "#FFFFFF" ] && echo yes || echo no)"
click Text1
look
check "no default frame once a text box has the focus" "none" "$(field default)"
check "focus frame on Text1" "#FFFFFF" "$(pixel 8 64)"

# Long pastes: one that fits is kept whole; a longer one is refused whole, with a word,
# and the box keeps what it had (here 0 typed after the keypad's 0); the window answers
# and converts either way.
for paste in "Text1 32767 kept" "Text1 100000 refused" "Combo1 100000 refused" \
             "Text1 1000000 refused" "Combo1 32767 kept"; do
  read -r box length outcome <<<"$paste"
  probe clear
  probe clip "$length"
  click "$box"
  xdo key End shift+Home
  xdo type 0
  xdo key shift+Home ctrl+v
  look
  if [ "$outcome" = kept ]; then
    check "$length characters pasted into $box, kept" "$length|none" \
      "$(field "length.$box")|$(field notice)"
  else
    check "$length characters pasted into $box, refused" "1|Η επικόλληση δεν έγινε: το \
κείμενο έχει $length χαρακτήρες και το πλαίσιο χωράει 32767." \
      "$(field "length.$box")|$(field notice)"
    xdo key Return
  fi
  click CY
  look_for Text2
  check "converted after $paste characters pasted into $box" "yes" \
    "$( [ -n "$(field Text2)" ] && echo yes || echo no)"
  click Cb
done

close() {  # closes the window as its close box does; pemdra's exit status in $status
  probe close
  status=timeout
  for _ in $(seq 100); do
    if ! kill -0 "$pemdra_pid" 2>/dev/null; then
      wait "$pemdra_pid"; status=$?; break
    fi
    sleep 0.1
  done
  pemdra_pid=
}
close
check "exit status on close" "0" "$status"

# At 125 %, 150 % and 200 % the twips scale with the dpi: same proportions, sharp. Xvfb
# has no window manager, for which Wine waits 2 s at each close: these windows, which
# take no keys, are left unmanaged.
wine reg add "$unmanaged\\X11 Driver" /v Managed /d N /f >/dev/null 2>&1
for scale in "120 588x458" "144 705x549" "192 940x732"; do
  dpi=${scale% *}
  wine reg add "$desktop" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  wine "$pemdra" >/dev/null 2>&1 &
  pemdra_pid=$!
  look
  check "client area at $dpi dpi" "${scale#* }" "$(field client)"
  check "Line1's colour at $dpi dpi" "$(fact colour.Line1)" "$(pixel $((160 * dpi / 96)) $((176 * dpi / 96)))"
  check "Text1's colour at $dpi dpi" "$(fact colour.Text1)" "$(pixel $((20 * dpi / 96)) $((64 * dpi / 96)))"
  check "form colour at $dpi dpi" "$form" "$(pixel $((4 * dpi / 96)) $((200 * dpi / 96)))"
  if [ "$dpi" = 144 ]; then
    origin=$(field origin)
    import -window root -crop "${scale#* }+${origin%,*}+${origin#*,}" "$out/screenshot-wine-150.png"
  fi
  close
  check "exit status on close at $dpi dpi" "0" "$status"
done

checks_done
