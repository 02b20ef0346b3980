#!/usr/bin/python3
"""numpy peers of bench/polynomial_bench, timed in the same run.

    env -u OPENBLAS_CORETYPE -u OPENBLAS_L2_SIZE \
        /usr/bin/python3 bench/peers/polynomial_peer.py build/bench/polynomial_bench [build/src/cli/vexil-cli]

Runs the benchmark (which writes the scans), times numpy on the same
samples, runs the benchmark once more, and prints the medians and ratios:

  * numpy.polyfit(x, y, 9) over 1M points against BM_FitPower9_1M/9;
  * np.interp of 4 scans onto their common grid + weighted sum against
    BM_LinComb4x1M (which also finds the grid and builds the output head).

With the vexil-cli path it also checks `vexil-cli trend` of powers 1 to 9 on
the first scan against numpy.polynomial.Polynomial.fit (the trend is
input − output), relative to the largest trend value.
"""
import json
import os
import statistics
import subprocess
import sys
import tempfile
import time

import numpy as np

from ffread import read_ff

BENCH_DIR = os.environ.get("VEXIL_BENCH_DIR", "/tmp/vexil-polynomial-bench")
REPS = 11


def run_bench(binary):
    out = subprocess.run(
        [binary, "--benchmark_filter=BM_FitPower9_1M/9|BM_LinComb4x1M/", f"--benchmark_repetitions={REPS}",
         "--benchmark_format=json"],
        check=True, capture_output=True, text=True, env=dict(os.environ, VEXIL_BENCH_DIR=BENCH_DIR)).stdout
    runs = {}
    for b in json.loads(out)["benchmarks"]:
        if b.get("run_type") == "iteration":
            runs.setdefault(b["run_name"], []).append(b["real_time"])
    return {k: statistics.median(v) for k, v in runs.items()}


def median_ms(fn):
    times = []
    for _ in range(REPS):
        t0 = time.perf_counter()
        fn()
        times.append((time.perf_counter() - t0) * 1e3)
    return statistics.median(times)


def main():
    binary = sys.argv[1] if len(sys.argv) > 1 else "build/bench/polynomial_bench"
    cli = sys.argv[2] if len(sys.argv) > 2 else None
    first = run_bench(binary)

    scans = [read_ff(os.path.join(BENCH_DIR, f"scan{k}.ff")) for k in range(4)]
    y = scans[0][1].astype(np.float64)
    x = np.arange(y.size, dtype=np.float64)
    polyfit = median_ms(lambda: np.polyfit(x, y, 9))

    xs = []
    for head, s in scans:
        crval, cdelt = float(head["CRVAL1"]), float(head["CDELT1"])
        xs.append(crval + cdelt * np.arange(s.size, dtype=np.float64))
    step = min(float(h["CDELT1"]) for h, _ in scans)
    lo = max(v[0] for v in xs)
    hi = min(v[-1] for v in xs)
    grid = lo + step * np.arange(int(np.floor((hi - lo) / step)) + 1)
    weights = [0.25] * 4

    def lincomb():
        out = np.zeros(grid.size)
        for w, xv, (_, s) in zip(weights, xs, scans):
            out += w * np.interp(grid, xv, s)
        return out.astype(np.float32)

    lin = median_ms(lincomb)
    second = run_bench(binary)

    fit_v = statistics.median([first["BM_FitPower9_1M/9/real_time"], second["BM_FitPower9_1M/9/real_time"]])
    lin_v = statistics.median([first["BM_LinComb4x1M/real_time"], second["BM_LinComb4x1M/real_time"]])
    print(f"fit power 9, 1M points: vexil median {fit_v:.1f} ms "
          f"(runs {first['BM_FitPower9_1M/9/real_time']:.1f}, {second['BM_FitPower9_1M/9/real_time']:.1f}); "
          f"numpy.polyfit median {polyfit:.1f} ms; numpy / vexil = {polyfit / fit_v:.1f}x")
    print(f"linear combination 4 x 1M: vexil median {lin_v:.1f} ms "
          f"(runs {first['BM_LinComb4x1M/real_time']:.1f}, {second['BM_LinComb4x1M/real_time']:.1f}); "
          f"numpy interp + sum median {lin:.1f} ms; vexil / numpy = {lin_v / lin:.2f}")

    if cli:
        src = os.path.join(BENCH_DIR, "scan0.ff")
        with tempfile.TemporaryDirectory() as tmp:
            for p in range(1, 10):
                out = os.path.join(tmp, "t.ff")
                subprocess.run([cli, "trend", src, "-o", out, "--power", str(p)], check=True,
                               capture_output=True)
                trend = y - read_ff(out)[1].astype(np.float64)
                ref = np.polynomial.Polynomial.fit(x, y, p)(x)
                rel = np.max(np.abs(trend - ref)) / np.max(np.abs(ref))
                print(f"vexil-cli trend power {p} against Polynomial.fit: max relative gap {rel:.2e}")


if __name__ == "__main__":
    main()
