#!/usr/bin/env bash
# `make install` and `make uninstall` with a temporary PREFIX (with a space in it) and temporary
# XDG folders: the desktop entries validate, the icons are the programs' own at their sizes,
# `kalmeno-install --autostart` run from the installation adds the Today screen to the login's
# autostart, the tools and their manuals are linked into the user's folders, and the uninstall
# leaves nothing the install wrote (nor the folders it made, nor an emptied registry), but the data file.
# Usage: install_test.sh SOURCE-FOLDER BUILD-FOLDER
set -u
src="$1"
build="$2"
work="$(mktemp -d /tmp/kalmeno-inst.XXXXXX)"
fail() { echo "FAIL: $*"; echo "kept for a look: $work"; exit 1; }

prefix="$work/my apps/kalmeno"
export HOME="$work/home" XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config"
export KALMENO_REGISTRY="$work/registry.reg"
mkdir -p "$HOME"
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

# The tools on PATH and their manuals where man finds them, linked into the installation.
for tool in kalmeno-lunar kalmeno-ics; do
  [ "$(readlink "$HOME/.local/bin/$tool")" = "$prefix/$tool" ] || fail "$tool is not linked into ~/.local/bin"
  [ "$(readlink "$XDG_DATA_HOME/man/man1/$tool.1")" = "$prefix/man/man1/$tool.1" ] || fail "no manual link for $tool"
done
"$HOME/.local/bin/kalmeno-lunar" 2024-09-17 | grep -q "음력 2024년 08월 15일" || fail "the linked kalmeno-lunar does not run"
[ "$(MANPATH="$XDG_DATA_HOME/man" man -w kalmeno-ics)" = "$prefix/man/man1/kalmeno-ics.1" ] || fail "man does not find kalmeno-ics"

"$prefix/kalmeno-install" --autostart >/dev/null || fail "--autostart"
autostart="$XDG_CONFIG_HOME/autostart/kalmeno-today.desktop"
desktop-file-validate "$autostart" || fail "$autostart does not validate"
grep -qx "Exec=\"$prefix/kalmeno-today\"" "$autostart" || fail "$autostart does not start the Today screen"

# The user's data, written by the program after the install.
echo "the user's entries" > "$prefix/qmrv.dat"
make -s --no-print-directory -C "$src" uninstall BUILD="$build" PREFIX="$prefix" || fail "make uninstall"
# The registry held only the item's key: the file and its lock go too. Folders the install made
# go once empty; the user's home and the XDG folders stay.
left="$(cd "$work" && find . -mindepth 1 | LC_ALL=C sort | tr '\n' ' ')"
[ "$left" = "./config ./data ./home ./my apps ./my apps/kalmeno ./my apps/kalmeno/qmrv.dat " ] || fail "left behind: $left"
[ "$(cat "$prefix/qmrv.dat")" = "the user's entries" ] || fail "the data file changed"

# A registry that holds other keys, kept as a link to a private file: the install writes through
# the link and keeps the file's mode; the uninstall takes only the item's key.
mkdir -p "$work/kept"
printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Other]\n"Value"="kept"\n' > "$work/kept/registry.reg"
chmod 600 "$work/kept/registry.reg"
ln -s "$work/kept/registry.reg" "$KALMENO_REGISTRY"
make -s --no-print-directory -C "$src" install-files BUILD="$build" PREFIX="$prefix" >/dev/null || fail "make install again"
[ -L "$KALMENO_REGISTRY" ] || fail "the registry link was replaced by a file"
[ "$(stat -c %a "$work/kept/registry.reg")" = 600 ] || fail "the registry file's mode changed"
grep -q 'Items\\Kalmeno' "$work/kept/registry.reg" || fail "the Today item was not written through the link"
make -s --no-print-directory -C "$src" uninstall BUILD="$build" PREFIX="$prefix" >/dev/null || fail "make uninstall again"
! grep -q 'Items\\Kalmeno' "$work/kept/registry.reg" || fail "the Today item is still in the registry"
grep -q '"Value"="kept"' "$work/kept/registry.reg" || fail "another program's key was lost"
rm -rf "$work"
echo "install and uninstall: ok"
