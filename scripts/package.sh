#!/usr/bin/env bash
# Builds the Debian package build/package/quavix_<version>_<architecture>.deb and runs on it the checks
# distributions run: desktop-file-validate on the menu entry, appstreamcli on the metainfo, lintian on the
# package. Fails on any error or warning. Usage: scripts/package.sh [build-folder]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/package}
scripts/install-deps.sh --package

# Debian's own compiler and linker flags, as its packages are built with, with every hardening option.
eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
export CXXFLAGS="$CXXFLAGS ${CPPFLAGS:-}"
# The private folder of the program is lib/quavix, also where a multiarch library folder would be usual.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DCMAKE_INSTALL_LIBDIR=lib -DQUAVIX_BUILD_TESTS=OFF -DQUAVIX_BUILD_BENCH=OFF >/dev/null
cmake --build "$build"
rm -f "$build"/quavix_*.deb
(cd "$build" && cpack -G DEB)
debs=("$build"/quavix_*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
  echo "expected one package in $build" >&2
  exit 1
fi
deb=${debs[0]}

# The checks look at the files as the package holds them.
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
dpkg-deb -x "$deb" "$tree"
failed=0
for entry in "$tree"/usr/share/applications/*.desktop; do
  out=$(desktop-file-validate "$entry" 2>&1) || failed=1
  [ -z "$out" ] || { echo "$out"; failed=1; }
done
# The metainfo together with the desktop entry and icons it names; without the network, which CI lacks.
appstreamcli validate-tree --no-net "$tree" || failed=1
# Warnings fail too. Should one ever be right for this package, it needs an override with its reason,
# installed as usr/share/lintian/overrides/quavix.
lintian --fail-on error,warning --display-info "$deb" || failed=1
[ "$failed" -eq 0 ] || { echo "package checks failed" >&2; exit 1; }

# Every field of the control file, whatever order CPack wrote them in.
dpkg-deb --field "$deb"
echo "Built and checked $deb"
