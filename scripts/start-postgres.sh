#!/usr/bin/env bash
# Starts a throw-away PostgreSQL 15 cluster for the tests: initdb in a new temporary folder as an
# unprivileged user (the "postgres" system user when run as root), its Unix socket in that
# folder, on a free port, reachable only through the socket. Prints the shell lines that export
# VELMORA_TEST_PG (the connection string the tests use), VELMORA_TEST_PG_CTL (a command that
# stops or starts the cluster again, for tests of a server that goes away while Velmora runs)
# and VELMORA_TEST_PG_STOP (the command that stops the cluster and removes the folder), for the
# caller to eval. The tests' cluster does not wait for its writes to reach the disk; with
# --durable it does, as a practice's server does (for the benchmarks).
set -euo pipefail

sync_option="-c fsync=off"
[ "${1:-}" = --durable ] && sync_option=""

bin=/usr/lib/postgresql/15/bin
[ -x "$bin/initdb" ] || { echo "start-postgres: PostgreSQL 15 is not installed" >&2; exit 1; }

as_owner=()
if [ "$(id -u)" -eq 0 ]; then
  id postgres >/dev/null 2>&1 || useradd --system --home-dir /var/lib/postgresql --shell /bin/bash postgres
  as_owner=(runuser -u postgres --)
fi

dir=$(mktemp -d /tmp/velmora-pg.XXXXXX)
chmod 755 "$dir"
[ "${#as_owner[@]}" -eq 0 ] || chown postgres: "$dir"
# No TCP listener: the port only names the socket file in our own folder, so any number is free.
port=$((20000 + RANDOM % 40000))

"${as_owner[@]}" "$bin/initdb" -D "$dir/data" -U velmora --auth=trust --encoding=UTF8 \
  --locale=C.UTF-8 >"$dir/initdb.log" 2>&1 || { cat "$dir/initdb.log" >&2; exit 1; }
cat >"$dir/ctl" <<EOF
#!/bin/sh
case \$1 in
stop) exec ${as_owner[*]} $bin/pg_ctl -D $dir/data -m fast -w stop >/dev/null ;;
start) exec ${as_owner[*]} $bin/pg_ctl -D $dir/data -l $dir/server.log -w -t 60 \\
  -o "-c listen_addresses='' -c unix_socket_directories='$dir' -p $port $sync_option" start >/dev/null ;;
esac
EOF
chmod 755 "$dir/ctl"
"$dir/ctl" start || { cat "$dir/server.log" >&2; exit 1; }

echo "export VELMORA_TEST_PG='host=$dir port=$port user=velmora dbname=postgres'"
echo "export VELMORA_TEST_PG_CTL='$dir/ctl'"
echo "export VELMORA_TEST_PG_STOP='$dir/ctl stop; rm -rf $dir'"
