#!/usr/bin/env bash
# Inside Xvfb and a session bus: starts the accessibility bus, then the driver, which starts the
# program itself. The accessibility bus is ended and waited for before the session goes.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
/usr/libexec/at-spi-bus-launcher --launch-immediately &
bus=$!
trap 'kill "$bus" 2>/dev/null || true; wait "$bus" 2>/dev/null || true' EXIT
# The driver needs Debian's pyatspi, which only the system's own interpreter has.
/usr/bin/python3 "$here/${2:-drive.py}" "$1"
