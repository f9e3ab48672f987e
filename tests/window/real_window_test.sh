#!/usr/bin/env bash
# The installed Today screen and Kalmeno in a real X window (Xvfb), driven by real pointer and
# keyboard events (xdotool), as a person would: a click on the item starts Kalmeno; 메뉴 › 일정 추가,
# a Korean title typed, 일정추가 (and Enter on the message that follows), the title bar's ok; the
# Today screen then shows the new entry. Where to click comes from the programs' trace lines
# (window and menu rectangles), so the test follows the layout rather than repeating it.
#
# Usage: real_window_test.sh BUILD_DIR
# A screenshot of the X screen is taken at each step (step-N-NAME.xwd, view with xwud) and the
# programs' own picture of the last one (today-after.png); all are kept, with the trace, when the
# test fails. A watchdog stops everything the test started if it hangs; the Today screen ending
# early fails the test at once.
set -euo pipefail

build="$(cd "$1" && pwd)"
source "$(dirname "$0")/window_test_support.sh"
window_test_group "$@"

work="$(mktemp -d "${TMPDIR:-/tmp}/kalmeno-window.XXXXXX")"
# The Today item reads paths of at most 49 characters: the install goes to a short folder.
prefix="$(mktemp -d /tmp/kw.XXXXXX)"
trace="$work/trace.log"
step=0
window_test_guard

# Fails at once when the Today screen, once started, is no longer running: nothing it was to
# draw will come.
today_still_runs() {
  [ -z "${today:-}" ] || kill -0 "$today" 2>/dev/null ||
    fail "the Today screen ended early; its output: $(tail -5 "$work/today.log" 2>/dev/null)"
}

# Waits (polling, as long as the watchdog allows) until a trace line matches the extended regular
# expression (tabs in the trace are matched as they are); prints the last such line.
until_traced() {
  local pattern="$1" line
  for (( ; ; )); do
    line="$(grep -E -- "$pattern" "$trace" 2>/dev/null | tail -1 || true)"
    [ -n "$line" ] && { printf '%s\n' "$line"; return 0; }
    today_still_runs
    sleep 0.1
  done
}

# The centre of a rectangle "l,t,r,b" given in a trace field, in X screen coordinates.
centre_of() {
  local l t r b
  IFS=, read -r l t r b <<<"$1"
  echo "$(( origin_x + (l + r) / 2 * scale )) $(( origin_y + (t + b) / 2 * scale ))"
}

click() {  # X Y in handheld screen pixels
  xdotool mousemove --sync "$(( origin_x + $1 * scale ))" "$(( origin_y + $2 * scale ))" click 1
}

shot() {
  step=$(( step + 1 ))
  xwd -root -silent -out "$work/step-$step-$1.xwd"
}

# 1. Installed into a temporary prefix, recorded in a temporary registry.
export KALMENO_REGISTRY="$work/registry.reg"
"$build/host/kalmeno-install" --check "$prefix" || fail "the install prefix $prefix is too long"
cmake --install "$build" --prefix "$prefix" >/dev/null
"$build/host/kalmeno-install" "$prefix" >/dev/null

# 2. A real X display and the Today screen on it.
start_xvfb 800x600
export QT_QPA_PLATFORM=xcb KALMENO_TRACE="$trace" KALMENO_TODAY_REFRESH_MS=200
export HOME="$work" XDG_RUNTIME_DIR="$work" XDG_CONFIG_HOME="$work/config"
unset KALMENO_SCRIPT KALMENO_CHILD_SCRIPT KALMENO_CLOCK
: >"$trace"
"$prefix/kalmeno-today" >"$work/today.log" 2>&1 &
today=$!

until_traced $'^kalmeno-today\ttext\tKalmeno Today Plugin\t' >/dev/null
for (( ; ; )); do
  window="$(xdotool search --onlyvisible --pid "$today" 2>/dev/null | head -1 || true)"
  [ -n "$window" ] && break
  today_still_runs
  sleep 0.1
done
eval "$(xdotool getwindowgeometry --shell "$window")"
origin_x=$X origin_y=$Y scale=$(( WIDTH / 240 ))
shot today

# 3. A click on the item starts Kalmeno.
item="$(until_traced $'^kalmeno-today\twindow\tKalmeno Today Plugin\t[0-9]+,[0-9]+,[0-9]+,[0-9]+$' | cut -f4)"
read -r x y <<<"$(centre_of "$item")"
xdotool mousemove --sync "$x" "$y" click 1
until_traced $'^kalmeno\twindow\t' >/dev/null
# Its X window is shown over the Today screen's before anything is clicked in it.
kalmeno="$(pgrep -n -f "^$prefix/kalmeno\$" || true)"
[ -n "$kalmeno" ] || fail "no Kalmeno process from $prefix"
xdotool search --sync --onlyvisible --pid "$kalmeno" >/dev/null
shot kalmeno

# 4. 메뉴 (the menu bar's first button) › 일정 추가.
click 30 307
add_item="$(until_traced $'^kalmeno\tmenu\t.*\t일정 추가$' | cut -f3)"
shot menu
read -r x y <<<"$(centre_of "$add_item")"
xdotool mousemove --sync "$x" "$y" click 1

# 5. A Korean title typed into the title field, then 일정추가.
dialog="$(until_traced $'^kalmeno\twindow\t135\t' | cut -f4)"
IFS=, read -r dl dt dr db <<<"$dialog"
click $(( dl + 100 )) $(( dt + 21 ))
xdotool type --delay 50 "장보기"
sleep 0.5   # for the screenshot only: the click below reaches the program after the keys anyway
shot typed
click $(( dl + 67 )) $(( dt + 181 ))
until_traced $'^kalmeno\tmsgbox\t.*\t일정을 추가했습니다.$' >/dev/null
shot added
xdotool key Return

# 6. The title bar's ok saves and ends Kalmeno; the Today screen shows the new entry.
until_traced $'^kalmeno\twindow\t' >/dev/null
sleep 0.5
click 220 13
until_traced $'^kalmeno\texit\t0$' >/dev/null
line="$(until_traced $'^kalmeno-today\ttext\tKalmeno Today Plugin\t.*장보기$' | cut -f7)"
sleep 0.5
shot today-after
echo "the Today screen shows: $line"
