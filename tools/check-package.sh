#!/usr/bin/env bash
# Builds the Debian package (tools/package.sh) and checks it as a user of
# it would meet it: lintian reports no error (its warnings are listed), the
# control fields are there, the unpacked tree's desktop entries, MIME types,
# AppStream metadata and manual pages validate, and the package unpacked into
# a temporary folder (not /usr: the tree must find its own files) publishes
# a shipped template of every program.
#
#   check-package.sh [--no-build]   (--no-build: check dist/packages as it is)
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
if [ "${1:-}" = "--no-build" ]; then
  bash tools/install-deps.sh --package
else
  bash tools/package.sh
fi
work=$(mktemp -d "${TMPDIR:-/tmp}/kzt-package-XXXXXX")
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "check-package: FAIL: $*" >&2; failures=$((failures + 1)); }
export LC_ALL=C.UTF-8

shopt -s nullglob
debs=("$root"/dist/packages/*.deb)
[ ${#debs[@]} -gt 0 ] || { echo "check-package: no package in dist/packages" >&2; exit 1; }
programs=(dulcamon kestravo vantrel osmerin)

for deb in "${debs[@]}"; do
  name=$(basename "$deb")
  echo "== $name"
  # Every tag lintian finds is shown; only errors fail the check.
  lintian --display-info --pedantic --fail-on error "$deb" | tee "$work/lintian.txt" \
    || fail "$name: lintian reports errors"
  grep -q '^E: ' "$work/lintian.txt" && fail "$name: lintian errors"
  echo "lintian: $(grep -c '^E: ' "$work/lintian.txt" || true) error(s), $(grep -c '^W: ' "$work/lintian.txt" || true) warning(s)"

  for field in Package Version Architecture Maintainer Section Priority Depends Description; do
    value=$(dpkg-deb -f "$deb" "$field")
    [ -n "$value" ] || fail "$name: no $field"
  done
  dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || fail "$name: Depends lacks the Qt libraries"

  # Unpacked under a folder with a blank in its name, far from /usr.
  tree="$work/un packed"
  rm -rf "$tree" && mkdir -p "$tree"
  dpkg-deb -x "$deb" "$tree"
  usr="$tree/usr"
  for exe in "${programs[@]}"; do
    [ -x "$usr/bin/$exe" ] || { fail "$exe not in the package"; continue; }
    desktop="$usr/share/applications/$exe.desktop"
    desktop-file-validate "$desktop" || fail "$exe: desktop-file-validate"
    grep -qx "Exec=$exe %f" "$desktop" || fail "$exe: $(grep '^Exec=' "$desktop")"
    xmllint --noout "$usr/share/mime/packages/$exe.xml" || fail "$exe: MIME package"
    out=$(man --warnings -l "$usr/share/man/man1/$exe.1.gz" 2>&1 >/dev/null)
    [ -z "$out" ] || fail "$exe.1: $out"
    [ -f "$usr/share/icons/hicolor/scalable/apps/$exe.svg" ] || fail "$exe: no icon"
    [ -f "$usr/share/icons/hicolor/48x48/mimetypes/application-x-$exe-project.png" ] \
      || fail "$exe: no project file icon"
  done
  out=$(appstreamcli validate-tree --no-net "$usr" 2>&1) || fail "appstreamcli validate-tree: $out"
  echo "$out" | tail -n 1
  mkdir -p "$work/mime/packages" && cp "$usr"/share/mime/packages/*.xml "$work/mime/packages/"
  update-mime-database "$work/mime" >/dev/null 2>&1 || fail "update-mime-database"

  # Publish a shipped template of every program with the unpacked programs,
  # in a world of their own (no share folder given, no settings). The
  # unpacked runtime scripts are marked first, so a page published with files
  # from anywhere else (the sources, /usr) is caught.
  for runtime in "$usr"/share/*/*.js; do
    echo "// from the unpacked package" >>"$runtime"
  done
  demo="$work/demo"
  rm -rf "$demo" && mkdir -p "$demo"
  for exe in "${programs[@]}"; do
    case "$exe" in
      dulcamon) ext=dlcg; extra=() ;;
      kestravo) ext=ksdm; extra=() ;;
      vantrel) ext=vtp; extra=(--script-runtime) ;;
      osmerin) ext=osn; extra=(--script-runtime) ;;
    esac
    template=$(find "$usr/share/$exe/templates" -maxdepth 1 -name "*.$ext" | sort | head -n 1)
    [ -n "$template" ] || { fail "$exe: no shipped template"; continue; }
    if ! (cd "$work" && env -u DISPLAY -u WAYLAND_DISPLAY -u "${exe^^}_SHARE_DIR" \
            HOME="$work/home" XDG_DATA_HOME="$work/home/data" XDG_CONFIG_HOME="$work/home/config" \
            "$usr/bin/$exe" --publish "$template" --to "$demo/$exe" "${extra[@]}" >/dev/null); then
      fail "$exe: cannot publish $(basename "$template") from the unpacked package"
      continue
    fi
    # The runtime files came from the unpacked tree.
    for runtime in "$usr/share/$exe"/*.js; do
      cmp -s "$runtime" "$demo/$exe/$(basename "$runtime")" \
        || fail "$exe: $(basename "$runtime") not published from the unpacked tree"
    done
    echo "published $exe: $(basename "$template") -> $(cd "$demo/$exe" && ls ./*.html | tr '\n' ' ')"
  done
  bash tools/check-demo.sh "$demo" || fail "the published pages are incomplete"
  if [ -e /usr/share/dulcamon ]; then
    echo "note: /usr/share/dulcamon exists on this machine"
  fi
done

[ "$failures" -eq 0 ] || { echo "check-package: $failures failure(s)" >&2; exit 1; }
echo "check-package: ${#debs[@]} package(s) built, lintian shows no error, the unpacked programs publish."
