#!/usr/bin/env bash
# Builds Vexil and shows the bundled demo scan.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh

jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build/run -G Ninja -DCMAKE_BUILD_TYPE=Release -DVEXIL_BUILD_TESTS=OFF >/dev/null
cmake --build build/run -j "$jobs"

demo_dir=build/run/demo
mkdir -p "$demo_dir"
build/run/tools/vexil-makedemo "$demo_dir" >/dev/null
build/run/src/cli/vexil-cli info "$demo_dir/demo.ff"
