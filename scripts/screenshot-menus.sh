#!/usr/bin/env bash
# Takes screenshots of every drawn menu of the main window and of the Description window, opened
# with the keyboard as a user would (Alt and the menu's first letter), and of the Description
# window sized 700 x 300 and 300 x 600, on a virtual X display without a window manager.
# Usage: scripts/screenshot-menus.sh [OUT-FOLDER] (default build/screenshots);
# VANTREL=path/to/vantrel skips the build.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
exe=${VANTREL:-}
if [ -z "$exe" ]; then
  cmake --preset default >/dev/null
  cmake --build --preset default -j 4 --target vantrel
  exe=build/default/bin/vantrel
fi
out=${1:-build/screenshots}
mkdir -p "$out"

source scripts/xvfb.sh
work=$(mktemp -d)
app_pid=
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  stop_xvfb
  rm -rf "$work"
}
trap cleanup EXIT
start_xvfb "$work" 1280x1024x24
unset QT_QPA_PLATFORM

"$exe" >"$work/app.log" 2>&1 &
app_pid=$!

window_named() {
  for _ in $(seq 150); do
    wid=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1 || true)
    [ -n "$wid" ] && { echo "$wid"; return; }
    sleep 0.1
  done
  echo "no window titled $1" >&2
  exit 1
}

# The window and the menu that hangs below its bar, from the whole screen.
shoot_with_menu() {
  local wid=$1 file=$2
  eval "$(xdotool getwindowgeometry --shell "$wid")"
  import -window root -crop "$((WIDTH + 120))x$((HEIGHT + 40))+$X+$Y" +repage "$file"
}

shoot_menus() {
  local wid=$1 prefix=$2
  for letter in f e w h; do
    xdotool key --delay 50 "alt+$letter"
    sleep 0.5
    shoot_with_menu "$wid" "$out/$prefix-menu-$letter.png"
    xdotool key Escape
    sleep 0.3
  done
}

main=$(window_named Vantrel)  # after the About window's hand-over
sleep 1
shoot_menus "$main" main

# Window > Description, by the keyboard: the second item of the Window menu.
xdotool key --delay 100 alt+w Down Down Return
description=$(window_named Description)
sleep 1
shoot_menus "$description" description

for size in 700x300 300x600; do
  xdotool windowsize --sync "$description" "${size%x*}" "${size#*x}" || true
  sleep 0.7
  import -window "$description" "$out/description-$size.png"
done
echo "wrote $(ls "$out" | wc -l) screenshots to $out"
