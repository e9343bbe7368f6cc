#!/usr/bin/env bash
# Builds Varnok05 and starts it on the demo data.
#
# Installs missing packages, builds ./build, starts the private demo database
# server in build/demo-db (schema and demo data are loaded the first time
# only, so your changes survive), writes build/varnok05.ini and opens the
# demo company. Extra arguments go to the program after the company number,
# e.g. ./run.sh 2017 /edit
set -euo pipefail

DEMO_ICO=46345701

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
BUILD=$ROOT/build
DEMO_DB=$BUILD/demo-db

"$ROOT/scripts/build.sh" "$BUILD"
"$ROOT/scripts/db.sh" start "$DEMO_DB" --demo
# shellcheck disable=SC1091
. "$DEMO_DB/env"

# The program reads varnok05.ini from the parent of its own directory, as an
# 8-bit Windows-1250 ini file with CR LF line ends.
printf '[LogOn]\r\nIP=%s\r\nPassword=%s\r\nUser=%s\r\nSQLport=%s\r\nDatabase=%s\r\n' \
  "$VARNOK05_DB_HOST" "$VARNOK05_DB_PASSWORD" "$VARNOK05_DB_USER" "$VARNOK05_DB_PORT" \
  "$VARNOK05_DB_NAME" | iconv -f UTF-8 -t WINDOWS-1250 >"$BUILD/varnok05.ini"

PROGRAM=$BUILD/bin/varnok05
[ -x "$PROGRAM" ] || { echo "run.sh: $PROGRAM was not built" >&2; exit 1; }

# The caption file texty.txt is looked up in the current directory; the
# build puts it beside the program.
cd "$BUILD/bin"
LAUNCH=()
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run.sh: no DISPLAY or WAYLAND_DISPLAY; running the program under xvfb-run (invisible)" >&2
  LAUNCH=(xvfb-run -a -s "-screen 0 1280x1024x24")
fi

status=0
"${LAUNCH[@]}" "$PROGRAM" "$DEMO_ICO" "$@" || status=$?
echo "run.sh: the demo database server is still running; stop it with: scripts/db.sh stop build/demo-db" >&2
exit "$status"
