# Sourced by the scripts and the end-to-end test that need a virtual X display of their own.
# start_xvfb WORK-DIR [SCREEN]: Xvfb picks a free display and reports it (-displayfd); returns
# once the server answers, with DISPLAY exported, XVFB_PID and XVFB_SOCKET set.
# stop_xvfb: ends the server cleanly, so that it takes its socket and lock file with it.
XVFB_PID=
XVFB_SOCKET=

start_xvfb() {
  local work=$1 screen=${2:-1280x1024x24}
  Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
  XVFB_PID=$!
  local _
  for _ in $(seq 300); do
    [ -s "$work/display" ] && break
    kill -0 "$XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  [ -s "$work/display" ] || { echo "Xvfb did not start:" >&2; cat "$work/xvfb.log" >&2; return 1; }
  local number
  number=$(head -n1 "$work/display")
  export DISPLAY=":$number"
  XVFB_SOCKET=/tmp/.X11-unix/X$number
  # A reported display may still be setting up.
  for _ in $(seq 300); do
    xdpyinfo >/dev/null 2>&1 && return 0
    kill -0 "$XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  echo "Xvfb on $DISPLAY does not answer:" >&2
  cat "$work/xvfb.log" >&2
  return 1
}

stop_xvfb() {
  [ -n "$XVFB_PID" ] || return 0
  kill -TERM "$XVFB_PID" 2>/dev/null || true
  wait "$XVFB_PID" 2>/dev/null || true
  XVFB_PID=
}
