#!/usr/bin/env bash
# Runs the end-to-end session on an X display and a session bus of its own. Xvfb picks a free
# display and reports it (-displayfd), the session starts only once the server answers, and the
# server is ended cleanly afterwards, so that it takes its socket and lock file with it.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
exe=${1:?usage: run_e2e.sh PATH-TO-VANTREL}

work=$(mktemp -d)
xvfb=
socket_inode=
stop_xvfb() {
  [ -n "$xvfb" ] || return 0
  kill -TERM "$xvfb" 2>/dev/null || true
  wait "$xvfb" 2>/dev/null || true
  xvfb=
}
trap 'stop_xvfb; rm -rf "$work"' EXIT

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 300); do
  [ -s "$work/display" ] && break
  kill -0 "$xvfb" 2>/dev/null || break
  sleep 0.1
done
[ -s "$work/display" ] || { echo "Xvfb did not start:" >&2; cat "$work/xvfb.log" >&2; exit 1; }
number=$(head -n1 "$work/display")
export DISPLAY=":$number"
socket=/tmp/.X11-unix/X$number

# A reported display may still be setting up; the session needs one that answers.
for _ in $(seq 300); do
  xdpyinfo >/dev/null 2>&1 && break
  kill -0 "$xvfb" 2>/dev/null || break
  sleep 0.1
done
xdpyinfo >/dev/null 2>&1 || { echo "Xvfb on $DISPLAY does not answer:" >&2; cat "$work/xvfb.log" >&2; exit 1; }
socket_inode=$(stat -c %i "$socket" 2>/dev/null || true)

status=0
dbus-run-session -- bash "$here/e2e_session.sh" "$exe" || status=$?

stop_xvfb
# Another run may have taken the same display since; only this server's own socket counts.
if [ -n "$socket_inode" ] && [ "$(stat -c %i "$socket" 2>/dev/null || true)" = "$socket_inode" ]; then
  echo "Xvfb left its socket $socket behind" >&2
  [ "$status" -ne 0 ] || status=1
fi
exit "$status"
