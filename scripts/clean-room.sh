#!/usr/bin/env bash
# Proves the README on a bare Debian 12: bootstraps a minimal bookworm root (debootstrap --variant=minbase),
# copies the committed tree into it (git archive HEAD) and runs there, as root, exactly the README's test
# command and then its run command (headless: it saves a screenshot and ends). Then it builds the Debian
# package in that root, installs it with apt-get in a second fresh root and starts both programs there.
# Prints each step's time; exits non-zero when a step fails. Only when the base system cannot be downloaded
# does it print "clean room skipped: ..." and exit 0.
#
# The bootstrapped base is kept as a tarball in $PITCHBOOK_CLEAN_ROOM_CACHE (default
# /var/cache/pitchbook-clean-room, which survives fresh clones; else <build folder>/clean-room), so later
# runs skip the download. The roots themselves are thrown away. Needs root (debootstrap, chroot, mount).
set -euo pipefail
cd "$(dirname "$0")/.."
SRC="$(pwd)"
BUILD_DIR="${PITCHBOOK_BUILD_DIR:-build}"
mkdir -p "$BUILD_DIR"
BUILD_ABS="$(cd "$BUILD_DIR" && pwd)"
SUITE=bookworm
# Heavy steps yield to other work on the machine.
NICE=(nice -n 10)

if [ "$(id -u)" -ne 0 ]; then
  echo "scripts/clean-room.sh needs root (debootstrap, chroot, mount)" >&2
  exit 1
fi

# The mirror the host itself uses for bookworm, else Debian's own.
mirror() {
  local m=""
  m="$(grep -h -E '^[[:space:]]*URIs:' /etc/apt/sources.list.d/*.sources 2>/dev/null \
        | awk '{print $2}' | grep -E '/debian/?$' | head -n 1 || true)"
  if [ -z "$m" ]; then
    m="$(grep -h -E '^[[:space:]]*deb[[:space:]]' /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null \
          | grep -E "[[:space:]]$SUITE[[:space:]]" | awk '{for (i = 2; i <= NF; i++) if ($i ~ /^[a-z]+:\/\//) {print $i; exit}}' \
          | grep -E '/debian/?$' | head -n 1 || true)"
  fi
  echo "${m:-http://deb.debian.org/debian}"
}
MIRROR="$(mirror)"

pick_cache() {
  local want="${PITCHBOOK_CLEAN_ROOM_CACHE:-/var/cache/pitchbook-clean-room}"
  if mkdir -p "$want" 2>/dev/null && [ -w "$want" ]; then echo "$want"; return; fi
  mkdir -p "$BUILD_ABS/clean-room"
  echo "$BUILD_ABS/clean-room"
}
CACHE="$(pick_cache)"
BASE_TAR="$CACHE/$SUITE-minbase-$(dpkg --print-architecture).tar.gz"

