#!/usr/bin/env bash
# The installed programs in a real X window (Xvfb) on a desktop of twice the usual density
# (Xft.dpi 192), driven with real keys (xdotool), as a person would:
# - Kalmeno opens at 480 x 640 device pixels with its text drawn at that resolution (a capture of
#   the real window, not enlarged from 240 x 320);
# - its window says what it is: the title 칼메노, an icon, and the window class its desktop entry
#   names (StartupWMClass); the Today screen likewise (칼메노 오늘 화면);
# - Ctrl + and Ctrl - zoom, the zoom is remembered at the next start, Ctrl 0 goes back.
#
# Usage: sharp_window_test.sh BUILD_DIR
# Everything is kept for inspection when the test fails (the captures are X window dumps, view
# them with xwud); a watchdog stops everything the test started if it hangs.
set -euo pipefail

build="$(cd "$1" && pwd)"
source "$(dirname "$0")/window_test_support.sh"
window_test_group "$@"

work="$(mktemp -d "${TMPDIR:-/tmp}/kalmeno-sharp.XXXXXX")"
prefix="$(mktemp -d /tmp/ks.XXXXXX)"
window_test_guard

# 1. A home of its own, the programs installed into a temporary prefix with their desktop entries.
export HOME="$work" XDG_RUNTIME_DIR="$work" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
export KALMENO_REGISTRY="$work/registry.reg"
chmod 700 "$work"
cmake --install "$build" --prefix "$prefix" >/dev/null
"$build/host/kalmeno-install" "$prefix" >/dev/null

# 2. An X display of 1600 x 1200 whose desktop asks for twice the density (Xft.dpi: 192); the
# server keeps its root window's resources between clients (-noreset).
start_xvfb 1600x1200 -noreset
xprop -root -f RESOURCE_MANAGER 8s -set RESOURCE_MANAGER "$(printf 'Xft.dpi:\t192\n')"
export QT_QPA_PLATFORM=xcb
unset KALMENO_SCRIPT KALMENO_CHILD_SCRIPT KALMENO_CLOCK KALMENO_TRACE QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS

# The visible window of a process (waits for it); fails when the process ends first.
window_of() {
  local pid="$1" window
  for (( ; ; )); do
    window="$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -1 || true)"
    [ -n "$window" ] && { echo "$window"; return 0; }
    kill -0 "$pid" 2>/dev/null || fail "process $pid ended before showing its window"
    sleep 0.1
  done
}

# Waits until the window is WIDTHxHEIGHT device pixels.
until_size() {
  local window="$1" wanted="$2" WIDTH=0 HEIGHT=0 X Y SCREEN WINDOW
  for (( ; ; )); do
    eval "$(xdotool getwindowgeometry --shell "$window")"
    [ "${WIDTH}x${HEIGHT}" = "$wanted" ] && return 0
    sleep 0.1
  done
}

# A property of the window, as xprop prints it after "NAME(TYPE) = ".
property() { xprop -id "$1" "$2" | sed 's/^[^=]*= //'; }

# The StartupWMClass of the installed desktop entry of a program.
entry_class() { sed -n 's/^StartupWMClass=//p' "$XDG_DATA_HOME/applications/$1.desktop"; }

# What a window says it is: title, window class (instance and class both the entry's), an icon.
expect_identity() {
  local window="$1" program="$2" title="$3" class
  class="$(entry_class "$program")"
  [ "$class" = "$program" ] || fail "the desktop entry of $program names the window class '$class'"
  [ "$(property "$window" WM_CLASS)" = "\"$class\", \"$class\"" ] ||
    fail "$program's window class is $(property "$window" WM_CLASS), its entry names '$class'"
  [ "$(property "$window" _NET_WM_NAME)" = "\"$title\"" ] ||
    fail "$program's window is titled $(property "$window" _NET_WM_NAME), not $title"
  [[ "$(xprop -id "$window" _NET_WM_ICON)" == *"Icon ("* ]] || fail "$program's window has no icon"
}

# The share of the inked 2 x 2 blocks of a captured window area (X Y W H, device pixels) whose
# four pixels are not all alike: 0 for a picture drawn at 240 x 320 and doubled.
sharp_share() {
  python3 - "$@" <<'PY'
import struct, sys
path, x0, y0, w, h = sys.argv[1], *map(int, sys.argv[2:])
data = open(path, "rb").read()
header = struct.unpack(">25I", data[:100])
size, width, bits, line, ncolors = header[0], header[4], header[11], header[12], header[19]
assert bits == 32, "expected a 32-bit capture"
pixels = data[size + 12 * ncolors:]
def at(x, y):
    return struct.unpack_from(">I", pixels, y * line + 4 * x)[0] & 0xFFFFFF
inked = sharp = 0
for y in range(y0, y0 + h, 2):
    for x in range(x0, x0 + w, 2):
        block = [at(x, y), at(x + 1, y), at(x, y + 1), at(x + 1, y + 1)]
        dark = any(((p >> 16) + ((p >> 8) & 255) + (p & 255)) < 3 * 160 for p in block)
        inked += dark
        sharp += dark and len(set(block)) > 1
print("%.2f" % (sharp / inked if inked else 0))
PY
}

# 3. Kalmeno at twice the density: 480 x 640, sharp text, and a window that says what it is.
"$prefix/kalmeno" >"$work/kalmeno.log" 2>&1 &
kalmeno=$!
window="$(window_of "$kalmeno")"
until_size "$window" 480x640
expect_identity "$window" kalmeno 칼메노
sleep 0.5   # the first paint reaches the X window
xwd -id "$window" -silent -out "$work/kalmeno-2x.xwd"
share="$(sharp_share "$work/kalmeno-2x.xwd" 120 52 240 44)"   # the title "YYYY년MM월"
python3 -c "import sys; sys.exit(0 if $share > 0.3 else 1)" ||
  fail "the month title is not drawn at the screen's density (sharp share $share)"

# 4. Ctrl + and Ctrl -: 110%, then 100% and 90% of the fitting size, remembered at the next start.
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove --sync $(( X + 100 )) $(( Y + 100 ))
xdotool key ctrl+plus
until_size "$window" 528x704
xdotool key ctrl+minus ctrl+minus
until_size "$window" 432x576
kill -TERM "$kalmeno"   # the session ends: Kalmeno saves and ends
wait "$kalmeno" || true
"$prefix/kalmeno" >"$work/kalmeno.log" 2>&1 &
kalmeno=$!
window="$(window_of "$kalmeno")"
until_size "$window" 432x576
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove --sync $(( X + 100 )) $(( Y + 100 ))
xdotool key ctrl+0
until_size "$window" 480x640
kill -TERM "$kalmeno"
wait "$kalmeno" || true

# 5. The Today screen says what it is too.
"$prefix/kalmeno-today" >"$work/today.log" 2>&1 &
today=$!
window="$(window_of "$today")"
expect_identity "$window" kalmeno-today "칼메노 오늘 화면"
echo "Kalmeno at Xft.dpi 192: 480 x 640, sharp share of the title $share; zoom 110% / 90% / back; both windows named"
