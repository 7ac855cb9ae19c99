#!/usr/bin/env bash
# Makes the Debian package and checks it.
#   tools/package.sh            a release build (-O3, Debian's hardening flags) into
#                               build-release/, then build-release/glimmerbox_<version>_<arch>.deb
#   tools/package.sh BUILD_DIR  the package from a build that is configured already
#                               (CI packages the build its tests ran on)
# The checks: desktop-file-validate on the menu entry, appstreamcli on the AppStream
# data, lintian on the package (any error fails). Then the package's size, installed
# size and dependencies are printed.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh --package
targets=(glimmerbox treemonitor glimmer_package_files)
if [ $# -eq 0 ]; then
  build=build-release
  # The changelog and the AppStream release carry the last commit's date, not today's.
  SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null || date +%s)
  export SOURCE_DATE_EPOCH
  export DEB_BUILD_MAINT_OPTIONS=hardening=+all
  # Release appends -O3 after Debian's -O2; CPack builds only what it installs.
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" \
    -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON -DGLIMMER_WERROR=OFF >/dev/null
elif [ $# -eq 1 ] && [ -f "$1/CPackConfig.cmake" ]; then
  build=$1
else
  echo "usage: tools/package.sh [BUILD_DIR]   (BUILD_DIR: a configured build directory)" >&2
  exit 2
fi
cmake --build "$build" -j"$(nproc)" --target "${targets[@]}"
(cd "$build" && cpack -G DEB >/dev/null)
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
deb="$build/glimmerbox_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || { echo "CPack made no $deb" >&2; exit 1; }

contents=$(mktemp -d)
trap 'rm -rf "$contents"' EXIT
dpkg-deb -x "$deb" "$contents"
status=0
desktop-file-validate "$contents"/usr/share/applications/*.desktop || status=1
appstreamcli validate --no-net "$contents"/usr/share/metainfo/*.metainfo.xml || status=1
echo "lintian:"
lintian --display-info "$deb" || status=1
echo "Package: $deb"
echo "  size: $(stat -c %s "$deb") bytes; installed size: $(dpkg-deb -f "$deb" Installed-Size) KiB"
echo "  depends: $(dpkg-deb -f "$deb" Depends)"
[ $status -eq 0 ] || echo "The package failed a check (above)." >&2
exit $status
