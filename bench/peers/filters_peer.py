#!/usr/bin/python3
"""numpy/scipy counterparts of the kernels in filters_bench.cpp, timed in
process with time.perf_counter (wall) and time.process_time (CPU).

Prints one JSON object per line: {"name", "real_ms", "cpu_ms", "runs"} with
the medians over the runs. Names match the Google Benchmark names so that
compare_filters.py can pair them.

usage: /usr/bin/python3 filters_peer.py [--quick]
"""
import json
import math
import statistics
import sys
import time

import numpy as np
from scipy import ndimage

M = 1_000_000
M10 = 10_000_000


def record(n):
    rng = np.random.default_rng(12345)
    x = 10.0 + rng.standard_normal(n, dtype=np.float32)
    x += (np.arange(n) % 5000).astype(np.float32) * np.float32(1e-3)
    return x.astype(np.float32)


def weights(kind, W, h=1.0):
    """The filter's window: half-width m and the taps for offsets -m..m."""
    def near(q):
        r = math.floor(q)
        return math.ceil(q) if q - r >= 0.5 else r
    if kind == "rect":
        m = near(W * 0.5 / h)
        w = np.ones(2 * m + 1)
    elif kind == "parabolic":
        c = 1.0 / (W * 0.7071067811865476)
        m = math.floor((1.0 / c) / h)
        k = np.arange(-m, m + 1)
        w = 1.0 - (k * h * c) ** 2
    else:
        g = 1.665109222 / W
        m = near(2.0 * W / h)
        k = np.arange(-m, m + 1)
        w = np.exp(-((k * h * g) ** 2))
    return m, w / w.sum()


def timed(name, fn, runs):
    real, cpu = [], []
    fn()  # warm up: first touch of the output, caches
    for _ in range(runs):
        t0, c0 = time.perf_counter(), time.process_time()
        fn()
        real.append((time.perf_counter() - t0) * 1e3)
        cpu.append((time.process_time() - c0) * 1e3)
    print(json.dumps({"name": name, "real_ms": statistics.median(real),
                      "cpu_ms": statistics.median(cpu), "runs": runs}), flush=True)


def main():
    quick = "--quick" in sys.argv
    big = record(M10)
    small = big[:M].copy()
    sizes = {M: small, M10: big}
    reps = 3 if quick else 7

    for f in (4, 64):
        for n, x in sizes.items():
            blocks = x[: (n // f) * f].reshape(-1, f)
            timed(f"BM_CompressMean/{f}/{n}", lambda b=blocks: b.mean(axis=1, dtype=np.float64).astype(np.float32), reps)
            timed(f"BM_CompressMean/{f}/{n}#f32", lambda b=blocks: b.mean(axis=1), reps)
            timed(f"BM_CompressMedian/{f}/{n}", lambda b=blocks: np.median(b, axis=1), reps)

    for W in (4, 50, 500):
        m, _ = weights("rect", W)
        for n, x in sizes.items():
            timed(f"BM_MeanRectangular/{W}/{n}",
                  lambda x=x, s=2 * m + 1: ndimage.uniform_filter1d(x, s, mode="nearest"), reps)

    for kind, label in (("parabolic", "BM_MeanParabolic"), ("gauss", "BM_MeanGaussian")):
        m, w = weights(kind, 51)
        for n, x in sizes.items():
            timed(f"{label}/51/{n}", lambda x=x, w=w: ndimage.correlate1d(x, w, mode="nearest"),
                  3 if n == M10 else reps)
    for n, x in sizes.items():
        timed(f"BM_MeanGaussian/51/{n}#gaussian_filter1d",
              lambda x=x: ndimage.gaussian_filter1d(x, 51 / 2.3548200450309493, mode="nearest"),
              3 if n == M10 else reps)

    for W, runs in ((50, 3), (500, 1 if quick else 3)):
        m, _ = weights("rect", W)
        timed(f"BM_MedianRectangular/{W}/{M}",
              lambda s=2 * m + 1: ndimage.median_filter(small, size=s, mode="nearest"), runs)
    for kind, label in (("parabolic", "BM_MedianParabolic"), ("gauss", "BM_MedianGaussian")):
        m, _ = weights(kind, 51)
        timed(f"{label}/51/{M}#median_filter_same_taps",
              lambda s=2 * m + 1: ndimage.median_filter(small, size=s, mode="nearest"), 3)


if __name__ == "__main__":
    main()
