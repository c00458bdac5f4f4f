#!/usr/bin/env bash
# Builds the Debian package with dpkg-buildpackage in a scratch copy of the source
# tree (the build writes into the tree it builds, and the packages beside it) and
# leaves the .deb files in the output folder.
# Usage: packaging/build-deb.sh <source folder> <output folder>
set -euo pipefail
source=$(cd "${1:?source folder}" && pwd)
mkdir -p "${2:?output folder}"
out=$(cd "$2" && pwd)
version=$(dpkg-parsechangelog -l "$source/debian/changelog" -S Version)

# Always the same folder, as the build flags name it (-ffile-prefix-map): ccache then
# finds its earlier compilations.
scratch="$out/deb-build"
rm -rf "$scratch"
mkdir "$scratch"
trap 'rm -rf "$scratch"' EXIT
tree="$scratch/tessaly-$version"
mkdir "$tree"
# The files git tracks or would add: the tree as its developer sees it, without
# build folders (a tracked file deleted but not yet committed is left out).
git -C "$source" ls-files -z --cached --others --exclude-standard \
  | while IFS= read -r -d '' file; do if [ -e "$source/$file" ]; then printf '%s\0' "$file"; fi; done \
  | tar -C "$source" --null -T - -cf - | tar -C "$tree" -xf -

# debhelper gives the build a HOME of its own; a ccache in use keeps its own cache.
if command -v ccache >/dev/null; then
  CCACHE_DIR=${CCACHE_DIR:-$(ccache -k cache_dir)}
  export CCACHE_DIR
fi
(cd "$tree" && dpkg-buildpackage -us -uc -b -J"${JOBS:-$(nproc)}")
for deb in "$scratch"/*.deb; do
  mv -f "$deb" "$out/"
  echo "$out/$(basename "$deb")"
done
