#!/usr/bin/python3
"""Peer for view_bench: the core of a Fit-in-window repaint done with numpy.

For a 10-million-sample record in 1200 columns it maps every sample to its
pixel row (half up) and takes each column's lowest and highest row: the
work behind the column strokes, without dots, joins or drawing. Prints the
median of several runs in milliseconds.
"""
import os
import statistics
import sys
import time

import numpy as np

n = int(sys.argv[1]) if len(sys.argv) > 1 else 10_000_000
width, height = 1200, 800
rng = np.random.default_rng(20261206)
v = (np.cumsum(rng.normal(0.0, 0.01, n)) + rng.normal(0.0, 0.025, n)).astype(np.float32)
lo, hi = float(v.min()), float(v.max())
sy = (hi - lo) / (height - 1)
b = height - 1.0
sx = n / width
# Column of each sample: near(i / S_x); columns are runs, so keep their starts.
cols = np.floor(np.arange(n) / sx + 0.5).astype(np.int64)
starts = np.flatnonzero(np.diff(cols, prepend=-1))

times = []
for _ in range(7):
    t = time.perf_counter()
    rows = np.floor((lo - v.astype(np.float64)) / sy + b + 0.5).astype(np.int32)
    top = np.minimum.reduceat(rows, starts)
    bottom = np.maximum.reduceat(rows, starts)
    times.append((time.perf_counter() - t) * 1e3)
print(f"numpy column rows, {n} samples: median {statistics.median(times):.2f} ms")
