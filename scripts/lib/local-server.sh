# Sourced by scripts: starts one of our local Python servers on a free port of 127.0.0.1.
#   local_server_start NAME SCRIPT [ARGS...]  sets NAME_URL to its base address
#   local_server_stop NAME                    ends it again (trap it on EXIT)
# The server also stops by itself when this shell is gone.

local_server_start() {
  local name=$1 script=$2
  shift 2
  local dir
  dir=$(mktemp -d)
  python3 "$script" --port-file "$dir/port" --parent-pid $$ "$@" >/dev/null 2>"$dir/log" &
  local pid=$!
  printf -v "${name}_PID" '%s' "$pid"
  printf -v "${name}_DIR" '%s' "$dir"
  for _ in $(seq 1 100); do
    [ -s "$dir/port" ] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.05
  done
  if [ ! -s "$dir/port" ]; then
    echo "$(basename "$script") did not start:" >&2
    cat "$dir/log" >&2
    local_server_stop "$name"
    return 1
  fi
  printf -v "${name}_URL" 'http://127.0.0.1:%s' "$(cat "$dir/port")"
  export "${name}_URL"
  export no_proxy="127.0.0.1${no_proxy:+,$no_proxy}"
}

local_server_stop() {
  local name=$1
  local pid_var="${name}_PID" dir_var="${name}_DIR"
  local pid=${!pid_var:-} dir=${!dir_var:-}
  if [ -n "$pid" ]; then
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  fi
  if [ -n "$dir" ]; then rm -rf "$dir"; fi
  printf -v "$pid_var" '%s' ""
  printf -v "$dir_var" '%s' ""
  return 0
}
