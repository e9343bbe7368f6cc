#!/usr/bin/env bash
# Measures the program on this machine and writes bench/RESULTS.md:
# start-up to the first shown row, one field exit's recomputation, a save,
# print mode to the written PDF, and peak memory. Uses ./build (run
# ./run.sh or ./test.sh once first) and a private demo server.
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${BUILD:-$ROOT/build}
DB=$BUILD/bench-db
cmake --build "$BUILD" --target varnok05 records_bench >/dev/null
[ -x "$BUILD/bench/print_bench" ] || cmake --build "$BUILD" --target print_bench >/dev/null 2>&1 || true
"$ROOT/scripts/db.sh" start "$DB" --demo >/dev/null
trap '"$ROOT/scripts/db.sh" stop "$DB" >/dev/null 2>&1 || true; [ -n "${XPID:-}" ] && kill $XPID 2>/dev/null || true' EXIT
# shellcheck disable=SC1091
. "$DB/env"
printf '[LogOn]\r\nIP=%s\r\nPassword=%s\r\nUser=%s\r\nSQLport=%s\r\nDatabase=%s\r\n' \
  "$VARNOK05_DB_HOST" "$VARNOK05_DB_PASSWORD" "$VARNOK05_DB_USER" "$VARNOK05_DB_PORT" "$VARNOK05_DB_NAME" >"$BUILD/varnok05.ini"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$BUILD/bench.display" </dev/null >/dev/null 2>&1 &
XPID=$!
while [ ! -s "$BUILD/bench.display" ]; do sleep 0.1; done
export DISPLAY=":$(cat "$BUILD/bench.display")"

# Start-up: process start to the window idle with the demo row, five runs.
cd "$BUILD/bin"
starts=()
for _ in 1 2 3 4 5; do
  t0=$(date +%s%N)
  VARNOK05_QUIT_WHEN_IDLE=1 /usr/bin/time -f '%M' -o "$BUILD/bench.rss" ./varnok05 46345701 >/dev/null 2>&1
  t1=$(date +%s%N)
  starts+=($(( (t1 - t0) / 1000000 )))
done
rss_kb=$(cat "$BUILD/bench.rss")
startup=$(printf '%s\n' "${starts[@]}" | sort -n | sed -n 3p)
cd "$ROOT"

bench_json() { VARNOK05_TEST_HOST=$VARNOK05_DB_HOST VARNOK05_TEST_PORT=$VARNOK05_DB_PORT "$@" --benchmark_format=json 2>/dev/null; }
figure() { python3 -c "import json,sys; d=json.load(sys.stdin); b=[x for x in d['benchmarks'] if x['name']=='$1'][0]; print('%.3f ms' % (b['real_time']/{'ns':1e6,'us':1e3,'ms':1}[b['time_unit']]))"; }
records=$(bench_json "$BUILD/bench/records_bench")
recompute=$(echo "$records" | figure BM_FieldExitRecomputation)
save=$(echo "$records" | figure BM_Save)
print="(print_bench not built)"
if [ -x "$BUILD/bench/print_bench" ]; then
  printjson=$("$BUILD/bench/print_bench" --benchmark_format=json 2>/dev/null || true)
  print=$(echo "$printjson" | python3 -c "import json,sys; d=json.load(sys.stdin); b=d['benchmarks'][0]; print('%s: %.1f ms' % (b['name'], b['real_time']/{'ns':1e6,'us':1e3,'ms':1}[b['time_unit']]))" 2>/dev/null || echo "(no figure)")
fi

cat >"$ROOT/bench/RESULTS.md" <<MD
# Measured performance

Written by \`bench/perf_report.sh\` on $(date -u +%Y-%m-%d).

Machine: $(nproc) cores ($(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | xargs)), $(free -g | awk '/Mem:/{print $2}') GiB memory, $(. /etc/os-release; echo "$PRETTY_NAME"), MariaDB $(mariadbd --version | awk '{print $3}') on loopback, Xvfb.

| What | Figure |
|---|---|
| Start-up: process start to the window idle with the demo row (median of 5) | ${startup} ms |
| Peak memory of that run (maximum resident set) | $((rss_kb / 1024)) MiB |
| One field exit's recomputation (row, five totals, credit summary) | ${recompute} |
| A save (post, commit, start transaction, read the row back) | ${save} |
| Print mode to the written PDF (no preview) | ${print} |
MD
cat "$ROOT/bench/RESULTS.md"
