#!/usr/bin/env bash
# A private MariaDB server for the demo and the tests.
#
#   scripts/db.sh start <dir> [--demo]   start (initialising <dir> on first use)
#   scripts/db.sh stop <dir>             shut down cleanly
#   scripts/db.sh status <dir>           exit 0 when running
#   scripts/db.sh wipe <dir>             stop and delete <dir> with all data
#
# Everything lives under <dir>: data/, the socket, the pid file, server.log
# and env, a shell-sourceable file with the connection settings. The server
# is Debian's mariadbd started directly with --no-defaults, so neither a
# system-wide server nor /etc/mysql is touched. It listens on 127.0.0.1 only,
# on a free port (the previous one when it is still free).
#
# On first use the data directory is created, the database varnok_ram and the
# user varnok/kredit05 are set up and db/schema.sql is loaded (with --demo
# also db/demo.sql). Later starts keep the data as it is.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
DB_NAME=varnok_ram
DB_USER=varnok
DB_PASSWORD=kredit05
START_TIMEOUT=${VARNOK05_DB_START_TIMEOUT:-60}
STOP_TIMEOUT=${VARNOK05_DB_STOP_TIMEOUT:-60}

die() {
  echo "db.sh: $*" >&2
  exit 1
}

usage() {
  echo "usage: $0 start|stop|status|wipe <dir> [--demo]" >&2
  exit 2
}

[ $# -ge 2 ] || usage
CMD=$1
mkdir -p "$2"
DIR=$(cd "$2" && pwd)
shift 2
DEMO=0
for a in "$@"; do
  case $a in
    --demo) DEMO=1 ;;
    *) usage ;;
  esac
done

DATA=$DIR/data
PIDFILE=$DIR/mariadbd.pid
LOG=$DIR/server.log
ENVFILE=$DIR/env
READY=$DIR/data/.varnok05-ready
OS_USER=$(id -un)

# The socket lives in <dir> unless the path would exceed the limit of a
# Unix socket address; then a short private directory under /tmp holds it.
socket_path() {
  if [ -f "$DIR/socket-path" ]; then
    cat "$DIR/socket-path"
    return
  fi
  local s=$DIR/mysqld.sock
  if [ "${#s}" -gt 100 ]; then
    s=$(mktemp -d "${TMPDIR:-/tmp}/varnok05-db.XXXXXX")/mysqld.sock
  fi
  echo "$s" >"$DIR/socket-path"
  echo "$s"
}
SOCKET=$(socket_path)

find_binary() {
  local b
  for b in "$@"; do
    if command -v "$b" >/dev/null 2>&1; then
      command -v "$b"
      return
    fi
    if [ -x "/usr/sbin/$b" ]; then
      echo "/usr/sbin/$b"
      return
    fi
  done
  die "none of $* found (run scripts/deps.sh)"
}

# Prints the pid of this directory's server when it runs.
server_pid() {
  [ -f "$PIDFILE" ] || return 1
  local pid
  pid=$(cat "$PIDFILE" 2>/dev/null) || return 1
  [[ $pid =~ ^[0-9]+$ ]] || return 1
  # A recycled pid belongs to some other process: check the data directory.
  tr '\0' '\n' <"/proc/$pid/cmdline" 2>/dev/null | grep -qxF -- "--datadir=$DATA" || return 1
  echo "$pid"
}

client() {
  "$(find_binary mariadb mysql)" --no-defaults --protocol=socket --socket="$SOCKET" \
    --user="$OS_USER" --default-character-set=utf8mb4 "$@"
}

admin() {
  "$(find_binary mariadb-admin mysqladmin)" --no-defaults --protocol=socket --socket="$SOCKET" \
    --user="$OS_USER" "$@"
}

answers() {
  admin --connect-timeout=2 ping >/dev/null 2>&1
}

port_free() {
  python3 - "$1" <<'EOF'
import socket, sys
s = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
try:
    s.bind(("127.0.0.1", int(sys.argv[1])))
except OSError:
    sys.exit(1)
EOF
}

