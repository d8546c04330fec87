#!/usr/bin/env bash
# Runs a command with a throwaway PostgreSQL cluster in a temporary folder, for
# the journal's server test: the cluster listens on a socket in that folder
# only, trusts local connections, and is stopped and removed afterwards. The
# test finds it through KOVA_TEST_PG_* and may stop and start it. As root the
# cluster runs as "nobody" (initdb refuses root).
set -euo pipefail
pg_bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -1)
if [ -z "$pg_bin" ]; then
  echo "with-postgres: PostgreSQL is not installed; running without it" >&2
  exec "$@"
fi
pgdir=$(mktemp -d /tmp/kova-pg.XXXXXX)
as=""
if [ "$(id -u)" -eq 0 ]; then
  chown nobody "$pgdir"
  as="runuser -u nobody --"
fi
$as "$pg_bin/initdb" -D "$pgdir/data" -A trust -U kova >/dev/null
port=$(( 20000 + RANDOM % 20000 ))
export KOVA_TEST_PG_DATA="$pgdir/data" KOVA_TEST_PG_HOST="$pgdir" KOVA_TEST_PG_PORT="$port" \
       KOVA_TEST_PG_USER=kova KOVA_TEST_PG_CTL="$as $pg_bin/pg_ctl"
trap '$KOVA_TEST_PG_CTL stop -D "$pgdir/data" -m fast >/dev/null 2>&1 || true; rm -rf "$pgdir"' EXIT
$KOVA_TEST_PG_CTL start -w -D "$pgdir/data" -o "-k $pgdir -p $port -c listen_addresses=''" \
  -l "$pgdir/data/log" >/dev/null
"$@"
