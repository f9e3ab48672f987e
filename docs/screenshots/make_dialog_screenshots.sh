#!/bin/sh
# Screenshots of the add, list and About dialogs, taken from the real program run headless with
# the script hook. Usage: docs/screenshots/make_dialog_screenshots.sh [build-dir]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../../build}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The data file lies beside the program, so the program runs from a copy in its own folder.
cp "$build/app/kalmeno" "$work/kalmeno"
python3 - "$work/qmrv.dat" <<'PY'
import struct, sys
def record(y, m, d, h, mi, flags, title, memo=""):
    def text(t, units):
        data = t.encode("utf-16-le")[: 2 * (units - 1)]
        return data + b"\0" * (2 * units - len(data))
    return struct.pack("<7H", y, m, d, h, mi, 0, flags) + text(title, 11) + text(memo, 31)
with open(sys.argv[1], "wb") as f:
    f.write(record(2007, 12, 25, 0, 0, 0x0110, "성탄절"))
    f.write(record(2008, 1, 1, 0, 0, 0x0111, "설날"))
    f.write(record(2007, 12, 8, 14, 0, 0, "치과 예약", "2시"))
    f.write(record(2007, 11, 1, 9, 30, 0x0011, "어머니 생신"))
    f.write(record(2007, 12, 31, 18, 0, 0, "송년회"))
PY
cat > "$work/script.txt" <<SCRIPT
wait 200
command 32794
wait 200
set 1011 가족 모임
set 1006 1
set 1009 1
set 1010 장소는 큰집\\n오후 6시
wait 200
shot $here/add_dialog.png
command 2
wait 200
command 32795
wait 200
set 1012 1:1
set 1012 3:1
wait 200
shot $here/list_dialog.png
command 1
wait 200
command 32784
wait 200
shot $here/info_dialog.png
quit
SCRIPT
QT_QPA_PLATFORM=offscreen KALMENO_NOW=2007-12-08T10:00:00 KALMENO_SCRIPT="$work/script.txt" \
  KALMENO_REGISTRY="$work/registry.reg" "$work/kalmeno"
echo "wrote $here/add_dialog.png $here/list_dialog.png $here/info_dialog.png"
