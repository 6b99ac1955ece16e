#!/usr/bin/env bash
# The built program as a player starts it: from another folder, on an X server of its own,
# driven by synthetic X input. It answers the start-up question, opens and closes the options,
# and quits; its exit status and the files it leaves are checked.
#   played_program_test.sh <path of the quillary program>
set -euo pipefail
program=$(realpath "$1")
work=$(mktemp -d)
game=""

source "$(dirname "$0")/own_x_server.sh"
end_test_on_exit
start_own_x_server "$work"

mkdir "$work/elsewhere" "$work/data"
cd "$work/elsewhere"
# In a sanitizer build the program's exit unloads the X and GL libraries before the leak
# checker runs, so their own leaks could not be told from the game's: leaks are checked by the
# in-process sessions instead.
XDG_DATA_HOME="$work/data" SDL_AUDIODRIVER=dummy ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0" \
  "$program" >"$work/game.log" 2>&1 &
game=$!
window=$(timeout 30 xdotool search --sync --name '^Quillary$' | head -n 1)

click() {  # client x, y
  xdotool mousemove --window "$window" "$1" "$2" click 1
  sleep 0.4
}
sleep 0.5
click 480 210  # No: a new game
click 105 400  # Options
click 414 298  # Back
click 105 440  # Quit
click 350 210  # Yes

status=0
timeout 20 tail --pid="$game" -f /dev/null || { echo "the game did not end"; exit 1; }
wait "$game" || status=$?
game=""
[ "$status" -eq 0 ] || { echo "exit status $status"; exit 1; }

folder="$work/data/Brambleworth/Quillary"
for file in data.inf:340 menu.inf:12 hiscores:130; do
  name=${file%:*} size=${file#*:}
  [ "$(stat -c %s "$folder/$name" 2>/dev/null)" = "$size" ] || { echo "$name is not $size bytes"; exit 1; }
done
echo "played and quit; data.inf, menu.inf and hiscores written"
