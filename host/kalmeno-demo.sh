#!/usr/bin/env bash
# A short headless demo of the Today screen and Kalmeno, for machines without a display.
# Installs a copy into a scratch folder with its own registry and data file (the user's own
# installation and entries stay untouched), runs the Today screen with a script and writes
# screenshots of the Today screen and the month view to BUILD/screens/.
set -euo pipefail
build="$(cd "${1:-build}" && pwd)"
screens="$build/screens"
mkdir -p "$screens"
demo="$(mktemp -d /tmp/kalmeno-demo.XXXXXX)"
trap 'rm -rf "$demo"' EXIT

cmake --install "$build" --prefix "$demo" >/dev/null
export KALMENO_REGISTRY="$demo/registry.reg"
"$build/host/kalmeno-install" "$demo" >/dev/null

# A few entries around today, written as the program writes them: 98-byte records.
python3 - "$demo/qmrv.dat" <<'PY'
import datetime, struct, sys
today = datetime.date.today()
def record(date, hour, minute, title, flags=0, memo=""):
    t = title.encode("utf-16-le").ljust(22, b"\0")[:22]
    m = memo.encode("utf-16-le").ljust(62, b"\0")[:62]
    return struct.pack("<7H", date.year, date.month, date.day, hour, minute, 0, flags) + t + m
d = lambda n: today + datetime.timedelta(days=n)
entries = [
    record(d(0), 9, 30, "주간 회의"),
    record(d(1), 19, 0, "저녁 약속"),
    record(d(3), 14, 0, "치과 예약"),
    record(d(8), 10, 0, "보고서 마감"),
    record(d(20), 12, 0, "동창회"),
    record(today.replace(year=today.year - 3), 0, 0, "결혼기념일", 0x0010),
]
open(sys.argv[1], "wb").write(b"".join(entries))
PY

# The Today screen: show all lines (options dialog), take a picture, tap the item to start
# Kalmeno; Kalmeno adds an entry and exits; the Today item shows it at the next refresh.
cat > "$demo/today.script" <<SCRIPT
wait 800
command 40001
wait 300
set 1006 4
set 1009 0
set 1010 5
command 1
wait 1200
shot $screens/today.png
tap 120 150
wait 12000
shot $screens/today-after.png
quit
SCRIPT
cat > "$demo/month.script" <<SCRIPT
wait 800
shot $screens/month.png
command 32794
wait 300
set 1011 데모 일정
set 1007 08:00:00
command 1
wait 500
answer
wait 300
command 1
SCRIPT

KALMENO_TRACE="$demo/trace.log" KALMENO_TODAY_REFRESH_MS=500 QT_QPA_PLATFORM=offscreen \
  KALMENO_SCRIPT="$demo/today.script" KALMENO_CHILD_SCRIPT="$demo/month.script" \
  timeout 60 "$demo/kalmeno-today" </dev/null >/dev/null 2>&1 || true

for shot in today.png month.png today-after.png; do
  if [ -f "$screens/$shot" ]; then echo "$screens/$shot"; else echo "missing: $screens/$shot" >&2; fi
done
