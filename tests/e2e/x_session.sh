# An X server of the test's own, an empty home, and waits for what a user would wait for:
# a window by its title, a window gone, a size taken, a process ended. Sourced by the
# end-to-end tests; every wait ends after $timeout_s seconds with the reason.
timeout_s=${VELMORA_E2E_TIMEOUT:-30}
started=()

step() { echo "== $*"; }

fail() {
  echo "FAIL: $*" >&2
  echo "Visible windows:" >&2
  local id log
  for id in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
    echo "  '$(xdotool getwindowname "$id")'" >&2
  done
  for log in "$work"/*.log; do
    if [ -s "$log" ]; then
      echo "--- $(basename "$log"):" >&2
      cat "$log" >&2
    fi
  done
  exit 1
}

expect_equal() {
  [ "$2" = "$3" ] || fail "$1: expected '$2', found '$3'"
}

# Runs the command until it succeeds; fails with the description when time runs out.
poll() {
  local what=$1
  shift
  local deadline=$((SECONDS + timeout_s))
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || fail "$what within ${timeout_s}s"
    sleep 0.1
  done
}

stop_session() {
  local pid
  for pid in "${started[@]}"; do
    kill "$pid" 2>/dev/null || true
  done
  if [ -n "${xserver:-}" ]; then
    kill "$xserver" 2>/dev/null || true
    wait "$xserver" 2>/dev/null || true
  fi
  rm -rf "$work"
}

start_session() {
  work=$(mktemp -d)
  trap stop_session EXIT
  export HOME=$work/home
  export XDG_CONFIG_HOME=$HOME/.config XDG_DATA_HOME=$HOME/.local/share
  export XDG_CACHE_HOME=$HOME/.cache XDG_RUNTIME_DIR=$work/runtime
  mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
  export QT_QPA_PLATFORM=xcb
  unset WAYLAND_DISPLAY
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
  xserver=$!
  poll "the X server did not start" test -s "$work/display"
  export DISPLAY=":$(cat "$work/display")"
}

# Searches visible windows (xdotool search options). A window that vanishes while the search
# looks at it makes xdotool fail with an X error on stderr: that search tells nothing and is
# repeated. Leaves the ids found in $ids; succeeds only if the search itself did.
search_windows() {
  local err
  err=$(mktemp -p "$work")
  ids=$(xdotool search --all --onlyvisible "$@" 2>"$err") || true
  [ ! -s "$err" ]
  local clean=$?
  rm -f "$err"
  return $clean
}

found_window() { search_windows "$@" && [ -n "$ids" ]; }

# Waits for a visible window whose title matches the pattern (further xdotool search options
# may follow) and gives it the keyboard; its id is left in $window.
await_window() {
  local pattern=$1
  shift
  local ids
  poll "no window titled '$pattern' appeared" found_window "$@" --name "$pattern"
  window=${ids%%$'\n'*}
  timeout "$timeout_s" xdotool windowfocus --sync "$window" ||
    fail "the window titled '$pattern' did not take the keyboard"
}

no_window() {
  local ids
  search_windows --name "$1" && [ -z "$ids" ]
}

await_closed() {
  poll "the window titled '$1' did not close" no_window "$1"
}

has_size() {
  local WIDTH HEIGHT
  eval "$(xdotool getwindowgeometry --shell "$1" | grep -E '^(WIDTH|HEIGHT)=')"
  [ "$WIDTH" = "$2" ] && [ "$HEIGHT" = "$3" ]
}

await_size() {
  poll "the window did not take the size $2x$3" has_size "$@"
}

# A child that has ended stays a zombie until waited for.
ended() {
  local state=Z
  [ -r "/proc/$1/stat" ] && read -r _ _ state _ <"/proc/$1/stat" 2>/dev/null
  [ "$state" = Z ]
}

# Waits for a started program to end and fails unless it ended with status 0.
await_exit() {
  poll "$2 did not end" ended "$1"
  local status=0
  wait "$1" || status=$?
  [ "$status" -eq 0 ] || fail "$2 ended with status $status"
}

keys() { xdotool key --delay 80 "$@"; }
type_text() { xdotool type --delay 40 "$1"; }
