#!/usr/bin/env bash
# Builds Varnok05 and runs all tests against a real, throwaway MariaDB
# server (build/test-db) and a private Xvfb display.
#
# The tests find the server through VARNOK05_TEST_HOST/_PORT/_USER/_PASSWORD/
# _SOCKET and the X display through VARNOK05_TEST_DISPLAY; tests that need no
# real X server run offscreen. Exit status: that of ctest (or of a later
# stage when ctest passed). Runs unattended: no stdin, no display needed.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
BUILD=$ROOT/build
TEST_DB=$BUILD/test-db
XVFB_PID=

log() { echo "test.sh: $*" >&2; }

build() {
  "$ROOT/scripts/build.sh" "$BUILD"
}

start_server() {
  "$ROOT/scripts/db.sh" wipe "$TEST_DB"
  "$ROOT/scripts/db.sh" start "$TEST_DB"
  # shellcheck disable=SC1091
  . "$TEST_DB/env"
  export VARNOK05_TEST_HOST=$VARNOK05_DB_HOST
  export VARNOK05_TEST_PORT=$VARNOK05_DB_PORT
  export VARNOK05_TEST_USER=$VARNOK05_DB_USER
  export VARNOK05_TEST_PASSWORD=$VARNOK05_DB_PASSWORD
  export VARNOK05_TEST_SOCKET=$VARNOK05_DB_SOCKET
}

stop_server() {
  "$ROOT/scripts/db.sh" stop "$TEST_DB" || true
}

# Xvfb picks a free display number itself (-displayfd) and writes it once it
# accepts connections.
start_xvfb() {
  local fdfile=$BUILD/xvfb.display waited=0
  rm -f "$fdfile"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fdfile" \
    </dev/null >"$BUILD/xvfb.log" 2>&1 &
  XVFB_PID=$!
  while [ ! -s "$fdfile" ]; do
    if ! kill -0 "$XVFB_PID" 2>/dev/null || [ "$waited" -ge 150 ]; then
      log "Xvfb did not start; log:"
      cat "$BUILD/xvfb.log" >&2
      return 1
    fi
    sleep 0.2
    waited=$((waited + 1))
  done
  VARNOK05_TEST_DISPLAY=":$(head -n 1 "$fdfile")"
  export VARNOK05_TEST_DISPLAY
  log "Xvfb on display $VARNOK05_TEST_DISPLAY"
}

stop_xvfb() {
  if [ -n "$XVFB_PID" ]; then
    kill -TERM "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=
  fi
}

run_ctest() {
  ctest --test-dir "$BUILD" --output-on-failure -j2 --timeout 300 </dev/null
}

# Hook: a second build tree with sanitizers, run against the same server
# and display. Its status joins the exit status when ctest passed.
# VARNOK05_SANITIZERS=0 skips it.
sanitizer_tests() {
  [ "${VARNOK05_SANITIZERS:-1}" != 0 ] || { log "sanitizer run skipped"; return 0; }
  # Called in a || list, where set -e does not act: every step checks.
  local tree=$BUILD/asan started=$SECONDS status=0
  local flags="-O1 -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined"
  if [ ! -f "$tree/build.ninja" ]; then
    cmake -S "$ROOT" -B "$tree" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVARNOK_BUILD_BENCH=OFF \
      -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null ||
      return 1
  fi
  # CI must stay well under 30 minutes on two cores: the sanitized run
  # covers the data, calculation, caption, settings and report-engine
  # suites (the code that parses and computes); the window suites run in
  # the normal build only.
  local suites="records_tests calc_tests texts_tests app_tests report_tests"
  # shellcheck disable=SC2086
  nice cmake --build "$tree" -j2 --target $suites || return 1
  log "sanitizer build: $((SECONDS - started)) s"
  # Qt keeps memory to the end of the process (plugins, caches, the font
  # database) that LeakSanitizer reports as leaks: noise, so leaks are not
  # checked. Any other ASan or UBSan report fails its test.
  ASAN_OPTIONS=detect_leaks=0 \
    UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    bash -c 'for t in "$@"; do echo "== $t"; "$0/tests/$t" --gtest_brief=1 || exit 1; done' "$tree" $suites \
    </dev/null || status=$?
  log "sanitizer run: $((SECONDS - started)) s, status $status"
  return "$status"
}

# Hook: short fuzzing runs of the parsers, same rules as above: each
# target for VARNOK05_FUZZ_SECONDS (default 30; 0 skips them).
fuzz_tests() {
  local seconds=${VARNOK05_FUZZ_SECONDS:-30}
  [ "$seconds" != 0 ] || { log "fuzzing skipped"; return 0; }
  "$ROOT/fuzz/run.sh" "$BUILD/fuzz" "$seconds"
}

cleanup() {
  stop_xvfb
  stop_server
}

main() {
  trap cleanup EXIT
  trap 'exit 130' INT TERM
  # Tests never draw on the caller's desktop: only the private display.
  unset DISPLAY WAYLAND_DISPLAY
  # Qt wants a private runtime directory; CI as root has none.
  export XDG_RUNTIME_DIR=$BUILD/xdg-runtime
  mkdir -p "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"

  build
  start_server
  start_xvfb

  local status=0
  run_ctest || status=$?
  if [ "$status" -eq 0 ]; then
    sanitizer_tests || status=$?
  fi
  if [ "$status" -eq 0 ]; then
    fuzz_tests || status=$?
  fi
  return "$status"
}

main "$@"
