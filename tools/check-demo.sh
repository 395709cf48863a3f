#!/usr/bin/env bash
# Checks the demo pages tools/main.sh publishes: every program folder holds a
# page, and every runtime file a page names is beside it.
set -euo pipefail
demo="${1:?usage: check-demo.sh DEMO_FOLDER}"
status=0
shopt -s nullglob
folders=("$demo"/*/)
if [ ${#folders[@]} -eq 0 ]; then
  echo "check-demo: no published pages in $demo" >&2
  exit 1
fi
for folder in "${folders[@]}"; do
  pages=("$folder"*.html)
  if [ ${#pages[@]} -eq 0 ]; then
    echo "check-demo: no page in $folder" >&2
    status=1
    continue
  fi
  for page in "${pages[@]}"; do
    if [ ! -s "$page" ]; then
      echo "check-demo: $page is empty" >&2
      status=1
      continue
    fi
    # Runtime scripts and style sheets the page loads by a bare name.
    names=$(grep -o -i -E "(src|href)=[\"'][^\"'/:]+\.(js|css)[\"']" "$page" | sed -E "s/^[A-Za-z]+=.//; s/.\$//" | sort -u || true)
    if [ -z "$names" ] && ! grep -q -i '<applet' "$page"; then
      echo "check-demo: $page names no runtime file" >&2
      status=1
    fi
    for name in $names; do
      if [ ! -s "$folder$name" ]; then
        echo "check-demo: $page needs $name, which is not beside it" >&2
        status=1
      fi
    done
  done
done
[ $status -eq 0 ] && echo "check-demo: every page is complete."
exit $status
