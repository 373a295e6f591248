#!/usr/bin/env bash
# Every relative link and picture in README.md and docs/*.md names a file of the
# repository, and a link to a heading (page.md#heading) names a heading of that page;
# no page keeps a merge's conflict markers.
#   tests/docs/links.sh [SOURCE_DIR]
set -euo pipefail
cd "${1:-$(dirname "$0")/../..}"

# The lines of a page outside its fenced code blocks, as "LINE<tab>TEXT".
prose() { awk '/^```/ { fenced = !fenced; next } !fenced { print NR "\t" $0 }' "$1"; }

# The anchors of a page's headings as they are linked: lower case, spaces as
# hyphens, punctuation dropped.
anchors() {
  prose "$1" | cut -f2- | sed -n 's/^#\{1,6\} //p' | tr 'A-Z ' 'a-z-' | tr -cd 'a-z0-9_\n-'
}

broken=0
for page in README.md docs/*.md; do
  if grep -nE '^(<<<<<<<|>>>>>>>|=======$)' "$page"; then
    echo "$page: conflict markers left by a merge"
    broken=1
  fi
  while IFS=$'\t' read -r line target; do
    case "$target" in *://* | mailto:*) continue ;; esac
    path="${target%%#*}" anchor=""
    [ "$path" != "$target" ] && anchor="${target#*#}"
    file="$page"
    [ -n "$path" ] && file="$(dirname "$page")/$path"
    if [ ! -e "$file" ]; then
      echo "$page:$line: $target: no such file"
      broken=1
    elif [ -n "$anchor" ] && ! anchors "$file" | grep -qx -- "$anchor"; then
      echo "$page:$line: $target: no such heading in $file"
      broken=1
    fi
  done < <(prose "$page" | awk -F'\t' '{
      text = $2
      while (match(text, /\]\([^) ]+/)) {
        print $1 "\t" substr(text, RSTART + 2, RLENGTH - 2)
        text = substr(text, RSTART + RLENGTH)
      }
    }')
done
exit "$broken"
