#!/usr/bin/env bash
# Takes the screenshots that software centres show, from the real program under its own Xvfb server: one
# picture for each <screenshot> of packaging/quavix.metainfo.xml.in, named as the metainfo names it.
# Usage: scripts/screenshots.sh [program] [folder]
#   program  the program to photograph; by default the release build (built as scripts/run.sh builds it)
#   folder   where the pictures go; by default build/screenshots/<version>
# The pictures are published with each release under the address the metainfo gives them
# (https://www.tonewright.example/quavix/screenshots/<version>/); the repository keeps this script, not them.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
version=$(sed -n 's/^project(Quavix VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
program=${1:-}
folder=${2:-build/screenshots/$version}

if [ -z "${QUAVIX_SCREENSHOTS_INNER:-}" ]; then
  scripts/install-deps.sh --package
  if [ -z "$program" ]; then
    cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUAVIX_BUILD_TESTS=OFF \
      -DQUAVIX_BUILD_BENCH=OFF >/dev/null
    cmake --build build/release --target quavix
    program=$root/build/release/src/app/quavix
  fi
  program=$(command -v "$program") || { echo "no program $1" >&2; exit 1; }
  mkdir -p "$folder"
  # A screen of 24 bits, so the program shows its full colours; white where no window covers it.
  QUAVIX_SCREENSHOTS_INNER=1 exec xvfb-run -a -s "-screen 0 1280x1024x24 -wr" "$root/scripts/screenshots.sh" "$program" "$(realpath "$folder")"
fi

unset QT_QPA_PLATFORM
# The program as it reads in English, the language the metainfo's captions are written in.
export LC_ALL=C.UTF-8 LANGUAGE=en
# The names the metainfo gives the pictures, in its order.
mapfile -t shots < <(grep -o '@QUAVIX_SCREENSHOT_URL@/[a-z0-9-]*\.png' packaging/quavix.metainfo.xml.in |
  sed 's|.*/||; s|\.png$||')
[ ${#shots[@]} -gt 0 ] || { echo "the metainfo names no screenshots" >&2; exit 1; }

pid=''
runtime=''
windows=()
stop() {
  if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; fi
  [ -z "$runtime" ] || rm -rf "$runtime"
  pid='' runtime=
}
trap stop EXIT

# Starts a fresh copy of the program (its own runtime folder, so no other copy answers in its place) and
# gives its main window the keyboard.
start() {
  runtime=$(mktemp -d)
  XDG_RUNTIME_DIR=$runtime "$program" &
  pid=$!
  window=$(timeout 30 xdotool search --sync --all --onlyvisible --pid "$pid" --name '^Quavix 2$' | head -n 1)
  windows=("$window")
  xdotool windowfocus --sync "$window"
  # The pointer away from the window, so the status bar shows no hint and nothing is lit.
  xdotool mousemove 1200 1000
  sleep 0.5
}
keys() { xdotool key --delay 150 "$@"; }
# A running quiz, one second into the countdown of its first note.
quiz() {
  keys space
  sleep 1.3
}

shot_buttons() { start; quiz; }
shot_piano() { start; keys F3 F7 F9; quiz; }
shot_guitar() { start; keys F4; quiz; }
# The results of a quiz ended early, in their window beside the trainer. Letters typed one after another,
# each once the message of the one before has gone, so some answers are right and some wrong.
shot_results() {
  start
  xdotool windowmove --sync "$window" 0 0
  quiz
  for letter in c e g b d f a c; do
    keys "$letter"
    sleep 3.4
  done
  keys Return F10
  results=$(timeout 30 xdotool search --sync --all --onlyvisible --pid "$pid" --name '^Quavix 2 Results$' | head -n 1)
  sleep 1
  windows+=("$results")
}
# The help beside the main window, where it opens; the picture takes in both. The main window goes to the
# left of the screen first, so the help has its full width beside it.
shot_help() {
  start
  xdotool windowmove --sync "$window" 0 0
  keys F1
  help=$(timeout 30 xdotool search --sync --all --onlyvisible --pid "$pid" --name '^Quavix 2 Help$' | head -n 1)
  sleep 1
  windows+=("$help")
}

# Photographs the windows of the scene: one window alone, several as the part of the screen that holds them
# all.
photograph() {
  local left=100000 top=100000 right=0 bottom=0 X Y WIDTH HEIGHT
  for id in "${windows[@]}"; do
    eval "$(xdotool getwindowgeometry --shell "$id" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
    ((X < left)) && left=$X
    ((Y < top)) && top=$Y
    ((X + WIDTH > right)) && right=$((X + WIDTH))
    ((Y + HEIGHT > bottom)) && bottom=$((Y + HEIGHT))
  done
  if [ ${#windows[@]} -eq 1 ]; then
    import -window "${windows[0]}" "png:$1"
  else
    import -window root -crop "$((right - left))x$((bottom - top))+$left+$top" +repage "png:$1"
  fi
}

for name in "${shots[@]}"; do
  declare -F "shot_$name" >/dev/null || { echo "the metainfo names a screenshot $name.png this script cannot take" >&2; exit 1; }
  "shot_$name"
  file=$folder/$name.png
  photograph "$file"
  stop
  # A blank or one-colour picture means the window was not drawn when it was taken.
  colours=$(identify -format '%k' "$file")
  [ "$colours" -gt 16 ] || { echo "$file has only $colours colours" >&2; exit 1; }
  echo "$file: $(identify -format '%wx%h' "$file"), $colours colours"
done
