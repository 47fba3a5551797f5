#!/usr/bin/env bash
# Builds the fuzz targets (clang-14, libFuzzer with AddressSanitizer and UndefinedBehaviorSanitizer) in their
# own build folder and runs each for SECONDS (default 60), two at a time. Prints per target the runs,
# executions per second, coverage (cov/ft of libFuzzer's last status line) and corpus size. An input that
# makes a target fail (crash, sanitizer report, time-out, out of memory) is saved under
# tests/fuzz-regressions/<target>/ and the script exits non-zero; commit it with the mend of the reader.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]
#
# Environment: PITCHBOOK_FUZZ_BUILD_DIR (default build-fuzz), PITCHBOOK_FUZZ_JOBS (targets at a time, 2).
# The working corpus (build-fuzz/corpus/<target>/) is kept between runs, so coverage grows run by run.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)

SECONDS_PER_TARGET=${1:-60}
shift || true
if ! [[ "$SECONDS_PER_TARGET" =~ ^[0-9]+$ ]] || [ "$SECONDS_PER_TARGET" -lt 1 ]; then
  echo "usage: scripts/fuzz.sh [SECONDS] [TARGET...]" >&2
  exit 2
fi
BUILD_DIR=${PITCHBOOK_FUZZ_BUILD_DIR:-build-fuzz}
JOBS=${PITCHBOOK_FUZZ_JOBS:-2}

for tool in clang-14 clang++-14 cmake ninja; do
  command -v "$tool" >/dev/null || { echo "fuzz.sh: $tool is missing (scripts/setup.sh installs it)" >&2; exit 2; }
done
LAUNCHER=()
if command -v ccache >/dev/null; then LAUNCHER=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi

started=$(date +%s)
echo "== configure and build ($BUILD_DIR)"
CC=clang-14 CXX=clang++-14 cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DPITCHBOOK_FUZZ=ON -DPITCHBOOK_BUILD_UI=OFF -DPITCHBOOK_BUILD_TESTS=OFF -DPITCHBOOK_BUILD_BENCH=OFF \
  "${LAUNCHER[@]}" >"$BUILD_DIR.configure.log" 2>&1 || { cat "$BUILD_DIR.configure.log" >&2; exit 2; }
mv "$BUILD_DIR.configure.log" "$BUILD_DIR/configure.log"
ninja -C "$BUILD_DIR" fuzz_targets pitchbook-fuzz-seeds >"$BUILD_DIR/build.log" 2>&1 || {
  tail -50 "$BUILD_DIR/build.log" >&2
  exit 2
}
built=$(date +%s)
echo "   built in $((built - started)) s"

TARGETS=("$@")
if [ ${#TARGETS[@]} -eq 0 ]; then
  for f in fuzz/Fuzz*.cpp; do
    stem=$(basename "$f" .cpp)
    stem=${stem#Fuzz}
    TARGETS+=("$(echo "$stem" | sed -E 's/([a-z0-9])([A-Z])/\1_\2/g' | tr 'A-Z' 'a-z')")
  done
fi

# Seeds: the generated ones, the committed ones and every input that ever failed.
SEEDS="$BUILD_DIR/seeds"
rm -rf "$SEEDS"
"$BUILD_DIR/fuzz/pitchbook-fuzz-seeds" "$SEEDS" "$ROOT" >/dev/null
LOGS="$BUILD_DIR/logs"
rm -rf "$LOGS"
mkdir -p "$LOGS"
for t in "${TARGETS[@]}"; do
  [ -x "$BUILD_DIR/fuzz/fuzz_$t" ] || { echo "fuzz.sh: no target $t" >&2; exit 2; }
  mkdir -p "$BUILD_DIR/corpus/$t"
  for src in "$SEEDS/$t" "fuzz/corpus/$t" "tests/fuzz-regressions/$t"; do
    [ -d "$src" ] && find "$src" -maxdepth 1 -type f ! -name README.md -exec cp -n {} "$BUILD_DIR/corpus/$t/" \;
  done
done

export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1:allocator_may_return_null=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export LC_ALL=C.UTF-8

run_target() {
  local t=$1
  local artifacts="$BUILD_DIR/artifacts/$t"
  rm -rf "$artifacts"
  mkdir -p "$artifacts"
  local dict=()
  [ -f "fuzz/dict/$t.dict" ] && dict=(-dict="fuzz/dict/$t.dict")
  set +e
  # A second per input is already a hang for these readers; 2 GB is far beyond what any of them needs.
  "$BUILD_DIR/fuzz/fuzz_$t" "$BUILD_DIR/corpus/$t" "${dict[@]}" -max_total_time="$SECONDS_PER_TARGET" \
    -timeout=10 -rss_limit_mb=2048 -max_len=65536 -print_final_stats=1 -artifact_prefix="$artifacts/" \
    >"$LOGS/$t.log" 2>&1
  echo $? >"$LOGS/$t.rc"
  set -e
}

echo "== fuzzing ${#TARGETS[@]} targets for $SECONDS_PER_TARGET s each, $JOBS at a time"
running=0
for t in "${TARGETS[@]}"; do
  run_target "$t" &
  running=$((running + 1))
  if [ "$running" -ge "$JOBS" ]; then
    wait -n || true
    running=$((running - 1))
  fi
done
wait || true

failed=0
printf '%-22s %12s %9s %7s %7s %7s %9s  %s\n' target runs exec/s cov ft corpus KB result
for t in "${TARGETS[@]}"; do
  log="$LOGS/$t.log"
  rc=$(cat "$LOGS/$t.rc" 2>/dev/null || echo 99)
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  status=$(grep -E '^#[0-9]+.*cov: ' "$log" | tail -1 || true)
  cov=$(echo "$status" | sed -n 's/.* cov: \([0-9]*\).*/\1/p')
  ft=$(echo "$status" | sed -n 's/.* ft: \([0-9]*\).*/\1/p')
  files=$(find "$BUILD_DIR/corpus/$t" -type f | wc -l)
  kb=$(( $(du -sk "$BUILD_DIR/corpus/$t" | cut -f1) ))
  result=ok
  found=$(find "$BUILD_DIR/artifacts/$t" -type f 2>/dev/null | head -20)
  if [ "$rc" != 0 ] || [ -n "$found" ]; then
    result="FINDING (exit $rc, log $log)"
    failed=1
    mkdir -p "tests/fuzz-regressions/$t"
    for f in $found; do
      cp "$f" "tests/fuzz-regressions/$t/"
      result="$result; saved tests/fuzz-regressions/$t/$(basename "$f")"
    done
  fi
  printf '%-22s %12s %9s %7s %7s %7s %9s  %s\n' "$t" "${runs:--}" "${speed:--}" "${cov:--}" "${ft:--}" \
    "$files" "$kb" "$result"
done
echo "   whole run $(( $(date +%s) - started )) s (build $((built - started)) s)"
if [ "$failed" != 0 ]; then
  echo "fuzz.sh: findings above; the inputs are saved under tests/fuzz-regressions/ (see the logs in $LOGS)" >&2
  exit 1
fi
