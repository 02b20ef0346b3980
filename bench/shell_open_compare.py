#!/usr/bin/python3
"""Opening a 10-million-sample F-file, Vexil beside a numpy peer.

Vexil: shell_open_bench (open request to the first paint of the plot, and the
resident memory the open record holds) and the whole `vexil --screenshot` run
(process start to saved picture). Peer: numpy reads the same file and reduces
it to per-pixel-column minima and maxima for a 1280-pixel plot, the least any
plotting program must do before it can draw. Medians; ratio = Vexil / peer.

usage: bench/shell_open_compare.py BUILD_DIR
"""
import json
import os
import statistics
import subprocess
import sys
import tempfile
import time

import numpy as np

COUNT = 10_000_000
COLUMNS = 1280


def peer_open(path, count):
    size = os.path.getsize(path)
    data = np.fromfile(path, dtype="<f4", count=count, offset=size - 4 * count)
    usable = (count // COLUMNS) * COLUMNS
    cols = data[:usable].reshape(COLUMNS, -1)
    return cols.min(axis=1), cols.max(axis=1)


def median_seconds(fn, runs=21):
    times = []
    for _ in range(runs):
        t0 = time.perf_counter()
        fn()
        times.append(time.perf_counter() - t0)
    return statistics.median(times)


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else "build"
    with tempfile.TemporaryDirectory() as tmp:
        subprocess.run([f"{build}/tools/vexil-makedemo", tmp, str(COUNT)], check=True,
                       stdout=subprocess.DEVNULL)
        path = os.path.join(tmp, "demo.ff")
        env = dict(os.environ, VEXIL_BENCH_FILE=path, QT_QPA_PLATFORM="offscreen")
        out = subprocess.run([f"{build}/bench/shell_open_bench", "--benchmark_format=json"],
                             env=env, check=True, capture_output=True, text=True).stdout
        results = json.loads(out)["benchmarks"]

        def median_of(name, key="real_time"):
            for r in results:
                if r["name"].startswith(name) and r.get("aggregate_name") == "median":
                    return r[key] / 1000.0 if key == "real_time" else r[key]
            raise KeyError(name)

        vexil_paint = median_of("BM_OpenToFirstPaint10M")
        vexil_read = median_of("BM_Read10M")
        memory = median_of("BM_OpenToFirstPaint10M", "rss_over_sample_bytes")

        shot = os.path.join(tmp, "shot.png")
        whole = []
        for _ in range(3):
            t0 = time.perf_counter()
            subprocess.run([f"{build}/src/shell/vexil", "--screenshot", shot, path], env=env, check=True,
                           stderr=subprocess.DEVNULL)
            whole.append(time.perf_counter() - t0)
        peer = median_seconds(lambda: peer_open(path, COUNT))

    print(f"samples: {COUNT}")
    print(f"vexil open -> first paint (median):   {vexil_paint * 1000:8.1f} ms")
    print(f"vexil FFile::Read alone (median):     {vexil_read * 1000:8.1f} ms")
    print(f"vexil --screenshot whole run (median):{statistics.median(whole) * 1000:8.1f} ms")
    print(f"numpy read + column min/max (median): {peer * 1000:8.1f} ms")
    print(f"ratio open->paint / peer:             {vexil_paint / peer:8.2f}")
    print(f"resident memory of an open record:    {memory:8.2f} x its sample bytes")


if __name__ == "__main__":
    main()
