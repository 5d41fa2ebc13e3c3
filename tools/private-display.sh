# Sourced by the tools that draw through skycourse-replay's `shot`: keeps
# the X display that is set and reachable, otherwise starts a private Xvfb
# for as long as the calling script runs and points DISPLAY at it.
# $tool names the caller in messages.
xvfb_pid=
if [ -z "${DISPLAY:-}" ] || ! xset q >/dev/null 2>&1; then
    number=$(mktemp)
    # -noreset: the tool checks the display before opening it, and Xvfb
    # would reset (and refuse the next connection) once that check leaves.
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$number" >/dev/null 2>&1 &
    xvfb_pid=$!
    trap 'kill $xvfb_pid 2>/dev/null; rm -f "$number"' EXIT
    tries=0
    while [ ! -s "$number" ] && [ $tries -lt 100 ]; do sleep 0.1; tries=$((tries + 1)); done
    [ -s "$number" ] || { echo "$tool: Xvfb did not start" >&2; exit 1; }
    export DISPLAY=:$(cat "$number")
fi
