#!/bin/bash
# Checks the desktop integration of the four programs: the manual pages render
# without a warning and document every option the programs offer, the
# AppStream metadata validates and agrees with the programs, and a tree
# installed from the build holds every icon (at every size), desktop entry,
# project file type, metadata file, manual page and completion, and validates
# as a whole. The bash completion is exercised when bash-completion is there.
#
#   desktop-files-test.sh SOURCE_DIR BUILD_DIR
set -u
source_dir=$1
build=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/kzt-desktop-XXXXXX") || exit 1
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
export LC_ALL=C.UTF-8 MANWIDTH=80 XDG_DATA_HOME=$work/data XDG_CONFIG_HOME=$work/config
programs=(dulcamon kestravo vantrel osmerin)
sizes=(16 22 24 32 48 64 128 256)

# PNG width and height from the IHDR chunk.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8}'; }

# Manual pages, as written in the repository.
for exe in "${programs[@]}"; do
    page=$source_dir/desktop/man/$exe.1
    [ -f "$page" ] || { fail "$exe: no manual page"; continue; }
    out=$(groff -man -ww -z "$page" 2>&1) || fail "$exe.1: groff failed"
    [ -z "$out" ] || fail "$exe.1: groff warns: $out"
    out=$(man --warnings -l "$page" 2>&1 >/dev/null) || fail "$exe.1: man failed"
    [ -z "$out" ] || fail "$exe.1: man warns: $out"
    text=$(man -l "$page" 2>/dev/null)
    for section in NAME SYNOPSIS DESCRIPTION OPTIONS "EXIT STATUS" ENVIRONMENT FILES EXAMPLES; do
        grep -qx "$section" <<<"$text" || fail "$exe.1: no $section section"
    done
    grep -q "TMPDIR" <<<"$text" || fail "$exe.1: TMPDIR not described"
    # Every option the program's --help lists is in its page.
    program=$build/$exe/$exe
    if [ -x "$program" ]; then
        help=$("$program" --help) || fail "$exe --help failed"
        options=$(grep -o -- '--[a-z][a-z-]*' <<<"$help" | sort -u)
        [ -n "$options" ] || fail "$exe --help lists no option"
        for option in $options; do
            grep -q -- "^ *$option\b\|[ ,]$option\b" <<<"$text" || fail "$exe.1: $option not documented"
        done
        version=$("$program" --version | awk '{print $NF}')
        tail -n 1 <<<"$text" | grep -q " $version " || fail "$exe.1: not of version $version"
    else
        fail "$exe: no program at $program"
    fi
done

# AppStream metadata, as written in the repository.
for exe in "${programs[@]}"; do
    meta=$source_dir/desktop/metainfo/$exe.metainfo.xml
    out=$(appstreamcli validate --no-net --pedantic "$meta" 2>&1) || fail "$exe: appstreamcli validate: $out"
    grep -q "<binary>$exe</binary>" "$meta" || fail "$exe: metadata does not provide the binary"
    grep -q "<mediatype>application/x-$exe-project</mediatype>" "$meta" || fail "$exe: metadata lacks the project type"
    grep -q "<launchable type=\"desktop-id\">$exe.desktop</launchable>" "$meta" || fail "$exe: launchable"
    if [ -x "$build/$exe/$exe" ]; then
        version=$("$build/$exe/$exe" --version | awk '{print $NF}')
        grep -q "<release version=\"$version\" date=\"[0-9-]\+\"" "$meta" || fail "$exe: no release $version"
    fi
done

