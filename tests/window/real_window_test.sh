#!/usr/bin/env bash
# The installed Today screen and Kalmeno in a real X window (Xvfb), driven by real pointer and
# keyboard events (xdotool), as a person would: a click on the item starts Kalmeno; 메뉴 › 일정 추가;
# the add dialog filled by keyboard alone (a Korean title, Tab, Shift+Tab, digits into the date
# and time pickers, Space on 일정추가, Enter on the message that follows); the title bar's ok; the
# Today screen then shows the new entry. Where to click comes from the programs' trace lines
# (window and menu rectangles), so the test follows the layout rather than repeating it. It
# installs as `make run` does, into a home folder of 40 characters.
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
# A home folder of 40 characters or more, installed into as `make run` does: the Today item reads
# the whole of its paths.
home="$work/home"
while [ ${#home} -lt 40 ]; do home="${home}-h"; done
prefix="$home/.local/share/kalmeno"
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
mkdir -p "$home"
export HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share"
export KALMENO_REGISTRY="$work/registry.reg"
cmake --install "$build" --prefix "$prefix" >/dev/null
"$build/host/kalmeno-install" "$prefix" >/dev/null

# 2. A real X display and the Today screen on it.
start_xvfb 800x600
export QT_QPA_PLATFORM=xcb KALMENO_TRACE="$trace" KALMENO_TODAY_REFRESH_MS=200
export XDG_RUNTIME_DIR="$work"
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

# 5. The dialog by keyboard: a Korean title typed into the title;
# Tab to the date (tomorrow's, typed as digits), twice more to the time (19:00 typed), on through
# the two boxes and the memo to 일정추가 (Shift+Tab back into the memo and Tab out again on the
# way), and Space presses it.
dialog="$(until_traced $'^kalmeno\twindow\t135\t' | cut -f4)"
IFS=, read -r dl dt dr db <<<"$dialog"
# A click in the title first, as people do: the X keyboard focus is then surely on the window
# before the first Korean key (the focus inside the dialog starts there anyway).
click $(( dl + 100 )) $(( dt + 21 ))
# One syllable at a time, each once the field shows the one before: xdotool types a character
# outside the keyboard's map by remapping a spare key, and a busy program can read a key pressed
# around a remapping as nothing at all. A syllable that does not show within two seconds is typed
# again, as a person would.
typed=""
for syllable in 장 보 기; do
  for (( tries = 0; ; tries++ )); do
    [ $tries -lt 5 ] || fail "the title field never showed \"$typed$syllable\""
    xdotool type "$syllable"
    for (( polls = 0; polls < 20; polls++ )); do
      last="$(grep -P '^kalmeno\ttext\tEDIT\t' "$trace" | tail -1 | cut -f7 || true)"
      [ "$last" = "$typed$syllable" ] && break 2
      sleep 0.1
    done
  done
  typed="$typed$syllable"
done
xdotool key --delay 50 Tab
xdotool type --delay 50 "$(date -d tomorrow +%Y%m%d)"
xdotool key --delay 50 Tab Tab
xdotool type --delay 50 "1900"
xdotool key --delay 50 Tab Tab Tab Tab shift+Tab Tab
sleep 0.5   # for the screenshot only: the key below reaches the program after the others anyway
shot typed
xdotool key space
until_traced $'^kalmeno\tmsgbox\t.*\t일정을 추가했습니다.$' >/dev/null
shot added
xdotool key Return

# 6. The title bar's ok saves and ends Kalmeno; the Today screen shows the new entry.
until_traced $'^kalmeno\twindow\t' >/dev/null
sleep 0.5
click 220 13
until_traced $'^kalmeno\texit\t0$' >/dev/null
line="$(until_traced $'^kalmeno-today\ttext\tKalmeno Today Plugin\t.*장보기$' | cut -f7)"
case "$line" in
  "내일("*") 19:00 장보기") ;;
  *) fail "the Today screen shows \"$line\", not tomorrow's 19:00 entry typed by keyboard" ;;
esac
sleep 0.5
shot today-after
echo "the Today screen shows: $line"
