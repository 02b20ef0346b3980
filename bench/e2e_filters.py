#!/usr/bin/python3
"""End to end: vexil-cli compress / smooth against the same work done by a
numpy/scipy script (read the F-file, filter, write the F-file), each run as
its own process on the same demo files. Prints median wall times over the
runs and the ratios peer/ours (above 1: vexil-cli is faster).

usage: /usr/bin/python3 bench/e2e_filters.py BUILD_DIR [--sizes 1000000,10000000] [--runs 3]
"""
import math
import os
import statistics
import subprocess
import sys
import tempfile
import time

CASES = [
    # (label, vexil-cli arguments after FILE -o OUT, peer operation)
    ("compress mean /4", ["compress"], ["compress", "mean", "4"]),
    ("compress median /64", ["compress", "--median", "--factor", "64"], ["compress", "median", "64"]),
    ("smooth rect W=25 steps", ["smooth", "--window", "1.25"], ["smooth", "rect", "1.25", "mean"]),
    ("smooth gauss W=51 steps", ["smooth", "--window", "2.55", "--window-function", "gaussian"],
     ["smooth", "gauss", "2.55", "mean"]),
    ("smooth median W=51 steps", ["smooth", "--window", "2.5", "--median", "--boundary", "cut"],
     ["smooth", "rect", "2.5", "median"]),
]


# ---- the peer: an F-file reader and writer and the filters in numpy/scipy ----

def read_ff(path):
    import numpy as np
    raw = open(path, "rb").read()
    end = raw.find(b"\nEND\n")
    if end < 0:
        end = raw.find(b"\nEND ")
    head = raw[:end].decode("latin-1").split("\n")
    start = raw.index(b"\n", end + 1) + 1
    entries = [line.split("=", 1) for line in head if "=" in line]
    keys = dict(entries)
    n = int(keys["NAXIS1"])
    data = np.frombuffer(raw, dtype="<f4", count=n, offset=start)
    return entries, keys, data


def write_ff(path, entries, data):
    text = "".join(f"{k}={v}\n" for k, v in entries) + "END"
    pad = 4 - len(text) % 4 - 1
    with open(path, "wb") as f:
        f.write((text + " " * max(pad, 0) + "\n").encode("latin-1"))
        f.write(data.astype("<f4").tobytes())


def set_entry(entries, key, value):
    for e in entries:
        if e[0] == key:
            e[1] = value
            return
    entries.append([key, value])


def peer(argv):
    import numpy as np
    from scipy import ndimage
    src, dst, op = argv[0], argv[1], argv[2]
    entries, keys, x = read_ff(src)
    step = float(keys["CDELT1"])
    if op == "compress":
        method, f = argv[3], int(argv[4])
        blocks = x[: (len(x) // f) * f].reshape(-1, f)
        y = (blocks.mean(axis=1, dtype=np.float64) if method == "mean" else np.median(blocks, axis=1))
        set_entry(entries, "NAXIS1", "%d" % len(y))
        set_entry(entries, "CDELT1", "%g" % (f * step))
    else:
        kind, W, method = argv[3], float(argv[4]), argv[5]
        if kind == "rect":
            m = math.floor(W * 0.5 / step + 0.5)
            taps = None
        else:
            m = math.floor(2 * W / step + 0.5)
            k = np.arange(-m, m + 1)
            taps = np.exp(-((k * step * 1.665109222 / W) ** 2))
            taps /= taps.sum()
        if method == "median":
            y = ndimage.median_filter(x, size=2 * m + 1, mode="nearest")
        elif taps is None:
            y = ndimage.uniform_filter1d(x, 2 * m + 1, mode="nearest")
        else:
            y = ndimage.correlate1d(x, taps, mode="nearest")
    write_ff(dst, entries, np.asarray(y, dtype=np.float32))
    return 0


# ---- the driver ----

def timed(cmd, env=None):
    t0 = time.perf_counter()
    subprocess.run(cmd, check=True, stdout=subprocess.DEVNULL, env=env)
    return time.perf_counter() - t0


def main():
    if len(sys.argv) > 1 and sys.argv[1] == "--peer":
        return peer(sys.argv[2:])
    if len(sys.argv) < 2:
        print(__doc__)
        return 2
    build = sys.argv[1]
    sizes = [1_000_000, 10_000_000]
    runs = 3
    for i, a in enumerate(sys.argv):
        if a == "--sizes":
            sizes = [int(s) for s in sys.argv[i + 1].split(",")]
        if a == "--runs":
            runs = int(sys.argv[i + 1])
    cli = os.path.join(build, "src", "cli", "vexil-cli")
    makedemo = os.path.join(build, "tools", "vexil-makedemo")
    env = dict(os.environ)
    env.pop("OPENBLAS_CORETYPE", None)
    env.pop("OPENBLAS_L2_SIZE", None)
    print(f"{'case':<28} {'samples':>9} {'vexil-cli s':>12} {'numpy/scipy s':>14} {'ratio':>7}")
    with tempfile.TemporaryDirectory() as tmp:
        for n in sizes:
            folder = os.path.join(tmp, str(n))
            os.makedirs(folder)
            subprocess.run([makedemo, folder, str(n)], check=True, stdout=subprocess.DEVNULL)
            src = os.path.join(folder, "demo.ff")
            for label, ours_args, peer_args in CASES:
                if n > 2_000_000 and "median" in label and "smooth" in label:
                    continue  # scipy's median_filter takes minutes here
                out = os.path.join(folder, "out.ff")
                mine = [timed([cli, ours_args[0], src, "-o", out] + ours_args[1:]) for _ in range(runs)]
                theirs = [timed(["/usr/bin/python3", os.path.abspath(__file__), "--peer", src, out] + peer_args,
                                env) for _ in range(runs)]
                a, b = statistics.median(mine), statistics.median(theirs)
                print(f"{label:<28} {n:>9} {a:12.3f} {b:14.3f} {b / a:7.1f}", flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
