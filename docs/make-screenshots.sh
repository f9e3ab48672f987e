#!/usr/bin/env bash
# Makes the screenshots in docs/ by running the real programs headless: with a data file of a few
# entries in April 2007 the month view, the lunar view, the schedule panel, the popup menu, a
# syllable being composed in the add dialog and a reminder shown by the Today screen; the month view
# on desktops of twice and three times the density; then the month view with a day of 120
# entries, and the Today screen at 96 and 192 dpi.
# Usage: docs/make-screenshots.sh [build folder]   (default: build)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="${1:-$here/../build}"
program="$build/app/kalmeno"
today="$build/host/kalmeno-today"
for built in "$program" "$today" "$build/today/libKalmenoTP.so"; do
  [ -e "$built" ] || { echo "build the programs first: $built is missing" >&2; exit 1; }
done

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# The program keeps its data file beside itself, so it runs from a copy in the scratch folder.
cp "$program" "$work/kalmeno"

# write_entries FILE SET: the data file of one set of entries, as the program writes it.
write_entries() {
python3 - "$1" "$2" <<'PY'
import struct, sys
LUNAR, YEARLY, HOLIDAY = 0x0001, 0x0010, 0x0100
def record(y, m, d, hh, mm, flags, title, memo=""):
    def text(s, units):
        b = s.encode("utf-16-le")[: 2 * (units - 1)]
        return b + b"\0" * (2 * units - len(b))
    return struct.pack("<7H", y, m, d, hh, mm, 0, flags) + text(title, 11) + text(memo, 31)
april = [
    record(1949, 4, 5, 0, 0, YEARLY | HOLIDAY, "식목일", "나무 심기"),
    record(2007, 4, 10, 14, 0, 0, "치과 예약", "스케일링, 오후 2시"),
    record(2007, 4, 10, 19, 30, 0, "저녁 약속", "강남역 7번 출구"),
    record(1980, 2, 25, 12, 30, LUNAR | YEARLY | HOLIDAY, "어머니 생신"),
    record(2007, 4, 20, 10, 0, 0, "회의", "분기 보고"),
    record(2007, 3, 1, 9, 0, LUNAR, "계모임"),
    record(2007, 4, 28, 8, 0, HOLIDAY, "가족 여행", "제주도"),
]
# A busy April: 120 entries on the 24th, a yearly lunar 30th of the 2nd month (lunar 2007-02 has
# 29 days, so it is kept on the 29th, 16 April) and a title that starts outside the basic plane.
busy = april + [record(2007, 4, 24, 9, n % 60, 0, "상담 %d" % (n + 1)) for n in range(120)] + [
    record(1995, 2, 30, 7, 0, LUNAR | YEARLY, "할머니 제사"),
    record(2007, 4, 26, 18, 0, 0, "😀 생일 파티"),
]
# Around 8 December 2007: five coming entries and a D-day entry with a long title.
december = [
    record(2007, 12, 8, 9, 30, 0, "주간 회의"),
    record(2007, 12, 9, 19, 0, 0, "저녁 약속"),
    record(2007, 12, 11, 14, 0, 0, "치과 예약"),
    record(2007, 12, 16, 10, 0, 0, "보고서 마감"),
    record(1990, 11, 30, 7, 0, LUNAR | YEARLY, "할아버지 제사"),
    record(2004, 4, 20, 0, 0, 0, "우리 결혼 기념일이야"),
]
sets = {"april": april, "busy": busy, "december": december}
open(sys.argv[1], "wb").write(b"".join(sets[sys.argv[2]]))
PY
}
write_entries "$work/qmrv.dat" april

shoot() {  # [SCALE=N] shoot NAME SCRIPT-LINES...   (N: the desktop's device pixel ratio, default 1)
  local name="$1"; shift
  printf '%s\n' "wait 150" "$@" "wait 150" "shot $here/$name" "quit" > "$work/script.txt"
  KALMENO_NOW=2007-04-10T09:00:00 KALMENO_SCRIPT="$work/script.txt" QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR="${SCALE:-1}" \
    KALMENO_REGISTRY="$work/registry.reg" "$work/kalmeno" >/dev/null 2>&1 || true
  echo "wrote docs/$name"
}

# April 2007 starts on a Sunday: day d lies in cell d - 1; the grid's cells are 34 x 38 pixels from
# y = 40 of the window, which starts 26 pixels down the screen.
tap_day() { local i=$(($1 - 1)); echo "tap $((34 * (i % 7) + 20)) $((26 + 40 + 38 * (i / 7) + 6))"; }
hold_day() { local i=$(($1 - 1)); echo "hold $((34 * (i % 7) + 20)) $((26 + 40 + 38 * (i / 7) + 6))"; }

