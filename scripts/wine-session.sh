# Sourced by the build and test scripts: installs what is missing, configures the build tree, and keeps one
# wineserver running for the build tree's Wine prefix until the calling script exits, pass or fail.
set -eu
cd "$(dirname "$0")/.."
scripts/install-packages.sh
cmake -S . -B build -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null

export WINEPREFIX="$PWD/build/wine-prefix"
stop_wine() { wineserver -k 2>/dev/null || true; }
trap stop_wine EXIT
(setsid wineserver -p >/dev/null 2>&1 </dev/null &)
# Create or update the prefix before anything else starts Wine, so that no two programs race to do it.
build/wine-run wineboot --init >/dev/null 2>&1
