# Sourced by scripts: starts the local directory service on a free port of 127.0.0.1 and
# exports TREBANIX_SERVICE_URL; dirservice_stop (trap it on EXIT) ends it again.
source "$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/scripts/lib/local-server.sh"
DIRSERVICE_SCRIPT="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/dirservice.py"

dirservice_start() {
  local_server_start TREBANIX_SERVICE "$DIRSERVICE_SCRIPT" "$@"
}

dirservice_stop() {
  local_server_stop TREBANIX_SERVICE
}
