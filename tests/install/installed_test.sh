#!/usr/bin/env bash
# Installs the build under a scratch prefix and uses the installed tools as a user would:
# started from a folder that is no base folder, they run from the user's own base folder
# (seeded from the installed files); the simulator finds its installed table, and the tool
# reaches it through the installed link module.
# Usage: installed_test.sh BUILD_DIR CMAKE
set -uo pipefail
build=$1 cmake=$2
work=$(mktemp -d)
sim=""
cleanup() {
    [ -n "$sim" ] && kill "$sim" 2>/dev/null && wait "$sim" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

prefix=$work/prefix
"$cmake" --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 ||
    { cat "$work/install.log" >&2; echo "FAIL: cmake --install" >&2; exit 1; }
mkdir -p "$work/elsewhere" "$work/home"
cd "$work/elsewhere" || exit 1
export HOME=$work/home XDG_DATA_HOME=$work/xdg
user=$XDG_DATA_HOME/veltoservo

# The dictionary comes from the installation, through the seeded user folder.
"$prefix/bin/veltoctl" objects >objects.txt 2>objects.err || fail "veltoctl objects: $(cat objects.err)"
grep -q '^6041:00' objects.txt || fail "the installed dictionary lacks the status word"
[ "$(readlink "$user/data/velto.dat")" = "$prefix/share/veltoservo/data/velto.dat" ] ||
    fail "data/velto.dat is not a link to the installed dictionary"
[ "$(readlink "$user/data/COM.so")" = "$prefix/lib/veltoservo/data/COM.so" ] ||
    fail "data/COM.so is not a link to the installed module"
[ -f "$user/sys/sys.ini" ] && [ ! -L "$user/sys/sys.ini" ] || fail "sys/sys.ini is not a copy"
[ -d "$user/user" ] || fail "the user folder has no user/"
[ -z "$(ls -A "$work/elsewhere" | grep -v '^objects')" ] ||
    fail "files were written to the starting folder: $(ls "$work/elsewhere")"

# The installed simulator and the tool talk through the installed serial module.
"$prefix/bin/veltosim" --serial "$work/tty" --control "$work/ctl" --no-stdin >sim.out 2>sim.err &
sim=$!
for _ in $(seq 1 100); do
    [ -s sim.out ] && break
    kill -0 "$sim" 2>/dev/null || break
    sleep 0.1
done
[ "$(head -n1 sim.out)" = "$work/tty" ] || fail "the installed simulator did not start: $(cat sim.err)"
value=$("$prefix/bin/veltoctl" --serial "$work/tty" read 6041:00 --unit HEX 2>read.err) ||
    fail "veltoctl read through the installed module: $(cat read.err)"
[ -n "$value" ] || fail "veltoctl read printed no value"

# A user folder that cannot be made is named in the message, and nothing is reported done.
export XDG_DATA_HOME=$work/elsewhere/objects.txt
if "$prefix/bin/veltoctl" objects >/dev/null 2>blocked.err; then
    fail "veltoctl succeeded without a base folder"
fi
grep -q "cannot prepare the folder $XDG_DATA_HOME/veltoservo" blocked.err ||
    fail "no clear message for a folder that cannot be made: $(cat blocked.err)"

echo "installed under $prefix: $failures failures"
[ $failures = 0 ]
