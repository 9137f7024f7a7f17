# Sourced by the desktop tests: a private Xvfb display, a scratch folder, cleanup on exit,
# and `fail` that leaves a screenshot behind when $shots names a folder.
for tool in Xvfb xdotool xdpyinfo; do
  command -v "$tool" >/dev/null || { echo "desktop test: $tool is missing (scripts/install-deps installs it)"; exit 1; }
done

work=$(mktemp -d)
# The program keeps the fonts it realised for its next start in the cache folder: a private
# one here, so that a test neither reads nor writes the user's.
export XDG_CACHE_HOME="$work/cache"
xvfb_pid=
app_pid=
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
  # The server is gone before the next session looks for a free display number.
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display number itself and writes it once it accepts connections, so
# two sessions starting at once can never take the same one. A test that needs a larger
# screen sets xvfb_screen before sourcing this, one that needs more options xvfb_options.
# The server never resets: by default it does when its last client leaves (the readiness
# check below), and a program connecting during that reset is refused, more often the
# busier the machine.
# shellcheck disable=SC2086
Xvfb -displayfd 3 -screen 0 "${xvfb_screen:-1024x768x24}" -nolisten tcp -noreset ${xvfb_options:-} 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "desktop test: Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
export DISPLAY=":$(tr -d '[:space:]' <"$work/display")"
xdpyinfo >/dev/null 2>&1 || { echo "desktop test: Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }

fail() {
  echo "desktop test: $*"
  [ -n "${shots:-}" ] && import -window root "$shots/desktop-failure.png" 2>/dev/null
  exit 1
}

shot() {  # shot NAME: a screenshot into $shots, when asked for
  [ -n "${shots:-}" ] && import -window root "$shots/$1.png"
  return 0
}

# wait_window TITLE: the id of the visible window with that title, or fail. A search is
# asked again rather than left waiting: a window that closes while xdotool walks the tree
# (a dialog's helper windows) makes that one search end with an X error. Called inside
# $(...), so a failure is said on stderr, where the test's output shows it.
wait_window() {
  local id=
  for _ in $(seq 200); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1)
    [ -n "$id" ] && break
    sleep 0.1
  done
  if [ -z "$id" ]; then
    # What the program said, and whether it still runs, tell a slow start from a failed one.
    [ -n "$app_pid" ] && ! kill -0 "$app_pid" 2>/dev/null && echo "desktop test: the program has ended" >&2
    for log in "$work"/*.log; do [ -s "$log" ] && sed "s|^|$(basename "$log"): |" "$log" >&2; done
    fail "the window \"$1\" did not appear" >&2
  fi
  echo "$id"
}

# expect_clean_exit WHAT LOG: the program started as $app_pid ends within ten seconds with
# status 0, or fail saying WHAT did not end it (and show LOG).
expect_clean_exit() {
  local status
  for _ in $(seq 100); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$app_pid" 2>/dev/null && fail "$1 did not end the program"
  wait "$app_pid"
  status=$?
  app_pid=
  [ "$status" -eq 0 ] || { cat "$2"; fail "the program exited with $status"; }
}
