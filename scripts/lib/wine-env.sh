# Sourced by scripts/test, scripts/run and scripts/bench: a throw-away 32-bit Wine prefix,
# an Xvfb display of its own and one persistent wineserver for the whole run.
# wine_env_start sets everything up; wine_env_stop (trapped on EXIT) takes it all down again.

export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win32
# Wine takes the ANSI code page from the locale: pin it so strings convert the same everywhere.
export LANG=C.UTF-8 LC_ALL=C.UTF-8

WINE_ENV_XVFB_PID=""
WINE_ENV_PULSE_PID=""
WINE_ENV_OWN_PREFIX=""
WINE_ENV_RUNTIME=""

wine_env_start_xvfb() {
  # Xvfb picks a free display itself and writes its number to the pipe.
  local fifo
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  WINE_ENV_XVFB_PID=$!
  local display
  read -r -t 20 display <"$fifo" || true
  rm -f "$fifo"
  [ -n "$display" ] || { echo "Xvfb did not start" >&2; return 1; }
  export DISPLAY=":$display"
}

wine_env_start_pulse() {
  # waveOut needs a sound device: a PulseAudio server of our own with a null sink.
  command -v pulseaudio >/dev/null || return 0
  WINE_ENV_RUNTIME=$(mktemp -d)
  export XDG_RUNTIME_DIR="$WINE_ENV_RUNTIME"
  export PULSE_RUNTIME_PATH="$WINE_ENV_RUNTIME/pulse"
  pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit --use-pid-file=no \
    --load="module-null-sink sink_name=null" --load=module-native-protocol-unix \
    >/dev/null 2>&1 &
  WINE_ENV_PULSE_PID=$!
  for _ in $(seq 1 50); do
    pactl info >/dev/null 2>&1 && break
    sleep 0.1
  done
  pactl set-default-sink null >/dev/null 2>&1 || true
}

wine_env_make_prefix() {
  if [ -z "${WINEPREFIX:-}" ]; then
    WINEPREFIX=$(mktemp -d /tmp/trebanix-wine.XXXXXX)
    WINE_ENV_OWN_PREFIX="$WINEPREFIX"
  fi
  export WINEPREFIX
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >/dev/null 2>&1
    wineserver -w
  fi
  wineserver -p
  # A crash must end the program, never wait for someone to close a dialog.
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
}

wine_env_start() {
  wine_env_start_xvfb
  wine_env_start_pulse
  wine_env_make_prefix
  # Our Xvfb display has no window manager: unmanaged windows spare the 2 s Wine otherwise
  # waits for one on every hide.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
}

wine_env_end_process() {
  if [ -n "$1" ]; then
    kill "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
  fi
}

wine_env_stop() {
  if [ -n "${WINEPREFIX:-}" ]; then
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
  fi
  # Each step runs whatever the one before it answered: the callers run under "set -e", and a
  # killed process's non-zero status must not leave the rest behind.
  wine_env_end_process "$WINE_ENV_PULSE_PID"
  wine_env_end_process "$WINE_ENV_XVFB_PID"
  if [ -n "$WINE_ENV_OWN_PREFIX" ]; then rm -rf "$WINE_ENV_OWN_PREFIX"; fi
  if [ -n "$WINE_ENV_RUNTIME" ]; then rm -rf "$WINE_ENV_RUNTIME"; fi
  WINE_ENV_XVFB_PID="" WINE_ENV_PULSE_PID="" WINE_ENV_OWN_PREFIX="" WINE_ENV_RUNTIME=""
  return 0
}
