# Sourced by scripts: starts the local stream server on a free port of 127.0.0.1 and exports
# TREBANIX_STREAM_URL (its base address); streamserver_stop (trap it on EXIT) ends it again.
source "$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/scripts/lib/local-server.sh"
STREAMSERVER_SCRIPT="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/streamserver.py"

streamserver_start() {
  local_server_start TREBANIX_STREAM "$STREAMSERVER_SCRIPT" "$@"
}

streamserver_stop() {
  local_server_stop TREBANIX_STREAM
}
