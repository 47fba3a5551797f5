#!/usr/bin/env bash
# Sets the machine up, builds Pitchbook and starts it on the demo program folder (build/demo-home), with the
# local game server serving the sample world on 127.0.0.1: the download window logs in there (user "demo",
# security code "demo") and "Download" fetches the next snapshot of the demo club. The server runs in the
# background and is stopped when the program ends.
# Without a display it runs under xvfb-run for a few seconds, saves a screenshot and prints its path.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
BUILD_DIR="${PITCHBOOK_BUILD_DIR:-build}"
cmake --build "$BUILD_DIR"
HOME_DIR="$(pwd)/$BUILD_DIR/demo-home"
SEASONS=5
DEMO_LOGIN=demo
DEMO_CODE=demo
mkdir -p "$HOME_DIR"
# The sample world: a club's archive of several seasons, generated once.
if [ -z "$(ls -A "$HOME_DIR/History" 2>/dev/null | grep -v -E '^(Matches|Obsolete)$')" ]; then
  "$BUILD_DIR/pitchbook-cli" demo "$HOME_DIR" --seasons "$SEASONS"
fi

# The local game server on a free port, serving the same world from the round after the archive. Its first
# output line is its address.
SERVER_OUT="$(mktemp)"
"$BUILD_DIR/pitchbook-cli" serve --demo --seasons "$SEASONS" --port 0 --login "$DEMO_LOGIN" --code "$DEMO_CODE" \
  >"$SERVER_OUT" &
SERVER_PID=$!
cleanup() {
  kill "$SERVER_PID" 2>/dev/null || true
  wait "$SERVER_PID" 2>/dev/null || true
  rm -f "$SERVER_OUT"
}
trap cleanup EXIT
ADDRESS=""
for _ in $(seq 1 300); do
  ADDRESS="$(head -n 1 "$SERVER_OUT")"
  [ -n "$ADDRESS" ] && break
  if ! kill -0 "$SERVER_PID" 2>/dev/null; then
    echo "The local game server did not start" >&2
    exit 1
  fi
  sleep 0.1
done
if [ -z "$ADDRESS" ]; then
  echo "The local game server did not answer in time" >&2
  exit 1
fi
SERVER="${ADDRESS#http://}"
# The demo folder's preferences point at it: fixed site, no best-server choice, the demo login remembered.
"$BUILD_DIR/pitchbook-cli" use-server --home "$HOME_DIR" --server "$SERVER" --login "$DEMO_LOGIN" --code "$DEMO_CODE"
echo "Local game server: $ADDRESS (user name \"$DEMO_LOGIN\", security code \"$DEMO_CODE\")"

if [ -n "${DISPLAY:-}" ]; then
  "$BUILD_DIR/pitchbook" --home "$HOME_DIR"
  exit $?
fi

SHOT="$(pwd)/$BUILD_DIR/demo-screenshot.png"
rm -f "$SHOT"
xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
  "$1" --home "$2" --quit-after 8000 &
  pid=$!
  sleep 5
  import -window root "$3"
  wait $pid
' _ "$BUILD_DIR/pitchbook" "$HOME_DIR" "$SHOT"
echo "Screenshot: $SHOT"
