#!/usr/bin/env bash
# Inside Xvfb and a session bus: starts the window manager and the accessibility bus, then the
# driver, which starts the program itself. Both are ended and waited for before the session goes.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
exe=$1 scenario=$2

/usr/libexec/at-spi-bus-launcher --launch-immediately &
bus=$!
wm=
trap 'kill "$bus" $wm 2>/dev/null || true; wait "$bus" $wm 2>/dev/null || true' EXIT

# The window manager has taken the display once it names itself on the root window. Seen once
# under load: it could not open a display that had just answered; a new start then succeeds.
wm_ready() {
  for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
    kill -0 "$wm" 2>/dev/null || return 1
    sleep 0.1
  done
  return 0
}
for attempt in 1 2 3; do
  jwm -f "$here/jwm-rc.xml" &
  wm=$!
  wm_ready && break
  wait "$wm" 2>/dev/null || true
  wm=
  echo "the window manager did not start (attempt $attempt)" >&2
  sleep 0.5
done
[ -n "$wm" ] || exit 1

# The driver needs Debian's pyatspi, which only the system's own interpreter has.
/usr/bin/python3 -u "$here/drive.py" "$exe" "$scenario"
