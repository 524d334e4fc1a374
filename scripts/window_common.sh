# Shared by the window checks (sourced): failing with a message, and waiting
# for a window by its title under the virtual X server.
fail() { echo "FAIL: $*" >&2; exit 1; }
wait_for() {  # TITLE [TRIES]: the id of the first window so titled, tried every 0.05 s
  local id=""
  for _ in $(seq "${2:-600}"); do
    id=$(xdotool search --name "$1" 2>/dev/null | head -n 1 || true)
    [ -n "$id" ] && { echo "$id"; return; }
    sleep 0.05
  done
  fail "no window titled '$1'"
}
