#!/usr/bin/env bash
# Builds Vexil and shows the bundled demo scan in the desktop application.
# Without a display ($DISPLAY empty) the application runs under xvfb-run and
# saves a picture of its window instead; the PNG's path is printed.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh

jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build/run -G Ninja -DCMAKE_BUILD_TYPE=Release -DVEXIL_BUILD_TESTS=OFF -DVEXIL_BUILD_APP=ON >/dev/null
cmake --build build/run -j "$jobs"

demo_dir=$PWD/build/run/demo
mkdir -p "$demo_dir"
build/run/tools/vexil-makedemo "$demo_dir" >/dev/null
build/run/src/cli/vexil-cli info "$demo_dir/demo.ff"

app=build/run/src/shell/vexil
if [ ! -x "$app" ]; then
  echo "The desktop application was not built (Qt 6 Widgets missing?)." >&2
  exit 1
fi

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$app" "$demo_dir/demo.ff"
fi

shot=$demo_dir/vexil-demo.png
xvfb-run -a -s "-screen 0 1024x768x24" "$app" --screenshot "$shot" "$demo_dir/demo.ff"
echo "$shot"
