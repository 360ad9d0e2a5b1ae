#!/usr/bin/env bash
# Installs what is missing, builds the program and its desktop files, and makes the Debian
# package build/velmora_<version>_<architecture>.deb.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --target velmora velmora_desktop_files
cd build
cpack -G DEB
