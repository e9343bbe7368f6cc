#!/usr/bin/env bash
# Builds the fuzz targets and runs each for a bounded time on a copy of its
# seeds, so the repository stays as it is.
#
#   fuzz/run.sh <build dir> [<seconds per target>] [<target>...]
#
# Targets: ini texts template expression (default: all). A crash, a leak,
# undefined behaviour, a broken invariant, an input running over 10 s or a
# process over 2 GB fails the run; the crashing input is printed (escaped
# and in base64) and kept in <build dir>/crashes/. Reproduce it with
#   <build dir>/<target>_fuzz <build dir>/crashes/<file>
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
[ $# -ge 1 ] || { echo "usage: $0 <build dir> [<seconds>] [<target>...]" >&2; exit 2; }
BUILD=$1
SECONDS_EACH=${2:-30}
shift $(($# >= 2 ? 2 : 1))
TARGETS=("$@")
[ ${#TARGETS[@]} -gt 0 ] || TARGETS=(ini texts template expression)

log() { echo "fuzz: $*" >&2; }

mkdir -p "$BUILD"
if { [ -f "$BUILD/build.ninja" ] ||
  cmake -S "$ROOT/fuzz" -B "$BUILD" -G Ninja -DCMAKE_CXX_COMPILER=clang++; } >"$BUILD/build.log" 2>&1 &&
  nice cmake --build "$BUILD" -j2 >>"$BUILD/build.log" 2>&1; then
  :
else
  cat "$BUILD/build.log" >&2
  log "building the fuzz targets failed"
  exit 1
fi

# The ini and caption targets write a file per input: in memory when
# /dev/shm is there, which is several times faster than a disk.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
  WORK=$(mktemp -d /dev/shm/varnok05-fuzz.XXXXXX)
else
  WORK=$(mktemp -d "${TMPDIR:-/tmp}/varnok05-fuzz.XXXXXX")
fi
trap 'rm -rf "$WORK"' EXIT
mkdir -p "$BUILD/crashes"

status=0
for t in "${TARGETS[@]}"; do
  dir=$WORK/$t
  mkdir -p "$dir/corpus" "$dir/tmp" "$dir/artifacts"
  cp "$ROOT/fuzz/corpus/$t/"* "$dir/corpus/"
  # New inputs go to the copied corpus; the process's own files to tmp.
  if TMPDIR=$dir/tmp UBSAN_OPTIONS=print_stacktrace=1 nice "$BUILD/${t}_fuzz" \
    -max_total_time="$SECONDS_EACH" -rss_limit_mb=2048 -timeout=10 \
    -print_final_stats=1 -artifact_prefix="$dir/artifacts/" "$dir/corpus" \
    </dev/null >"$dir/log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$dir/log")
    log "$t: clean, ${runs:-?} inputs in ${SECONDS_EACH}s, corpus $(find "$dir/corpus" -type f | wc -l) files"
    continue
  fi
  status=1
  log "$t: FAILED; end of its log:"
  tail -n 60 "$dir/log" >&2
  for f in "$dir/artifacts/"*; do
    [ -f "$f" ] || continue
    cp "$f" "$BUILD/crashes/${t}-$(basename "$f")"
    log "input $BUILD/crashes/${t}-$(basename "$f") ($(stat -c %s "$f") bytes):"
    head -c 2000 "$f" | od -c | head -n 40 >&2
    log "base64:"
    head -c 20000 "$f" | base64 >&2
  done
done
exit "$status"