pick_port() {
  local old
  if [ -f "$DIR/port" ]; then
    old=$(cat "$DIR/port")
    if [[ $old =~ ^[0-9]+$ ]] && port_free "$old"; then
      echo "$old"
      return
    fi
  fi
  python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

write_env() {
  local port=$1
  {
    echo "# Connection settings of the server in this directory (scripts/db.sh)."
    printf 'VARNOK05_DB_HOST=%q\n' 127.0.0.1
    printf 'VARNOK05_DB_PORT=%q\n' "$port"
    printf 'VARNOK05_DB_USER=%q\n' "$DB_USER"
    printf 'VARNOK05_DB_PASSWORD=%q\n' "$DB_PASSWORD"
    printf 'VARNOK05_DB_SOCKET=%q\n' "$SOCKET"
    printf 'VARNOK05_DB_NAME=%q\n' "$DB_NAME"
  } >"$ENVFILE.tmp"
  mv "$ENVFILE.tmp" "$ENVFILE"
}

server_options() {
  local opts=(--no-defaults "--datadir=$DATA" "--socket=$SOCKET" --skip-name-resolve
    --character-set-server=utf8mb4 --collation-server=utf8mb4_czech_ci
    --innodb-buffer-pool-size=64M --innodb-log-file-size=16M --skip-log-bin)
  # mariadbd refuses to run as root unless told to.
  [ "$(id -u)" -ne 0 ] || opts+=(--user=root)
  printf '%s\n' "${opts[@]}"
}

initialise() {
  echo "db.sh: initialising $DATA" >&2
  rm -rf "$DATA"
  mkdir -p "$DATA"
  local opts
  mapfile -t opts < <(server_options)
  # The root account and one for the calling OS user authenticate through
  # the socket only; the program and the tests use the varnok account.
  if ! "$(find_binary mariadb-install-db mysql_install_db)" "${opts[@]}" \
    --auth-root-authentication-method=socket --auth-root-socket-user="$OS_USER" \
    --skip-test-db >"$DIR/install.log" 2>&1; then
    tail -n 30 "$DIR/install.log" >&2
    die "mariadb-install-db failed (log: $DIR/install.log)"
  fi
}

launch() {
  local port=$1
  local opts
  mapfile -t opts < <(server_options)
  rm -f "$PIDFILE"
  # setsid: the server outlives the terminal and Ctrl+C of the caller.
  setsid "$(find_binary mariadbd mysqld)" "${opts[@]}" --port="$port" --bind-address=127.0.0.1 \
    --pid-file="$PIDFILE" --log-error="$LOG" </dev/null >>"$LOG" 2>&1 &
  local pid=$! waited=0
  while ! answers; do
    if ! kill -0 "$pid" 2>/dev/null; then
      return 1
    fi
    if [ "$waited" -ge $((START_TIMEOUT * 5)) ]; then
      kill -TERM "$pid" 2>/dev/null || true
      echo "db.sh: the server did not answer within ${START_TIMEOUT}s; log tail:" >&2
      tail -n 30 "$LOG" >&2
      exit 1
    fi
    sleep 0.2
    waited=$((waited + 1))
  done
  # The pid file appears a little after the socket answers on some versions.
  [ -f "$PIDFILE" ] || echo "$pid" >"$PIDFILE"
}

setup_database() {
  client <<EOF
CREATE DATABASE IF NOT EXISTS $DB_NAME CHARACTER SET utf8mb4 COLLATE utf8mb4_czech_ci;
CREATE USER IF NOT EXISTS '$DB_USER'@'localhost' IDENTIFIED BY '$DB_PASSWORD';
CREATE USER IF NOT EXISTS '$DB_USER'@'127.0.0.1' IDENTIFIED BY '$DB_PASSWORD';
GRANT ALL PRIVILEGES ON *.* TO '$DB_USER'@'localhost';
GRANT ALL PRIVILEGES ON *.* TO '$DB_USER'@'127.0.0.1';
FLUSH PRIVILEGES;
EOF
  client "$DB_NAME" <"$ROOT/db/schema.sql" || die "loading db/schema.sql failed"
  if [ "$DEMO" -eq 1 ]; then
    client "$DB_NAME" <"$ROOT/db/demo.sql" || die "loading db/demo.sql failed"
  fi
}

start() {
  if server_pid >/dev/null && answers; then
    [ -f "$ENVFILE" ] || write_env "$(cat "$DIR/port")"
    echo "db.sh: server in $DIR is already running" >&2
    return
  fi
  if pid=$(server_pid); then
    die "a server (pid $pid) runs on $DATA but does not answer; stop it first"
  fi
  # A data directory whose set-up never finished holds no user data.
  local fresh=0
  if [ ! -f "$READY" ]; then
    initialise
    fresh=1
  fi
  local port attempt
  for attempt in 1 2 3 4 5; do
    port=$(pick_port)
    : >"$LOG"
    if launch "$port"; then
      break
    fi
    # Another process may have taken the port between the check and the bind.
    if grep -q -i -e 'address already in use' -e 'bind on tcp/ip port' "$LOG" && [ "$attempt" -lt 5 ]; then
      rm -f "$DIR/port"
      continue
    fi
    echo "db.sh: the server did not start; log tail:" >&2
    tail -n 30 "$LOG" >&2
    exit 1
  done
  echo "$port" >"$DIR/port"
  if [ "$fresh" -eq 1 ]; then
    setup_database
    touch "$READY"
  fi
  write_env "$port"
  echo "db.sh: server in $DIR listens on 127.0.0.1:$port" >&2
}

stop() {
  local pid
  if ! pid=$(server_pid); then
    echo "db.sh: no server running in $DIR" >&2
    rm -f "$PIDFILE"
    return
  fi
  # A clean shutdown through the socket; a signal if that is refused.
  admin shutdown >/dev/null 2>&1 || kill -TERM "$pid" 2>/dev/null || true
  local waited=0
  while kill -0 "$pid" 2>/dev/null; do
    if [ "$waited" -ge $((STOP_TIMEOUT * 5)) ]; then
      echo "db.sh: the server did not stop within ${STOP_TIMEOUT}s; killing it" >&2
      kill -KILL "$pid" 2>/dev/null || true
      break
    fi
    sleep 0.2
    waited=$((waited + 1))
  done
  rm -f "$PIDFILE"
  echo "db.sh: server in $DIR stopped" >&2
}

wipe() {
  stop
  # A socket directory of its own under /tmp goes with the data.
  case $SOCKET in
    "$DIR"/*) ;;
    *) rm -rf "$(dirname "$SOCKET")" ;;
  esac
  rm -rf "$DIR"
}

case $CMD in
  start) start ;;
  stop) stop ;;
  wipe) wipe ;;
  status) server_pid >/dev/null && answers ;;
  *) usage ;;
esac
