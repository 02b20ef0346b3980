#!/usr/bin/python3
"""numpy.corrcoef on the scans that bench/correlation_bench writes, timed in
the same run as the benchmark itself.

    env -u OPENBLAS_CORETYPE -u OPENBLAS_L2_SIZE \
        /usr/bin/python3 bench/peers/correlation_peer.py build/bench/correlation_bench

Runs the benchmark (which writes the scans), times numpy.corrcoef on the same
8 x 1M samples, then runs the benchmark once more, and prints the medians and
the ratio vexil / numpy. Only the peer's own timing is numpy's; the program's
figure includes finding the common grid and resampling.
"""
import glob
import json
import os
import statistics
import subprocess
import sys
import time

import numpy as np

from ffread import read_ff

BENCH_DIR = os.environ.get("VEXIL_BENCH_DIR", "/tmp/vexil-correlation-bench")


def run_bench(binary):
    out = subprocess.run(
        [binary, "--benchmark_filter=BM_Correlation8x1M", "--benchmark_repetitions=15",
         "--benchmark_format=json"],
        check=True, capture_output=True, text=True, env=dict(os.environ, VEXIL_BENCH_DIR=BENCH_DIR)).stdout
    runs = [b["real_time"] for b in json.loads(out)["benchmarks"] if b.get("run_type") == "iteration"]
    return statistics.median(runs)


def time_numpy(reps=15):
    data = np.stack([read_ff(p)[1] for p in sorted(glob.glob(os.path.join(BENCH_DIR, "scan*.ff")))])
    times = []
    for _ in range(reps):
        t0 = time.perf_counter()
        r = np.corrcoef(data)
        times.append((time.perf_counter() - t0) * 1e3)
    return statistics.median(times), data.shape, r


def main():
    binary = sys.argv[1] if len(sys.argv) > 1 else "build/bench/correlation_bench"
    first = run_bench(binary)
    peer, shape, r = time_numpy()
    second = run_bench(binary)
    vexil = statistics.median([first, second])
    print(f"data: {shape[0]} records x {shape[1]} samples")
    print(f"vexil FFCorrelation (grid + resampling + coefficients): median {vexil:.1f} ms "
          f"(runs {first:.1f}, {second:.1f})")
    print(f"numpy.corrcoef: median {peer:.1f} ms")
    print(f"ratio vexil / numpy: {vexil / peer:.2f}")
    print("numpy r[0, 1:] =", " ".join(f"{v:.3f}" for v in r[0, 1:]))


if __name__ == "__main__":
    main()
