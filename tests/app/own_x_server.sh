# Sourced by the tests of the built program: an X server of the test's own.
#   start_own_x_server <work folder>: starts Xvfb, sets `server` to its process and DISPLAY to it.
start_own_x_server() {
  exec 3>"$1/display"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  server=$!
  for _ in $(seq 100); do [ -s "$1/display" ] && break; sleep 0.1; done
  export DISPLAY=":$(cat "$1/display")"
}
