#!/usr/bin/env bash
# Writes resources/texty.txt (Windows-1250, CR LF) from its UTF-8 source
# resources/texty.utf8.txt. Line n holds the texts of caption number n:
# key;Czech;German.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
sed 's/$/\r/' resources/texty.utf8.txt | iconv -f UTF-8 -t WINDOWS-1250 > resources/texty.txt
