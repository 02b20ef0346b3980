#!/usr/bin/python3
"""Peer of the FITS reader and writer: astropy.io.fits on the same file as
bench/fits_bench.cpp.

    /usr/bin/python3 fits_peer.py FILE [REPETITIONS]

Prints one JSON object: for every case the wall times in milliseconds.
"""

import json
import os
import sys
import time

from astropy.io import fits


def times_ms(fn, reps):
    fn()  # warm the page cache and the code paths
    out = []
    for _ in range(reps):
        t0 = time.perf_counter()
        fn()
        out.append((time.perf_counter() - t0) * 1e3)
    return out


def main():
    path = sys.argv[1]
    reps = int(sys.argv[2]) if len(sys.argv) > 2 else 5
    out = path + ".peer.fits"

    def read_sum():
        with fits.open(path, memmap=False) as h:
            return h[0].data.sum()

    with fits.open(path, memmap=False) as h:
        data = h[0].data.copy()

    def write_fsync():
        fits.writeto(out, data, overwrite=True)
        fd = os.open(out, os.O_RDONLY)
        try:
            os.fsync(fd)
        finally:
            os.close(fd)

    results = {"astropy_read_sum": times_ms(read_sum, reps), "astropy_writeto_fsync": times_ms(write_fsync, reps)}
    os.remove(out)
    print(json.dumps(results))


if __name__ == "__main__":
    main()
