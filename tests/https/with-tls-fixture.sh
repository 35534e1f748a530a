#!/usr/bin/env bash
# Runs a command (the test program under Wine) while tls_fixture.py listens on 127.0.0.1; the
# command finds the ports in QUIREL_TLS_FIXTURE ("tls12=P tls13=P ...") and the servers'
# certificate, as a Windows path, in QUIREL_TLS_FIXTURE_CERT. The fixture reads its
# standard input from a pipe that only this script holds open, so it ends with this script
# however this script ends, even when killed outright.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/quirel-tls-run.XXXXXX")
fixture=

cleanup() {
  exec 7>&-
  if [ -n "$fixture" ]; then
    kill "$fixture" 2>/dev/null
    wait "$fixture" 2>/dev/null
  fi
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM

mkfifo "$work/alive"
python3 "$here/tls_fixture.py" "$work" <"$work/alive" >"$work/ready" 2>"$work/log" &
fixture=$!
exec 7>"$work/alive"

ports=
for _ in $(seq 300); do
  ports=$(sed -n 's/^ready //p' "$work/ready")
  [ -n "$ports" ] && break
  kill -0 "$fixture" 2>/dev/null || break
  sleep 0.05
done
if [ -z "$ports" ]; then
  echo "with-tls-fixture: the TLS fixture did not start" >&2
  cat "$work/log" >&2
  exit 1
fi

QUIREL_TLS_FIXTURE=$ports QUIREL_TLS_FIXTURE_CERT="Z:${work//\//\\}\\cert.pem" "$@" 7>&-
rc=$?
if [ "$rc" -ne 0 ] && [ -s "$work/log" ]; then
  echo "--- TLS fixture log" >&2
  cat "$work/log" >&2
fi
exit "$rc"
