# Sourced: start_xvfb sets DISPLAY to a private Xvfb; stop_xvfb ends it.
start_xvfb() {
  local n
  for n in $(seq 90 120); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
    QL_XVFB_PID=$!
    for _ in $(seq 1 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && { export DISPLAY=":$n"; return 0; }
      sleep 0.1
    done
    kill "$QL_XVFB_PID" 2>/dev/null
  done
  echo "xvfb: could not start a display" >&2
  return 1
}
stop_xvfb() { [ -n "${QL_XVFB_PID:-}" ] && kill "$QL_XVFB_PID" 2>/dev/null; QL_XVFB_PID=; }
