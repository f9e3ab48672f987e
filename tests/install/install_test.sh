#!/usr/bin/env bash
# `make install` and `make uninstall` with a temporary PREFIX (with a space in it) and temporary
# XDG folders: the desktop entries validate, the icons are the programs' own at their sizes,
# `kalmeno-install --autostart` run from the installation adds the Today screen to the login's
# autostart, and the uninstall leaves nothing the install wrote, but the data file.
# Usage: install_test.sh SOURCE-FOLDER BUILD-FOLDER
set -u
src="$1"
build="$2"
work="$(mktemp -d /tmp/kalmeno-inst.XXXXXX)"
fail() { echo "FAIL: $*"; echo "kept for a look: $work"; exit 1; }

prefix="$work/my apps/kalmeno"
export HOME="$work/home" XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config"
export KALMENO_REGISTRY="$work/registry.reg"
make -s --no-print-directory -C "$src" install-files BUILD="$build" PREFIX="$prefix" || fail "make install"

png_size() {  # prints "W H" of a PNG file
  python3 -c 'import struct,sys; d=open(sys.argv[1],"rb").read(24); assert d[:8]==b"\x89PNG\r\n\x1a\n"; print(*struct.unpack(">II",d[16:24]))' "$1"
}
for program in kalmeno kalmeno-today; do
  entry="$XDG_DATA_HOME/applications/$program.desktop"
  desktop-file-validate "$entry" || fail "$entry does not validate"
  grep -qx "Exec=\"$prefix/$program\"" "$entry" || fail "$entry does not start $prefix/$program"
  grep -qx "Icon=$program" "$entry" || fail "$entry names another icon"
  grep -q '^Name\[ko\]=' "$entry" || fail "$entry has no Korean name"
  for size in 16 32 48; do
    icon="$XDG_DATA_HOME/icons/hicolor/${size}x${size}/apps/$program.png"
    [ "$(png_size "$icon")" = "$size $size" ] || fail "$icon is not a $size-pixel PNG"
  done
done
cmp -s "$src/res/kalmeno/icon_48.png" "$XDG_DATA_HOME/icons/hicolor/48x48/apps/kalmeno.png" || fail "not Kalmeno's own icon"

"$prefix/kalmeno-install" --autostart >/dev/null || fail "--autostart"
autostart="$XDG_CONFIG_HOME/autostart/kalmeno-today.desktop"
desktop-file-validate "$autostart" || fail "$autostart does not validate"
grep -qx "Exec=\"$prefix/kalmeno-today\"" "$autostart" || fail "$autostart does not start the Today screen"

# The user's data, written by the program after the install.
echo "the user's entries" > "$prefix/qmrv.dat"
make -s --no-print-directory -C "$src" uninstall BUILD="$build" PREFIX="$prefix" || fail "make uninstall"
# The registry (and its lock) hold other programs' settings too: only the item's key goes.
left="$(cd "$work" && find . \( -type f -o -type l \) ! -name 'registry.reg*' | sort | tr '\n' ' ')"
[ "$left" = "./my apps/kalmeno/qmrv.dat " ] || fail "left behind: $left"
[ "$(cat "$prefix/qmrv.dat")" = "the user's entries" ] || fail "the data file changed"
! grep -q 'Items\\Kalmeno' "$KALMENO_REGISTRY" || fail "the Today item is still in the registry"
rm -rf "$work"
echo "install and uninstall: ok"
