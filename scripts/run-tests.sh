#!/bin/sh
# Builds everything and runs every test under Wine. Installs what is missing first; safe to run again.
. "$(dirname "$0")/wine-session.sh"
cmake --build build -j2
ctest --test-dir build --output-on-failure
