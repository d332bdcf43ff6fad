# Sourced by the scripts: the helpers they share.

# step WHAT COMMAND...: runs the command; if it fails, says which step failed
# and with what status, and ends the script with status 1.
step() {
  local what=$1 status=0
  shift
  "$@" || status=$?
  [ "$status" -eq 0 ] || fail "$what failed (status $status)"
}

fail() {
  echo "$(basename "$0"): $*" >&2
  exit 1
}

# Starts a private Xvfb (800x600x16 unless XVFB_SCREEN says otherwise) and
# exports DISPLAY; stop_xvfb ends it.
start_xvfb() {
  local out
  out=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "${XVFB_SCREEN:-800x600x16}" -noreset -nolisten tcp \
    3>"$out" 2>/dev/null &
  XVFB_PID=$!
  for _ in $(seq 100); do
    [ -s "$out" ] && break
    sleep 0.1
  done
  [ -s "$out" ] || { echo "Xvfb did not start" >&2; return 1; }
  export DISPLAY=":$(tr -d '\n' <"$out")"
  rm -f "$out"
}

stop_xvfb() {
  kill "$XVFB_PID" 2>/dev/null || true
  wait "$XVFB_PID" 2>/dev/null || true
}
