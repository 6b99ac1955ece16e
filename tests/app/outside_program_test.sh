#!/usr/bin/env bash
# The built program as the world outside treats it: started without a display, under a
# file-size limit, its terminal closed (SIGHUP), and sent SIGTERM while a message box waits.
# Each time it ends within seconds, with the status and the files it should.
#   outside_program_test.sh <path of the quillary program>
set -euo pipefail
program=$(realpath "$1")
work=$(mktemp -d)
game=""
source "$(dirname "$0")/own_x_server.sh"
end_test_on_exit
start_own_x_server "$work"
# The program's end is the subject; leaks are checked by the in-process sessions.
export XDG_DATA_HOME="$work/data" SDL_AUDIODRIVER=dummy ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0"
folder="$work/data/Brambleworth/Quillary"
cd "$work"
fail() { echo "$case: $*"; exit 1; }
size() { stat -c %s "$folder/$1" 2>/dev/null || echo none; }

# Starts the game under the given command prefix on a fresh user folder, and answers No to the
# start-up question.
start() {
  rm -rf "$work/data" && mkdir -p "$folder" && cp "$work/keep"/* "$folder/" 2>/dev/null || true
  "$@" "$program" >>"$work/game.log" 2>&1 &
  game=$!
  window=$(timeout 30 xdotool search --sync --pid "$game" --name '^Quillary$' | head -n 1)
  sleep 0.5
  click 480 210
}
click() { xdotool mousemove --window "$window" "$1" "$2" click 1; sleep 0.4; }
# Sends the signal, then waits at most $2 seconds for the game to end with status 0.
end_with() {
  kill "-$1" "$game"
  timeout "$2" tail --pid="$game" -f /dev/null || fail "still running after $2 s"
  local status=0
  wait "$game" || status=$?
  game=""
  [ "$status" -eq 0 ] || fail "exit status $status"
}

case="no display"
for display in unset "" ":$(($(cat display) + 50))"; do
  if [ "$display" = unset ]; then set -- -u DISPLAY; else set -- DISPLAY="$display"; fi
  status=0
  timeout 10 env -u WAYLAND_DISPLAY "$@" "$program" 2>stderr || status=$?
  [ "$status" -ne 0 ] && [ "$status" -ne 124 ] || fail "exit status $status"
  grep -q "no display" stderr || fail "no message on stderr"
done

case="SIGHUP"
mkdir -p keep
start
end_with HUP 10
[ "$(size data.inf):$(size menu.inf)" = 340:12 ] || fail "the game and the settings were not stored"

case="a file-size limit"
head -c 340 /dev/urandom >keep/data.inf
start prlimit --fsize=200
end_with TERM 10
cmp -s "$folder/data.inf" keep/data.inf || fail "the stored game was not kept whole"
[ "$(size menu.inf)" = 12 ] || fail "the settings, which fit, were not stored"
[ "$(ls -A "$folder" | wc -l)" = 3 ] || fail "left $(ls -A "$folder" | tr '\n' ' ')"

case="SIGTERM during a box"
start
click 105 400  # Options
click 400 100  # Display row: this screen has no 800 by 600 mode, so a question box shows
for _ in $(seq 50); do
  helper=$(ps -o pid= --ppid "$game" | tr -d ' ')
  [ -n "$helper" ] && break
  sleep 0.1
done
[ -n "$helper" ] || fail "no box showed"
end_with TERM 3
[ "$(od -An -tu4 -N4 "$folder/menu.inf" | tr -d ' ')" = 1 ] || fail "the settings were not stored"
cmp -s "$folder/data.inf" keep/data.inf && fail "the game was not stored"
sleep 0.5
case $(ps -o stat= -p "$helper" || true) in "" | Z*) ;; *) fail "the box outlived the game" ;; esac
echo "no display, SIGHUP, a file-size limit and SIGTERM during a box: all ended as they should"
