#!/usr/bin/env bash
# Builds and starts the program from the runtime folder. With no serial adapter attached, the
# simulated drive is started on a pseudo-terminal first and the settings point at it, so the
# connect button (or the serial link page) reaches a drive at once. VELTO_NO_SIM=1 skips it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
cd build/runtime

ini=sys/sys.ini
# ini_get SECTION KEY: the value, empty when missing.
ini_get() {
  [ -f "$ini" ] || return 0
  awk -F= -v s="[$1]" -v k="$2" '
    /^\[/ { in_s = (tolower($0) == tolower(s)) }
    in_s && tolower($1) == tolower(k) { sub(/^[^=]*=/, ""); print; exit }' "$ini"
}
# ini_set SECTION KEY VALUE: replaces or adds the key, adding the section when needed.
ini_set() {
  mkdir -p sys
  touch "$ini"
  awk -F= -v s="[$1]" -v k="$2" -v v="$3" '
    /^\[/ { if (in_s && !done) { print k "=" v; done = 1 } in_s = (tolower($0) == tolower(s)) }
    in_s && tolower($1) == tolower(k) { if (!done) print k "=" v; done = 1; next }
    { print }
    END { if (!done) { if (!in_s) print s; print k "=" v } }' "$ini" > "$ini.tmp"
  mv "$ini.tmp" "$ini"
}

drive_attached() {
  compgen -G "/dev/ttyUSB*" >/dev/null || compgen -G "/dev/ttyACM*" >/dev/null ||
    compgen -G "/dev/serial/by-id/*" >/dev/null
}

sim_pid=""
stop_sim() { [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null && wait "$sim_pid" 2>/dev/null; true; }
trap stop_sim EXIT

port="$(ini_get com comid)"
if [ "${VELTO_NO_SIM:-0}" != 1 ] && [ -x ./veltosim ] && ! drive_attached &&
   { [ -z "$port" ] || [[ "$port" == /tmp/veltosim/* ]]; }; then
  out="$(mktemp)"
  ./veltosim --serial --no-stdin >"$out" &
  sim_pid=$!
  link=""
  for _ in $(seq 1 100); do
    link="$(head -n1 "$out" 2>/dev/null || true)"
    [ -n "$link" ] && break
    kill -0 "$sim_pid" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$out"
  if [ -n "$link" ]; then
    echo "Simulated drive on $link (stopped when the program ends)"
    ini_set sys comm 2
    ini_set com comid "$link"
    [ -n "$(ini_get com buadrate)" ] || ini_set com buadrate 115200
    [ -n "$(ini_get com driverid)" ] || ini_set com driverid 1
  else
    echo "The simulated drive did not start; the program starts without it." >&2
    stop_sim
    sim_pid=""
  fi
fi

./veltoservo "$@"
