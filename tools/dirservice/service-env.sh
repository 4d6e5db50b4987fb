# Sourced by scripts: starts the local directory service on a free port of 127.0.0.1 and
# exports TREBANIX_SERVICE_URL; dirservice_stop (trap it on EXIT) ends it again.
DIRSERVICE_PID=""
DIRSERVICE_DIR=""

dirservice_start() {
  local here
  here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
  DIRSERVICE_DIR=$(mktemp -d)
  python3 "$here/dirservice.py" --port-file "$DIRSERVICE_DIR/port" --parent-pid $$ "$@" \
    >/dev/null 2>"$DIRSERVICE_DIR/log" &
  DIRSERVICE_PID=$!
  for _ in $(seq 1 100); do
    [ -s "$DIRSERVICE_DIR/port" ] && break
    kill -0 "$DIRSERVICE_PID" 2>/dev/null || break
    sleep 0.05
  done
  if [ ! -s "$DIRSERVICE_DIR/port" ]; then
    echo "The directory service did not start:" >&2
    cat "$DIRSERVICE_DIR/log" >&2
    dirservice_stop
    return 1
  fi
  export TREBANIX_SERVICE_URL="http://127.0.0.1:$(cat "$DIRSERVICE_DIR/port")"
  export no_proxy="127.0.0.1${no_proxy:+,$no_proxy}"
}

dirservice_stop() {
  if [ -n "$DIRSERVICE_PID" ]; then
    kill "$DIRSERVICE_PID" 2>/dev/null && wait "$DIRSERVICE_PID" 2>/dev/null
  fi
  [ -n "$DIRSERVICE_DIR" ] && rm -rf "$DIRSERVICE_DIR"
  DIRSERVICE_PID="" DIRSERVICE_DIR=""
  return 0
}
