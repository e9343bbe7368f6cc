#!/usr/bin/env bash
# Pictures of the main window for judging its look, on the demo data:
# each page and the warning dialog, once with the captions of
# resources/texty.txt and once with the window description's placeholders.
#
#   scripts/screenshots.sh [<build dir>]     (default: build)
#
# Builds the ui_screenshots tool, starts a private demo database server in
# <build dir>/screenshot-db (fresh each time), renders offscreen (no X
# server needed) and writes <build dir>/screenshots/{captions,placeholders}-
# page1..4.png and -pozor.png.
set -euo pipefail

DEMO_ICO=46345701
DEMO_YEAR=2017

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${1:-$ROOT/build}
BUILD=$(mkdir -p "$BUILD" && cd "$BUILD" && pwd)
DB=$BUILD/screenshot-db
OUT=$BUILD/screenshots
WORK=$OUT/run

"$ROOT/scripts/deps.sh"
if [ ! -f "$BUILD/build.ninja" ]; then
  cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$BUILD" --target ui_screenshots
TOOL=$BUILD/tests/ui_screenshots

"$ROOT/scripts/db.sh" wipe "$DB"
"$ROOT/scripts/db.sh" start "$DB" --demo
trap '"$ROOT/scripts/db.sh" stop "$DB" || true' EXIT
# shellcheck disable=SC1091
. "$DB/env"

# The window reads varnok05.ini from the parent of its program directory
# and the caption file from the current directory.
rm -rf "$WORK"
mkdir -p "$WORK/bin"
printf '[LogOn]\r\nIP=%s\r\nPassword=%s\r\nUser=%s\r\nSQLport=%s\r\nDatabase=%s\r\n' \
  "$VARNOK05_DB_HOST" "$VARNOK05_DB_PASSWORD" "$VARNOK05_DB_USER" "$VARNOK05_DB_PORT" \
  "$VARNOK05_DB_NAME" | iconv -f UTF-8 -t WINDOWS-1250 >"$WORK/varnok05.ini"

export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR=$WORK/xdg-runtime
mkdir -p "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

cp "$ROOT/resources/texty.txt" "$WORK/bin/texty.txt"
(cd "$WORK/bin" && "$TOOL" "$OUT" captions "$WORK/bin" "$DEMO_ICO" "$DEMO_YEAR")
# Without the caption file the window keeps its placeholders (the missing
# file is reported and answered).
rm "$WORK/bin/texty.txt"
(cd "$WORK/bin" && "$TOOL" "$OUT" placeholders "$WORK/bin" "$DEMO_ICO" "$DEMO_YEAR")

echo "screenshots.sh: pictures in $OUT" >&2
