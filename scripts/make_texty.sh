#!/usr/bin/env bash
# Writes resources/texty.txt (Windows-1250, CR LF) from its UTF-8 source
# resources/texty.utf8.txt. Line n holds the texts of caption number n:
# key;Czech;German. The caption file has no quoting, so a text must not
# contain ';'; iconv refuses characters that Windows-1250 cannot hold.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
SRC=resources/texty.utf8.txt
OUT=resources/texty.txt

awk -F';' '
  NF != 3 { printf "%s:%d: want key;Czech;German, got %d fields\n", FILENAME, NR, NF; bad = 1 }
  /\r/    { printf "%s:%d: CR in the source\n", FILENAME, NR; bad = 1 }
  END     { if (NR != 99) { printf "%s: %d lines, want 99\n", FILENAME, NR; bad = 1 } exit bad }
' "$SRC" >&2

tmp=$(mktemp)
trap 'rm -f "$tmp"' EXIT
sed 's/$/\r/' "$SRC" | iconv -f UTF-8 -t WINDOWS-1250 >"$tmp"
chmod 644 "$tmp"
mv "$tmp" "$OUT"
trap - EXIT
