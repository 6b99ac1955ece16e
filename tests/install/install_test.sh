#!/usr/bin/env bash
# install_test.sh <cmake> <build folder> <version>: installs the build into a temporary prefix,
# moves the prefix elsewhere, and plays the installed game from yet another folder on the X
# server of the suite: declines the kept game, quits through the Quit question and checks the
# files the game wrote. Then checks the command line, the desktop entry, the metainfo and the
# icons, and that their names match the application id.
set -euo pipefail
cmake=$1 build=$2 version=$3
id=io.github.brambleworth.Quillary

for tool in xdotool desktop-file-validate appstreamcli; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

fail() { echo "FAIL: $*" >&2; exit 1; }
[ -n "${DISPLAY:-}" ] || fail "no X display (run the suite under xvfb-run)"

work=$(mktemp -d)
pid=
cleanup() {
  local status=$?
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  # The game's output, kept in a file so that a game left running holds no output of the test.
  [ "$status" -eq 0 ] || cat "$work/game.log" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

"$cmake" --install "$build" --prefix "$work/staged" >/dev/null
# Moved after installing: the program must find its data relative to where it lies now.
mv "$work/staged" "$work/prefix"
prefix=$work/prefix game=$work/prefix/bin/quillary
share=$prefix/share

# The command line.
[ "$("$game" --version)" = "quillary $version" ] || fail "--version printed '$("$game" --version)'"
"$game" --help | grep -q '^Usage: quillary' || fail "--help printed no usage line"
status=0
"$game" --fullscreen >/dev/null 2>"$work/refused" || status=$?
[ "$status" -eq 2 ] || fail "an unknown argument ended with status $status, not 2"
grep -q '^Usage: quillary' "$work/refused" || fail "an unknown argument printed no usage line on stderr"

# A game played from another folder: No to the kept game, then Quit and Yes.
mkdir "$work/elsewhere" "$work/data"
# In a sanitizer build, no leak check at the game's exit: SDL_Quit has unloaded the X and GL
# libraries by then, so their allocations cannot be told from the game's, nor suppressed.
(cd "$work/elsewhere" && exec env XDG_DATA_HOME="$work/data" SDL_AUDIODRIVER=dummy \
  ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" "$game" >"$work/game.log" 2>&1) &
pid=$!
window=$(timeout 60 xdotool search --sync --onlyvisible --all --pid "$pid" --name '^Quillary$' | head -n 1) ||
  fail "the installed game showed no window"
click() {  # client pixels of the 640 by 480 window
  sleep 1
  xdotool mousemove --window "$window" "$1" "$2" click 1
}
click 480 210
click 105 440
click 350 210
for _ in $(seq 60); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.5
done
kill -0 "$pid" 2>/dev/null && fail "the game did not quit"
status=0
wait "$pid" || status=$?
pid=
[ "$status" -eq 0 ] || fail "the game ended with status $status"
folder=$work/data/Brambleworth/Quillary
for expected in data.inf:340 menu.inf:12 hiscores:130; do
  file=${expected%%:*} size=${expected##*:}
  [ -f "$folder/$file" ] || fail "the game wrote no $file"
  [ "$(stat -c %s "$folder/$file")" -eq "$size" ] || fail "$file has $(stat -c %s "$folder/$file") bytes, not $size"
done

# The installed files and their metadata.
for file in quillary/help.htm quillary/base/tex00.bmp man/man6/quillary.6.gz; do
  [ -f "$share/$file" ] || fail "share/$file is not installed"
done
desktop-file-validate "$share/applications/$id.desktop" || fail "the desktop entry is not valid"
appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml" || fail "the metainfo is not valid"
grep -qx "Icon=$id" "$share/applications/$id.desktop" || fail "the desktop entry names another icon"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$share/metainfo/$id.metainfo.xml" ||
  fail "the metainfo launches another desktop entry"
for size in 16 22 24 32 48 64 128 256; do
  icon=$share/icons/hicolor/${size}x${size}/apps/$id.png
  [ -f "$icon" ] || fail "no ${size}x${size} icon"
  [ "$(od -An -tx1 -N8 "$icon" | tr -d ' ')" = 89504e470d0a1a0a ] || fail "$icon is not a PNG"
  # The width and height of the header chunk, big-endian words from byte 16.
  read -r width height < <(od -An -tu1 -j16 -N8 "$icon" |
    awk '{ print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4, $5 * 16777216 + $6 * 65536 + $7 * 256 + $8 }')
  [ "$width" -eq "$size" ] && [ "$height" -eq "$size" ] || fail "$icon is ${width}x$height"
done
echo "installed, played and validated"
