#!/usr/bin/env bash
# Takes docs/about-window.png: the About window as the program shows it at start, on a virtual
# display (Xvfb, no window manager, so the picture is the window's contents without a frame).
# Usage: scripts/screenshot-about.sh [OUT.png]; VANTREL=path/to/vantrel skips the build.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
if ! command -v import >/dev/null; then
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends imagemagick
fi
exe=${VANTREL:-}
if [ -z "$exe" ]; then
  cmake --preset default >/dev/null
  cmake --build --preset default -j "$(nproc)" --target vantrel
  exe=build/default/bin/vantrel
fi

out=${1:-docs/about-window.png}
source scripts/xvfb.sh
work=$(mktemp -d)
pid=
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  stop_xvfb
  rm -rf "$work"
}
trap cleanup EXIT
start_xvfb "$work"
unset QT_QPA_PLATFORM

"$exe" >"$work/app.log" 2>&1 &
pid=$!
# The About window is the first and, for 4 s, the only window.
wid=$(xdotool search --sync --onlyvisible --class vantrel | head -1)
sleep 1  # let it paint
import -window "$wid" "$out"
echo "wrote $out"
