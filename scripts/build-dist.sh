#!/bin/sh
# Builds everything and writes dist/, laid out like the host's own folders. Installs what is missing first;
# safe to run again.
. "$(dirname "$0")/wine-session.sh"
cmake --build build -j2 --target all dist
