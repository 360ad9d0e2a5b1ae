#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
# The print tests print through a real CUPS queue into PDF.
bash scripts/start-cups.sh
# The engine's rules also run on a database server: a throw-away PostgreSQL cluster of our own.
# (Assigned first, so that a cluster that cannot start stops the run.)
pg_env=$(bash scripts/start-postgres.sh)
eval "$pg_env"
trap 'eval "$VELMORA_TEST_PG_STOP"' EXIT
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure
