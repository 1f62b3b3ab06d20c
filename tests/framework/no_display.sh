#!/bin/sh
# Runs the probe without a usable display. Passes when it ends with status 1 and one clear line
# of ours, instead of the platform's abort.
probe=$1
case $2 in
  none) out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$probe" 2>&1) ;;
  unreachable) out=$(env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=:9753 "$probe" 2>&1) ;;
  *) echo "unknown case $2"; exit 2 ;;
esac
status=$?
printf '%s\n' "$out"
[ "$status" -eq 1 ] || { echo "exit status $status, not 1"; exit 1; }
[ "$(printf '%s\n' "$out" | wc -l)" -eq 1 ] || { echo "not exactly one line"; exit 1; }
printf '%s\n' "$out" | grep -q '^Vantrel needs a graphical display: ' || { echo "not our line"; exit 1; }
