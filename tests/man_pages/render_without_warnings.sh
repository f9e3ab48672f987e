#!/bin/sh
# Renders each manual page as a reader would (man -l, else groff) and fails on any warning, or on
# a page that renders without its name line.
status=0
for page in "$@"; do
  name=$(basename "$page" .1)
  if command -v man >/dev/null 2>&1; then
    text=$(LANG=C.UTF-8 MANWIDTH=80 man -l --warnings "$page" 2>"$page.warnings.$$")
  else
    text=$(LANG=C.UTF-8 groff -man -Tutf8 -k -ww "$page" 2>"$page.warnings.$$")
  fi
  warnings=$(cat "$page.warnings.$$"); rm -f "$page.warnings.$$"
  if [ -n "$warnings" ]; then echo "$page: $warnings"; status=1; fi
  case "$text" in
    *"$name - "*) ;;
    *) echo "$page: no name line for $name in the rendered page"; status=1 ;;
  esac
done
exit $status
