#!/usr/bin/env bash
# Runs a command (the test program under Wine) in a Wine session of its own: COM's table of
# running class objects lives as long as the prefix's wineserver, and Wine keeps the entries of
# a program that was killed (Windows drops them), so a program another test killed would make
# this program's clients fail with RPC_S_SERVER_UNAVAILABLE. The session of the earlier tests is
# given a few seconds to end by itself, then ended.
set -uo pipefail
: "${WINEPREFIX:?}"
export WINEPREFIX
if [ -d "$WINEPREFIX" ]; then
  timeout 20 /usr/lib/wine/wineserver -w 2>/dev/null || /usr/lib/wine/wineserver -k 2>/dev/null
  timeout 20 /usr/lib/wine/wineserver -w 2>/dev/null
fi
exec "$@"
