#!/usr/bin/env bash
# Runs the end-to-end session on a display and a session bus of its own.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
exe=${1:?usage: run_e2e.sh PATH-TO-VANTREL}
exec xvfb-run -a -s "-screen 0 1280x1024x24" \
  dbus-run-session -- bash "$here/e2e_session.sh" "$exe"
