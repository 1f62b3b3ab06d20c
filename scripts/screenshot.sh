#!/usr/bin/env bash
# Takes docs/main-window.png: the main window after a 3 x 3 calculation, on a virtual X display.
# Builds what it needs first, in the default preset's build tree or in VANTREL_BUILD_DIR.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh

if [ -n "${VANTREL_BUILD_DIR:-}" ]; then
  build=$VANTREL_BUILD_DIR
  [ -f "$build/build.ninja" ] || cmake -S . -B "$build" -G Ninja >/dev/null
  cmake --build "$build" --target main_window_screenshot
else
  build=build/default
  cmake --preset default >/dev/null
  cmake --build --preset default --target main_window_screenshot
fi
helper=$build/bin/main_window_screenshot
out=docs/main-window.png

source scripts/xvfb.sh
work=$(mktemp -d)
helper_pid=
cleanup() {
  [ -n "$helper_pid" ] && kill "$helper_pid" 2>/dev/null || true
  stop_xvfb
  rm -rf "$work"
}
trap cleanup EXIT
start_xvfb "$work" 1024x768x24
export QT_QPA_PLATFORM=xcb

"$helper" "$work/done" >"$work/helper.out" 2>"$work/helper.err" &
helper_pid=$!
for _ in $(seq 300); do
  grep -q '^ready$' "$work/helper.out" 2>/dev/null && break
  kill -0 "$helper_pid" 2>/dev/null || break
  sleep 0.1
done
grep -q '^ready$' "$work/helper.out" || {
  echo "the screenshot helper did not get ready:" >&2
  cat "$work/helper.err" >&2
  exit 1
}

# The main window is the only one titled "Vantrel".
window=$(xdotool search --onlyvisible --name '^Vantrel$' | head -n1)
[ -n "$window" ] || { echo "no window titled Vantrel" >&2; exit 1; }
mkdir -p docs
import -window "$window" "$out"
touch "$work/done"
wait "$helper_pid" || true
helper_pid=
echo "wrote $out"
