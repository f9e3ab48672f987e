# Shared by the real-window tests (sourced after they set $work and $prefix, and $trace when they
# keep one): one failure message, the clean-up, the watchdog and the X display.
# Each test runs in a process group of its own (window_test_group, before anything is started),
# so that the clean-up and the watchdog end everything it started.

window_test_name="$(basename "$0" .sh)"

window_test_group() {
  if [ "${KALMENO_WINDOW_TEST_GROUP:-}" != "$$" ] && [ "$(ps -o pgid= $$ | tr -d ' ')" != "$$" ]; then
    exec setsid --wait "$0" "$@"
  fi
  export KALMENO_WINDOW_TEST_GROUP=$$
}

fail() {
  echo "$window_test_name: $*" >&2
  exit 1
}

# On exit: everything else in the group (the programs, Xvfb, the watchdog) ends; the scratch
# folders go when the test passed and stay, named, when it failed.
window_test_finish() {
  local status=$?
  trap - EXIT
  trap '' TERM
  kill -TERM -- -$$ 2>/dev/null || true
  wait 2>/dev/null || true
  if [ $status -eq 0 ]; then
    rm -rf "$work" "$prefix"
  else
    echo "kept for inspection: $work (installed into $prefix)" >&2
    [ -n "${trace:-}" ] && [ -f "$trace" ] && tail -20 "$trace" >&2
  fi
  exit $status
}

# Clean-up on exit, and a watchdog that stops everything if the test hangs.
window_test_guard() {
  trap window_test_finish EXIT
  ( sleep 240; echo "$window_test_name: watchdog: no end after 240 s; everything is stopped" >&2
    kill -KILL -- -$$ ) &
}

# start_xvfb WxH [Xvfb options...]: a real X display of that size; sets DISPLAY.
start_xvfb() {
  local size="$1" xvfb
  shift
  exec 3>"$work/display"
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp "$@" >"$work/xvfb.log" 2>&1 &
  xvfb=$!
  for (( ; ; )); do
    [ -s "$work/display" ] && break
    kill -0 "$xvfb" 2>/dev/null || fail "Xvfb did not start: $(tail -5 "$work/xvfb.log")"
    sleep 0.1
  done
  export DISPLAY=":$(head -1 "$work/display")"
}
