#!/bin/bash
# Installs the build tree into a temporary prefix (and once more staged with
# DESTDIR, as packagers do) and checks that every installed program ships a
# valid desktop entry and shared MIME package that start it where it was
# installed (named alone when installed under /usr).
#
#   install-association-test.sh BUILD_DIR
set -u
build=$1
work=$(mktemp -d "${TMPDIR:-/tmp}/kzt-install-XXXXXX") || exit 1
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

unset DESTDIR
prefix=$work/prefix
if ! cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1; then
    cat "$work/install.log"
    echo "FAIL: cmake --install"
    exit 1
fi

check_program() { # root-of-files prefix-in-entries executable
    local root=$1 runs_from=$2 exe=$3
    local desktop=$root/share/applications/$exe.desktop
    local mime=$root/share/mime/packages/$exe.xml
    local type="application/x-$exe-project"
    [ -f "$desktop" ] || { fail "$exe: no $desktop"; return; }
    [ -f "$mime" ] || { fail "$exe: no $mime"; return; }

    if command -v desktop-file-validate >/dev/null; then
        desktop-file-validate "$desktop" || fail "$exe: desktop-file-validate"
    fi
    [ "$(head -n 1 "$desktop")" = "[Desktop Entry]" ] || fail "$exe: first line of the desktop entry"
    grep -qx "Type=Application" "$desktop" || fail "$exe: Type"
    grep -qx "Name=.\+" "$desktop" || fail "$exe: Name"
    local exec="\"$runs_from/bin/$exe\""
    # Under /usr the program is on PATH and named alone.
    [ "$runs_from" = /usr ] && exec=$exe
    grep -qx "Exec=$exec %f" "$desktop" || fail "$exe: Exec is $(grep '^Exec=' "$desktop")"
    grep -qx "MimeType=$type;" "$desktop" || fail "$exe: MimeType"
    if grep -v '^\[Desktop Entry\]$' "$desktop" | grep -vq '^[A-Za-z]\+=.*$'; then
        fail "$exe: a line that is neither group nor key"
    fi

    if command -v xmllint >/dev/null; then
        xmllint --noout "$mime" || fail "$exe: xmllint"
    fi
    grep -q "<mime-type type=\"$type\">" "$mime" || fail "$exe: MIME type"
    local glob
    glob=$(sed -n 's/.*<glob pattern="\*\.\([A-Za-z0-9]\+\)"\/>.*/\1/p' "$mime")
    [ -n "$glob" ] || { fail "$exe: no glob"; return; }
    if command -v update-mime-database >/dev/null; then
        rm -rf "$work/mime" && mkdir -p "$work/mime/packages" && cp "$mime" "$work/mime/packages/"
        update-mime-database "$work/mime" >/dev/null 2>&1 || fail "$exe: update-mime-database"
        grep -q ":$type:\*\.$glob\$" "$work/mime/globs2" || fail "$exe: *.$glob not mapped to $type"
    fi
    echo "ok: $exe ($type, *.$glob)"
}

programs=0
for program in "$prefix"/bin/*; do
    [ -x "$program" ] || continue
    programs=$((programs + 1))
    check_program "$prefix" "$prefix" "$(basename "$program")"
done
[ "$programs" -gt 0 ] || fail "no program installed"

# Staged for a package that installs into /opt/kzt.
if ! DESTDIR=$work/stage cmake --install "$build" --prefix /opt/kzt >"$work/stage.log" 2>&1; then
    cat "$work/stage.log"
    fail "cmake --install with DESTDIR"
else
    for program in "$work"/stage/opt/kzt/bin/*; do
        check_program "$work/stage/opt/kzt" /opt/kzt "$(basename "$program")"
    done
fi

# Staged for a Debian package, under /usr.
if ! DESTDIR=$work/usr-stage cmake --install "$build" --prefix /usr >"$work/usr-stage.log" 2>&1; then
    cat "$work/usr-stage.log"
    fail "cmake --install --prefix /usr with DESTDIR"
else
    for program in "$work"/usr-stage/usr/bin/*; do
        check_program "$work/usr-stage/usr" /usr "$(basename "$program")"
    done
fi

[ "$failures" -eq 0 ] || { echo "$failures failure(s)"; exit 1; }
echo "all $programs program(s) ship their association"
