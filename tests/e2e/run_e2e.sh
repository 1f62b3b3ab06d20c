#!/usr/bin/env bash
# Runs the end-to-end session on an X display and a session bus of its own. Xvfb picks a free
# display and reports it (-displayfd), the session starts only once the server answers, and the
# server is ended cleanly afterwards, so that it takes its socket and lock file with it.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
exe=${1:?usage: run_e2e.sh PATH-TO-VANTREL session|keys|empty_clipboard}
scenario=${2:?usage: run_e2e.sh PATH-TO-VANTREL session|keys|empty_clipboard}

source "$here/../../scripts/xvfb.sh"
work=$(mktemp -d)
trap 'stop_xvfb; rm -rf "$work"' EXIT
start_xvfb "$work"
socket=$XVFB_SOCKET
socket_inode=$(stat -c %i "$socket" 2>/dev/null || true)

status=0
dbus-run-session -- bash "$here/e2e_session.sh" "$exe" "$scenario" || status=$?

stop_xvfb
# Another run may have taken the same display since; only this server's own socket counts.
if [ -n "$socket_inode" ] && [ "$(stat -c %i "$socket" 2>/dev/null || true)" = "$socket_inode" ]; then
  echo "Xvfb left its socket $socket behind" >&2
  [ "$status" -ne 0 ] || status=1
fi
exit "$status"
