#!/usr/bin/env bash
# Full repaint at Fit in window against the numpy peer, in one run.
#   bench/view_compare.sh BUILD_DIR
set -euo pipefail
build=${1:-build}
here=$(dirname "$0")
"$build/bench/view_bench" --benchmark_filter='BM_ViewResident|BM_RepaintFit10M/|BM_RepaintOneToOne|BM_DragStrips|BM_ViewMemory' \
  --benchmark_repetitions=7 --benchmark_report_aggregates_only=true
env -u OPENBLAS_CORETYPE -u OPENBLAS_L2_SIZE /usr/bin/python3 "$here/view_peer.py"
