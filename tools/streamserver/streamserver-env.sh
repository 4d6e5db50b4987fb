# Sourced by scripts: starts the local stream server on a free port of 127.0.0.1 and exports
# TREBANIX_STREAM_URL (its base address); streamserver_stop (trap it on EXIT) ends it again.
STREAMSERVER_PID=""
STREAMSERVER_DIR=""

streamserver_start() {
  local here
  here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
  STREAMSERVER_DIR=$(mktemp -d)
  python3 "$here/streamserver.py" --port-file "$STREAMSERVER_DIR/port" --parent-pid $$ "$@" \
    >/dev/null 2>"$STREAMSERVER_DIR/log" &
  STREAMSERVER_PID=$!
  for _ in $(seq 1 100); do
    [ -s "$STREAMSERVER_DIR/port" ] && break
    kill -0 "$STREAMSERVER_PID" 2>/dev/null || break
    sleep 0.05
  done
  if [ ! -s "$STREAMSERVER_DIR/port" ]; then
    echo "The stream server did not start:" >&2
    cat "$STREAMSERVER_DIR/log" >&2
    streamserver_stop
    return 1
  fi
  export TREBANIX_STREAM_URL="http://127.0.0.1:$(cat "$STREAMSERVER_DIR/port")"
}

streamserver_stop() {
  if [ -n "$STREAMSERVER_PID" ]; then
    kill "$STREAMSERVER_PID" 2>/dev/null && wait "$STREAMSERVER_PID" 2>/dev/null
  fi
  [ -n "$STREAMSERVER_DIR" ] && rm -rf "$STREAMSERVER_DIR"
  STREAMSERVER_PID="" STREAMSERVER_DIR=""
  return 0
}