WORK="$(mktemp -d "$BUILD_ABS/clean-room-XXXXXX")"
ROOTS=()
# Every exit path unmounts what was mounted (deepest first) and removes the roots.
cleanup() {
  local r
  for r in "${ROOTS[@]}"; do
    for m in dev/pts dev proc; do
      if mountpoint -q "$r/$m" 2>/dev/null; then umount -R "$r/$m" 2>/dev/null || umount -l "$r/$m" 2>/dev/null || true; fi
    done
  done
  # Never remove a root that still has anything mounted in it.
  if ! grep -q " $WORK/" /proc/mounts; then rm -rf "$WORK"; fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

STEP_START=0
TIMES=()
step_begin() { STEP_NAME="$1"; STEP_START=$(date +%s); echo "=== clean room: $STEP_NAME"; }
step_end() {
  local secs=$(( $(date +%s) - STEP_START ))
  TIMES+=("$(printf '%-22s %4d:%02d' "$STEP_NAME" $((secs / 60)) $((secs % 60)))")
  echo "=== clean room: $STEP_NAME took ${secs}s"
}
print_times() {
  echo "=== clean room step times:"
  local t
  for t in "${TIMES[@]}"; do echo "    $t"; done
}
fail() {
  echo "=== clean room FAILED: $STEP_NAME" >&2
  print_times
  exit 1
}

if ! command -v debootstrap >/dev/null; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap >/dev/null 2>&1 \
    || { apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap >/dev/null; }
fi

# 1. The base system, downloaded once and kept as a tarball.
step_begin bootstrap
if [ ! -s "$BASE_TAR" ]; then
  fresh="$WORK/bootstrap"
  if ! "${NICE[@]}" debootstrap --variant=minbase "$SUITE" "$fresh" "$MIRROR" >"$WORK/debootstrap.log" 2>&1; then
    if grep -q -E "Failed getting release file|Couldn't download|Failed to download|Temporary failure resolving|Could not resolve|Connection refused|Connection timed out|No route to host" "$WORK/debootstrap.log"; then
      echo "clean room skipped: the base system could not be downloaded from $MIRROR ($(grep -m1 -E '^[EW]:' "$WORK/debootstrap.log" || tail -n 1 "$WORK/debootstrap.log"))"
      exit 0
    fi
    tail -n 30 "$WORK/debootstrap.log" >&2
    fail
  fi
  # apt in the root uses the same mirror, and the security updates where the host has them.
  {
    echo "deb $MIRROR $SUITE main"
    echo "deb $MIRROR $SUITE-updates main"
  } >"$fresh/etc/apt/sources.list"
  "${NICE[@]}" tar -C "$fresh" -czf "$BASE_TAR.part" .
  mv "$BASE_TAR.part" "$BASE_TAR"
  rm -rf "$fresh"
fi
step_end

# A fresh root from the tarball, with /proc and /dev of the host and the host's name resolution; its path is
# left in NEW_ROOT (not printed: the list of roots to unmount must be kept in this shell).
new_root() {
  local r="$WORK/$1"
  mkdir -p "$r"
  tar -C "$r" -xzf "$BASE_TAR"
  cp /etc/resolv.conf "$r/etc/resolv.conf" 2>/dev/null || true
  ROOTS+=("$r")
  mount -t proc proc "$r/proc"
  mount --rbind /dev "$r/dev"
  mount --make-rslave "$r/dev"
  NEW_ROOT="$r"
}
# Runs a command in a root as root, with a plain environment (nothing of the host's build set-up, no ccache).
in_root() {
  local r="$1"; shift
  "${NICE[@]}" chroot "$r" /usr/bin/env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    LANG=C.UTF-8 DEBIAN_FRONTEND=noninteractive TERM=dumb /bin/bash -c "$*"
}

# 2. The first root: the committed tree, the README's two commands, the package.
step_begin "copy the tree"
new_root build-root
ROOT1="$NEW_ROOT"
mkdir -p "$ROOT1/src"
git -C "$SRC" archive HEAD | tar -C "$ROOT1/src" -xf -
step_end

# The README's commands as they stand in its first code block.
TEST_CMD="$(sed -n '/^```sh/,/^```/p' README.md | grep -m1 -E '^bash scripts/test\.sh' | sed 's/[[:space:]]*#.*$//')"
RUN_CMD="$(sed -n '/^```sh/,/^```/p' README.md | grep -m1 -E '^bash scripts/demo\.sh' | sed 's/[[:space:]]*#.*$//')"
if [ -z "$TEST_CMD" ] || [ -z "$RUN_CMD" ]; then
  STEP_NAME="README commands"
  echo "The README's first code block does not hold the test and run commands" >&2
  fail
fi

# Set-up and build are timed on their own first; the README's test command then does them again (finding
# nothing left to do) and runs the tests, so it is still that command, unchanged, that has to pass.
step_begin "set-up"
in_root "$ROOT1" "cd /src && bash scripts/setup.sh" || fail
step_end

step_begin "build"
in_root "$ROOT1" "cd /src && cmake --build build" >"$WORK/build.log" 2>&1 || { tail -n 40 "$WORK/build.log" >&2; fail; }
grep -E 'warning:' "$WORK/build.log" | head -n 20 || true
step_end

step_begin "tests ($TEST_CMD)"
in_root "$ROOT1" "cd /src && $TEST_CMD" || fail
step_end

step_begin "demo ($RUN_CMD)"
in_root "$ROOT1" "cd /src && $RUN_CMD" | tee "$WORK/demo.log" || fail
SHOT_IN_ROOT="$(sed -n 's/^Screenshot: //p' "$WORK/demo.log" | tail -n 1)"
if [ -z "$SHOT_IN_ROOT" ] || [ ! -s "$ROOT1$SHOT_IN_ROOT" ]; then
  echo "The run command saved no screenshot" >&2
  fail
fi
cp "$ROOT1$SHOT_IN_ROOT" "$BUILD_ABS/clean-room-demo.png"
echo "Screenshot of the clean room's run: $BUILD_ABS/clean-room-demo.png"
step_end

step_begin "package build"
in_root "$ROOT1" "cd /src/build && cpack -G DEB >/dev/null && ls pitchbook_*.deb" || fail
DEB="$(ls "$ROOT1"/src/build/pitchbook_*.deb | head -n 1)"
cp "$DEB" "$BUILD_ABS/"
step_end

# 3. A second fresh root: only the package (and Xvfb to start the desktop program without a display).
step_begin "package install"
new_root install-root
ROOT2="$NEW_ROOT"
cp "$DEB" "$ROOT2/tmp/"
# xvfb and xauth only to start the desktop program without a display; everything else comes with the package.
in_root "$ROOT2" "cd /tmp && apt-get update -qq && apt-get install -y -qq --no-install-recommends ./pitchbook_*.deb xvfb xauth >/dev/null" \
  || fail
step_end

step_begin "package start"
in_root "$ROOT2" "set -e
  pitchbook-cli demo /tmp/home --seasons 2 >/dev/null
  pitchbook-cli archive --home /tmp/home
  # Nothing of a build tree here: German texts can only come from the installed catalogue.
  LANGUAGE=de LC_ALL=C.UTF-8 pitchbook-cli demo --help | grep -q Beispiel-Programmordner
  xvfb-run -a pitchbook --home /tmp/home --quit-after 3000" || fail
step_end

print_times
echo "clean room passed"
