#!/usr/bin/env bash
# Installs missing packages, configures ./build once (Ninja, RelWithDebInfo)
# and builds it incrementally. Shared by run.sh and test.sh.
#
#   scripts/build.sh [<build dir>] [extra cmake configure options...]
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${1:-$ROOT/build}
shift || true

"$ROOT/scripts/deps.sh"

# Ninja re-runs CMake by itself when a CMakeLists.txt changes, so the tree
# is configured only when it has no build.ninja yet (also after a failed
# configure).
if [ ! -f "$BUILD/build.ninja" ]; then
  cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
fi
cmake --build "$BUILD"