# The source icons are well-formed SVG of a square picture.
for svg in "$source_dir"/desktop/icons/*.svg; do
    xmllint --noout "$svg" || fail "$(basename "$svg"): not well-formed"
    grep -q 'viewBox="0 0 16 16"' "$svg" || fail "$(basename "$svg"): not drawn on the 16 px grid"
done

# A tree installed from the build.
prefix=$work/prefix
if ! cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1; then
    cat "$work/install.log"
    fail "cmake --install"
    exit 1
fi
hicolor=$prefix/share/icons/hicolor
for exe in "${programs[@]}"; do
    desktop=$prefix/share/applications/$exe.desktop
    mime=$prefix/share/mime/packages/$exe.xml
    type=application-x-$exe-project
    desktop-file-validate "$desktop" || fail "$exe: desktop-file-validate"
    icon=$(sed -n 's/^Icon=//p' "$desktop")
    [ "$icon" = "$exe" ] || fail "$exe: the desktop entry names icon '$icon'"
    for pair in "apps $icon" "mimetypes $type"; do
        set -- $pair
        [ -f "$hicolor/scalable/$1/$2.svg" ] || fail "$exe: no scalable $1/$2.svg"
        for size in "${sizes[@]}"; do
            png=$hicolor/${size}x$size/$1/$2.png
            if [ -f "$png" ]; then
                [ "$(png_size "$png")" = "${size}x$size" ] || fail "$png is $(png_size "$png")"
            else
                fail "$exe: no $png"
            fi
        done
    done
    # The project file type's icon is the one installed (its default name).
    rm -rf "$work/mime" && mkdir -p "$work/mime/packages" && cp "$mime" "$work/mime/packages/"
    update-mime-database "$work/mime" >/dev/null 2>&1 || fail "$exe: update-mime-database"
    if grep -q "<icon " "$mime"; then
        grep -q "<icon name=\"$type\"/>" "$mime" || fail "$exe: the MIME type names another icon"
    fi
    [ -f "$prefix/share/metainfo/org.kzt.$exe.metainfo.xml" ] || fail "$exe: metadata not installed"
    gzip -t "$prefix/share/man/man1/$exe.1.gz" || fail "$exe: manual page not installed compressed"
    out=$(man --warnings -l "$prefix/share/man/man1/$exe.1.gz" 2>&1 >/dev/null)
    [ -z "$out" ] || fail "$exe: installed manual page warns: $out"
    [ -f "$prefix/share/bash-completion/completions/$exe" ] || fail "$exe: no bash completion"
done
out=$(appstreamcli validate-tree --no-net "$prefix" 2>&1) || fail "appstreamcli validate-tree: $out"
[ -f "$prefix/share/doc/kztmenus/copyright" ] || fail "no copyright file"
gzip -t "$prefix/share/doc/kztmenus/changelog.gz" || fail "no change log"

# The bash completion, driven as bash-completion drives it.
if [ -f /usr/share/bash-completion/bash_completion ]; then
    mkdir -p "$work/site" && touch "$work/site/a.dlcg" "$work/site/b.vtp" "$work/site/c.txt" "$work/site/d.gms"
    complete_line() { # program words... -> the candidates, one a line
        (cd "$work/site" && bash --norc --noprofile -c '
            source /usr/share/bash-completion/bash_completion
            source "$1"; shift
            COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1))
            COMP_LINE="$*"; COMP_POINT=${#COMP_LINE}
            _kzt_menus "$1" "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD-1]}"
            printf "%s\n" "${COMPREPLY[@]}" | sort' _ "$prefix/share/bash-completion/completions/$1" "$@")
    }
    expect() { # expected-lines program words...
        local want=$1; shift
        local got
        got=$(complete_line "$@")
        [ "$got" = "$want" ] || fail "completion of '$*': got '$(tr '\n' ' ' <<<"$got")', want '$(tr '\n' ' ' <<<"$want")'"
    }
    expect "--publish" dulcamon --pu
    expect "--script-runtime" vantrel --scr
    expect "" dulcamon --scr
    expect "a.dlcg" dulcamon ""
    expect "b.vtp" vantrel --publish ""
    expect "d.gms" dulcamon --import-gms ""
    expect "a.dlcg" dulcamon --import-gms d.gms ""
    expect "--to" dulcamon --publish a.dlcg --t
    expect "--port" osmerin --serve x.osn --po
else
    echo "skipped: the bash completion (bash-completion is not installed)"
fi

[ "$failures" -eq 0 ] || { echo "$failures failure(s)"; exit 1; }
echo "desktop files of ${#programs[@]} programs: all good"
