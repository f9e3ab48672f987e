#!/usr/bin/env bash
# What an uninstall may remove, case by case: only what really lies in its PREFIX (not through a
# folder link in it), and of the user's menu, tools and registry only what names this PREFIX; a
# PREFIX the list of installed files cannot hold is refused at install.
# Usage: uninstall_bounds_test.sh SOURCE-FOLDER BUILD-FOLDER
set -u
src="$1"
build="$2"
work="$(mktemp -d /tmp/kalmeno-uninst.XXXXXX)"
fail() { echo "FAIL: $*"; echo "kept for a look: $work"; exit 1; }
export HOME="$work/home" XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config"
export KALMENO_REGISTRY="$work/registry.reg"
mkdir -p "$HOME"
install_to() { make -s --no-print-directory -C "$src" install-files BUILD="$build" PREFIX="$1" >/dev/null 2>&1; }
uninstall_from() { make -s --no-print-directory -C "$src" uninstall BUILD="$build" PREFIX="$1" >/dev/null 2>&1; }

# 1. Listed files outside PREFIX named as the menu's files, and a file reached through a folder
#    link inside PREFIX, are not the installation's.
old="$work/old"
install_to "$old" || fail "install into $old"
mkdir -p "$work/elsewhere"
for name in kalmeno.png kalmeno.desktop precious; do echo "the user's $name" > "$work/elsewhere/$name"; done
ln -s "$work/elsewhere" "$old/linked"
printf '%s\n' "$work/elsewhere/kalmeno.png" "$work/elsewhere/kalmeno.desktop" "$old/linked/precious" \
  >> "$old/install-manifest.txt"
# 2. A newer installation elsewhere now owns the registry key, the menu entries and the tool links.
new="$work/new"
install_to "$new" || fail "install into $new"
uninstall_from "$old"
for name in kalmeno.png kalmeno.desktop precious; do
  [ "$(cat "$work/elsewhere/$name")" = "the user's $name" ] || fail "$work/elsewhere/$name was removed"
done
[ ! -e "$old/kalmeno" ] || fail "the old installation's program is still there"
grep -qF '\\new\\kalmeno"' "$KALMENO_REGISTRY" || fail "the newer installation's registry key was removed"
grep -qx "Exec=\"$new/kalmeno\"" "$XDG_DATA_HOME/applications/kalmeno.desktop" || fail "the newer menu entry was removed"
[ -f "$XDG_DATA_HOME/icons/hicolor/48x48/apps/kalmeno.png" ] || fail "the newer menu icon was removed"
[ "$(readlink "$HOME/.local/bin/kalmeno-lunar")" = "$new/kalmeno-lunar" ] || fail "the newer tool link was removed"
uninstall_from "$new" || fail "uninstall of $new"
[ ! -e "$XDG_DATA_HOME/applications/kalmeno.desktop" ] && [ ! -e "$HOME/.local/bin/kalmeno-lunar" ] ||
  fail "the newer installation's own uninstall left its menu entry or tool link"
! grep -q 'Items\\Kalmeno' "$KALMENO_REGISTRY" 2>/dev/null || fail "the newer uninstall left the registry key"

# 3. A PREFIX with a ';' is refused before anything is installed.
install_to "$work/a;b" && fail "a PREFIX with ';' was accepted"
[ ! -e "$work/a;b" ] || fail "something was installed into a PREFIX with ';'"
[ ! -e "$KALMENO_REGISTRY" ] || fail "the refused install wrote the registry"

rm -rf "$work"
echo "uninstall bounds: ok"
