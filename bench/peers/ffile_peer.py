#!/usr/bin/python3
"""Peers of the F-file reader and writer: numpy and astropy.io.fits doing the
same work on the same files as bench/ffile_bench.cpp.

    /usr/bin/python3 ffile_peer.py DIR [REPETITIONS]

DIR holds demo.ff, demo16.ff and demo64.ff (vexil-makedemo). Prints one JSON
object: for every case the wall times of its repetitions in milliseconds.
"""

import json
import os
import sys
import time

import numpy as np
from astropy.io import fits


def header_info(path):
    """Data offset, count, BSCALE and BZERO of an F-file, as the reader finds them."""
    with open(path, "rb") as f:
        head = f.read(1 << 20)
    lines = head[: head.index(b"\nEND")].split(b"\n")
    values = {}
    for line in lines:
        if b"=" in line:
            key, value = line.split(b"=", 1)
            values[key.strip().decode()] = value.strip().decode()
    end = head.index(b"\nEND")
    offset = head.index(b"\n", end + 1) + 1
    return (offset, int(values["NAXIS1"]), float(values.get("BSCALE", "1")), float(values.get("BZERO", "0")))


def times_ms(fn, reps):
    fn()  # warm the page cache and the code paths
    times = []
    for _ in range(reps):
        t0 = time.perf_counter()
        fn()
        times.append((time.perf_counter() - t0) * 1e3)
    return times


def main():
    folder = sys.argv[1]
    reps = int(sys.argv[2]) if len(sys.argv) > 2 else 15
    f32 = os.path.join(folder, "demo.ff")
    i16 = os.path.join(folder, "demo16.ff")
    f64 = os.path.join(folder, "demo64.ff")
    off32, n32, _, _ = header_info(f32)
    off16, n16, b16, z16 = header_info(i16)
    off64, n64, _, _ = header_info(f64)

    samples = np.fromfile(f32, "<f4", count=n32, offset=off32)
    with open(f32, "rb") as f:
        header_bytes = f.read(off32)
    fits_path = os.path.join(folder, "peer_demo.fits")
    fits.writeto(fits_path, samples, overwrite=True)

    results = {}

    # Reads: each returns a fresh native float32 array.
    results["numpy_fromfile_f32"] = times_ms(lambda: np.fromfile(f32, "<f4", count=n32, offset=off32), reps)

    def astropy_read():
        with fits.open(fits_path, memmap=False) as h:
            return h[0].data.sum()  # forces the data to be read

    def astropy_read_native():
        with fits.open(fits_path, memmap=False) as h:
            return h[0].data.astype(np.float32)  # big-endian on disk -> native floats

    results["astropy_read_sum"] = times_ms(astropy_read, reps)
    results["astropy_read_native"] = times_ms(astropy_read_native, reps)

    results["numpy_i16_scaled"] = times_ms(
        lambda: (np.fromfile(i16, "<i2", count=n16, offset=off16) * b16 + z16).astype(np.float32), reps
    )
    results["numpy_f64_to_f32"] = times_ms(
        lambda: np.fromfile(f64, "<f8", count=n64, offset=off64).astype(np.float32), reps
    )

    # Writes: the same bytes, made durable.
    out_raw = os.path.join(folder, "peer_out.ff")
    out_fits = os.path.join(folder, "peer_out.fits")

    def numpy_write():
        with open(out_raw, "wb") as f:
            f.write(header_bytes)
            samples.tofile(f)
            f.flush()
            os.fsync(f.fileno())

    def astropy_write():
        fits.writeto(out_fits, samples, overwrite=True)

    def astropy_write_fsync():
        fits.writeto(out_fits, samples, overwrite=True)
        fd = os.open(out_fits, os.O_RDONLY)
        try:
            os.fsync(fd)
        finally:
            os.close(fd)

    results["numpy_tofile_fsync"] = times_ms(numpy_write, reps)
    results["astropy_writeto"] = times_ms(astropy_write, reps)
    results["astropy_writeto_fsync"] = times_ms(astropy_write_fsync, reps)
    for p in (out_raw, out_fits, fits_path):
        os.remove(p)

    print(json.dumps(results))


if __name__ == "__main__":
    main()
