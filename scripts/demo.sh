#!/usr/bin/env bash
# Sets the machine up, builds Pitchbook and starts it on the demo program folder (build/demo-home).
# Without a display it runs under xvfb-run for a few seconds, saves a screenshot and prints its path.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
BUILD_DIR="${PITCHBOOK_BUILD_DIR:-build}"
cmake --build "$BUILD_DIR"
HOME_DIR="$(pwd)/$BUILD_DIR/demo-home"
mkdir -p "$HOME_DIR"
# The sample world: a club's archive of several seasons, generated once.
if [ -z "$(ls -A "$HOME_DIR/History" 2>/dev/null | grep -v -E '^(Matches|Obsolete)$')" ]; then
  "$BUILD_DIR/pitchbook-cli" demo "$HOME_DIR" --seasons 5
fi

if [ -n "${DISPLAY:-}" ]; then
  exec "$BUILD_DIR/pitchbook" --home "$HOME_DIR"
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
