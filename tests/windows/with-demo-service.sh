#!/usr/bin/env bash
# Runs a command (a test program under Wine) while the demo service listens on 127.0.0.1 at
# the addresses the test build fixes into the program: the web application on
# https://localhost:47443/Quirel/ and the probe site on http://localhost:47080/. It offers no
# update, so no prompt gets in the tests' way. QUIREL_TEST_WEBAPP, when set, is the folder of
# pages it serves as the web application instead of the demo's. The command finds the service's
# certificate, as a Windows path, in QUIREL_DEMO_CERT (tests that download make the prefix
# trust it) and can change what the service does through http://localhost:47080/control.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/quirel-demo-run.XXXXXX")
server=

cleanup() {
  if [ -n "$server" ]; then
    kill "$server" 2>/dev/null
    wait "$server" 2>/dev/null
  fi
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM

# The addresses are fixed, so another run of the service (a demo, another test run) may hold
# them for a while: wait for them rather than fail.
started=
for _ in $(seq 120); do
  python3 "$here/../../demo/server.py" --state-dir "$work" --installer /dev/null --offer "" \
    ${QUIREL_TEST_WEBAPP:+--webapp "$QUIREL_TEST_WEBAPP"} >"$work/log" 2>&1 &
  server=$!
  for _ in $(seq 300); do
    if grep -q '^demo:' "$work/log"; then started=1; break; fi
    kill -0 "$server" 2>/dev/null || break
    sleep 0.05
  done
  [ -n "$started" ] && break
  wait "$server" 2>/dev/null
  server=
  grep -q "Address already in use" "$work/log" || break
  sleep 1
done
if [ -z "$started" ]; then
  echo "with-demo-service: the demo service did not start" >&2
  cat "$work/log" >&2
  exit 1
fi
QUIREL_DEMO_CERT="Z:${work//\//\\}\\demo-cert.pem" "$@"
rc=$?
if [ "$rc" -ne 0 ]; then
  echo "--- demo service log" >&2
  tail -50 "$work/log" >&2
fi
exit "$rc"