shoot month-view.png "$(tap_day 10)"
SCALE=2 shoot month-view-2x.png "$(tap_day 10)"
SCALE=3 shoot month-view-3x.png "$(tap_day 10)"
shoot lunar-view.png "command 32783" "$(tap_day 12)"
shoot schedule-panel.png "$(tap_day 10)" "wait 100" "$(tap_day 10)"
shoot popup-menu.png "$(hold_day 17)"

# Korean typing: the add dialog's title while an input method composes its last syllable.
shoot composing.png "command 32794" "wait 300" "set 1011 저녁 " "compose ㅇ" "compose 야" "compose 약"

# A reminder the Today screen shows itself, on a session bus without a notification service: the
# options ask for 60 minutes before, and 19:30's 저녁 약속 is due at 18:30.
if [ -x "$today" ] && command -v dbus-run-session >/dev/null; then
  printf 'REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Today\\Items\\Kalmeno]\n"DATA"="%s"\n"EXE"="/bin/true"\n"DLL"="%s"\n' \
    "$work/qmrv.dat" "$build/today/libKalmenoTP.so" > "$work/today.reg"
  printf '%s\n' "wait 500" "command 40001" "wait 300" "set 1006 2" "set 1007 60" "set 1008 1" "command 1" \
    "wait 1500" "shot $here/reminder-bubble.png" "quit" > "$work/today.txt"
  chmod 700 "$work"
  env -u DBUS_SESSION_BUS_ADDRESS XDG_RUNTIME_DIR="$work" KALMENO_NOW=2007-04-10T18:45:00 \
    KALMENO_SCRIPT="$work/today.txt" KALMENO_REGISTRY="$work/today.reg" KALMENO_TODAY_REFRESH_MS=200 \
    QT_QPA_PLATFORM=offscreen dbus-run-session -- "$today" >/dev/null 2>&1 || true
  echo "wrote docs/reminder-bubble.png"
fi

# The month view with a day of 120 entries (24 April, selected).
write_entries "$work/qmrv.dat" busy
shoot month-busy-day.png "$(tap_day 24)"

# The Today screen, from the build folder, with its own registry: all five lines and the D-day
# line (options dialog), at 96 dpi on a 240 x 320 screen and at 192 dpi on a 480 x 640 one.
write_entries "$work/today.dat" december
handheld() { printf '%s' "$1" | sed 's|/|\\\\|g'; }
printf 'REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Today\\Items\\Kalmeno]\n"DATA"="%s"\n"EXE"="/bin/true"\n"DLL"="%s"\n' \
  "$(handheld "$work/today.dat")" "$(handheld "$build/today/libKalmenoTP.so")" > "$work/today.reg"
shoot_today() {  # shoot_today NAME DPI SCREEN
  printf '%s\n' "wait 800" "command 40001" "wait 300" "set 1006 4" "set 1009 0" "set 1010 5" "command 1" \
    "wait 1200" "shot $here/$1" "quit" > "$work/today.script"
  KALMENO_NOW=2007-12-08T15:00:00 KALMENO_DPI="$2" KALMENO_SCREEN="$3" KALMENO_REGISTRY="$work/today.reg" \
    KALMENO_SCRIPT="$work/today.script" KALMENO_TODAY_REFRESH_MS=200 XDG_RUNTIME_DIR="$work" \
    QT_QPA_PLATFORM=offscreen timeout 30 "$today" >/dev/null 2>&1 || true
  echo "wrote docs/$1"
}
shoot_today today-96dpi.png 96 240x320
shoot_today today-192dpi.png 192 480x640

# The holiday layer (메뉴 › 공휴일 보기) with lunar dates shown: September and October 2025, 추석
# with its substitute day (8 October, also 한로), and that day's holiday opened in the panel.
write_entries "$work/qmrv.dat" april
shoot_holidays() {  # shoot_holidays NAME SCRIPT-LINES...
  local name="$1"; shift
  printf '%s\n' "wait 150" "command 32797" "command 32783" "$@" "wait 150" "shot $here/$name" "quit" > "$work/script.txt"
  rm -f "$work/holidays.reg"
  KALMENO_NOW=2025-09-15T09:00:00 KALMENO_SCRIPT="$work/script.txt" QT_QPA_PLATFORM=offscreen \
    KALMENO_REGISTRY="$work/holidays.reg" "$work/kalmeno" >/dev/null 2>&1 || true
  echo "wrote docs/$name"
}
next_month="tap 200 36"
# October 2025 starts on a Wednesday: the 8th lies in cell 10.
october_8="tap $((34 * 3 + 20)) $((26 + 40 + 38 + 6))"
shoot_holidays holidays-2025-09.png
shoot_holidays holidays-2025-10.png "$next_month"
shoot_holidays holidays-panel.png "$next_month" "wait 100" "$october_8" "wait 100" "$october_8"
