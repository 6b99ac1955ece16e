# Sourced by the tests of the built program: an X server of the test's own.
#   end_test_on_exit: at the test's exit, ends the X server and the game in `game` if one still
#     runs, shows the game's output (`$work/game.log`) if the test failed, and removes `$work`.
#     The game writes to that file, not to the test's output: the test runner waits for its
#     own output to close, which a game left running would hold open.
#   start_own_x_server <work folder>: starts Xvfb, sets `server` to its process and DISPLAY to it.
start_own_x_server() {
  exec 3>"$1/display"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  server=$!
  for _ in $(seq 100); do [ -s "$1/display" ] && break; sleep 0.1; done
  export DISPLAY=":$(cat "$1/display")"
}

end_test_on_exit() {
  trap 'status=$?; kill ${server:+"$server"} ${game:+"$game"} 2>/dev/null || true
    [ "$status" -eq 0 ] || cat "$work/game.log" 2>/dev/null; rm -rf "$work"' EXIT
}
