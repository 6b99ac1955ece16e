#!/usr/bin/env bash
# The built program as the world outside treats it: started without a display, under a
# file-size limit, its terminal closed (SIGHUP), and ended (SIGTERM) while a message box waits
# for an answer. Each time it ends within seconds, with the status and the files it should.
#   outside_program_test.sh <path of the quillary program>
set -euo pipefail
program=$(realpath "$1")
work=$(mktemp -d)
game=""
trap 'kill "$server" ${game:+"$game"} 2>/dev/null || true; rm -rf "$work"' EXIT

source "$(dirname "$0")/own_x_server.sh"
start_own_x_server "$work"
export XDG_DATA_HOME="$work/data" SDL_AUDIODRIVER=dummy
# The program's end is the subject; leaks are checked by the in-process sessions.
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0"
folder="$work/data/Brambleworth/Quillary"
mkdir -p "$work/elsewhere"
cd "$work/elsewhere"

fail() { echo "$*"; exit 1; }

# Starts the game under the given command prefix, with the user folder as laid before, and
# waits for its window.
start() {
  "$@" "$program" 2>"$work/stderr" &
  game=$!
  window=$(timeout 30 xdotool search --sync --pid "$game" --name '^Quillary$' | head -n 1)
  sleep 0.5
}
click() {  # client x, y
  xdotool mousemove --window "$window" "$1" "$2" click 1
  sleep 0.4
}
# Waits at most $1 seconds for the game to end and checks its exit status against $2.
expect_end() {
  timeout "$1" tail --pid="$game" -f /dev/null || fail "$case: still running after $1 s"
  local status=0
  wait "$game" || status=$?
  game=""
  [ "$status" -eq "$2" ] || fail "$case: exit status $status, not $2"
}
size() { stat -c %s "$folder/$1" 2>/dev/null || echo none; }
fresh_folder() { rm -rf "$work/data"; mkdir -p "$folder"; }

case="no display"
for display in unset ":$(( $(cat "$work/display") + 50 ))"; do
  status=0
  if [ "$display" = unset ]; then
    timeout 10 env -u DISPLAY -u WAYLAND_DISPLAY "$program" 2>"$work/stderr" || status=$?
  else
    timeout 10 env -u WAYLAND_DISPLAY DISPLAY="$display" "$program" 2>"$work/stderr" || status=$?
  fi
  [ "$status" -ne 0 ] && [ "$status" -ne 124 ] || fail "$case ($display): exit status $status"
  grep -q "no display" "$work/stderr" || fail "$case ($display): no message on stderr"
done

case="SIGHUP"
fresh_folder
start
click 480 210  # No: a new game
kill -HUP "$game"
expect_end 10 0
[ "$(size data.inf):$(size menu.inf)" = "340:12" ] || fail "$case: the game and the settings were not stored"

case="a file-size limit"
fresh_folder
head -c 340 /dev/urandom >"$folder/data.inf"
cp "$folder/data.inf" "$work/old-data.inf"
start prlimit --fsize=200
click 480 210
kill -TERM "$game"
expect_end 10 0
cmp -s "$folder/data.inf" "$work/old-data.inf" || fail "$case: the stored game was not kept whole"
[ "$(size menu.inf)" = 12 ] || fail "$case: the settings, which fit, were not stored"
[ "$(ls -A "$folder" | wc -l)" = 3 ] || fail "$case: left $(ls -A "$folder" | tr '\n' ' ')"

case="SIGTERM during a box"
fresh_folder
start
click 480 210
click 105 400  # Options
click 400 100  # Display row: this screen has no 800 by 600 mode, so a question box shows
helper=""
for _ in $(seq 50); do
  helper=$(ps -o pid= --ppid "$game" | tr -d ' ')
  [ -n "$helper" ] && break
  sleep 0.1
done
[ -n "$helper" ] || fail "$case: no box showed"
kill -TERM "$game"
expect_end 3 0
[ "$(od -An -tu4 -N4 "$folder/menu.inf" | tr -d ' ')" = 1 ] || fail "$case: the settings were not stored"
[ "$(size data.inf)" = 340 ] || fail "$case: the game was not stored"
sleep 0.5
case $(ps -o stat= -p "$helper" || true) in ""|Z*) ;; *) fail "$case: the box outlived the game" ;; esac
echo "no display, SIGHUP, a file-size limit and SIGTERM during a box: all ended as they should"
