#!/usr/bin/env bash
# Builds the Debian package from the build tree and checks what it holds: the file list,
# owners and modes, the dependencies, the desktop entry, icons and manual pages, and that the
# shipped data is the data this build generated.
# Usage: package_test.sh BUILD_DIR SOURCE_DIR CPACK
set -uo pipefail
build=$1 source=$2 cpack=$3
expected=$source/tests/install/package_files.txt
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

if ! (cd "$build" && "$cpack" -G DEB -B "$work/out") >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log" >&2
    echo "FAIL: cpack could not build the package" >&2
    exit 1
fi
deb=$(ls "$work"/out/veltoservo_*.deb)
echo "package: $(basename "$deb") ($(stat -c %s "$deb") bytes)"

# The file list: every file matches a line, every line matches a file.
dpkg-deb -c "$deb" | awk '$1 ~ /^-/ { print $1, $2, $6 }' >"$work/contents"
mapfile -t patterns < <(grep -v '^\s*\(#\|$\)' "$expected")
declare -A used
while read -r mode owner path; do
    matched=0
    for p in "${patterns[@]}"; do
        # shellcheck disable=SC2053  # the line is a pattern
        if [[ $path == $p ]]; then
            matched=1
            used[$p]=1
        fi
    done
    [ $matched = 1 ] || fail "unexpected file in the package: $path"
    [ "$owner" = root/root ] || fail "$path is owned by $owner"
    case $path in
        ./usr/bin/*) want=-rwxr-xr-x ;;
        *) want=-rw-r--r-- ;;
    esac
    [ "$mode" = "$want" ] || fail "$path has mode $mode, not $want"
done <"$work/contents"
for p in "${patterns[@]}"; do
    [ -n "${used[$p]:-}" ] || fail "missing from the package: $p"
done

# Dependencies: the Qt 6 runtime the programs link and the serial-bus plugins' package.
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for lib in libqt6core6 libqt6gui6 libqt6widgets6 libqt6serialbus6 libc6 libstdc++6; do
    [[ $depends == *"$lib "* || $depends == *"$lib," || $depends == *"$lib" ]] ||
        fail "Depends lacks $lib"
done
[[ $depends != *-dev* ]] || fail "Depends names a development package"
dpkg-deb -I "$deb" postinst >/dev/null 2>&1 || fail "the package has no postinst (udev)"

dpkg-deb -x "$deb" "$work/root"
usr=$work/root/usr
desktop-file-validate "$usr/share/applications/veltoservo.desktop" ||
    fail "the desktop entry does not validate"
for prog in veltoservo veltoctl veltosim; do
    file -b "$usr/bin/$prog" | grep -q ', stripped' || fail "$prog is not stripped"
done
for dir in "$usr"/share/icons/hicolor/*x*/apps; do
    size=$(basename "$(dirname "$dir")")
    file -b "$dir/veltoservo.png" | grep -q "PNG image data, ${size/x/ x }," ||
        fail "the $size icon is not a $size PNG"
done
for tool in veltoctl veltosim; do
    page=$(zcat "$usr/share/man/man1/$tool.1.gz")
    grep -q "^\.TH ${tool^^} \"\?1" <<<"$page" || fail "$tool.1 has no title line"
    grep -q '^\.SH OPTIONS' <<<"$page" || fail "$tool.1 lists no options"
    grep -q 'serial' <<<"$page" || fail "$tool.1 does not describe --serial"
done
for f in data/velto.dat data/velto_sim.tsv data/EN.qm; do
    cmp -s "$usr/share/veltoservo/$f" "$build/runtime/$f" ||
        fail "the packaged $f differs from the build's"
done
cmp -s "$usr/share/veltoservo/defaults/sys/sys.ini" "$source/data/sys.ini" ||
    fail "the packaged sys.ini is not the shipped default"

echo "$(wc -l <"$work/contents") files checked, $failures failures"
[ $failures = 0 ]
