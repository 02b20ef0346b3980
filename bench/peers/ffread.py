"""Reading the F-files the benchmarks write (BITPIX -32, no scaling)."""

import numpy as np


def read_ff(path):
    """Header dict and samples of an F-file written by the program."""
    raw = open(path, "rb").read()
    end = raw.index(b"\nEND")
    start = raw.index(b"\n", end + 1) + 1
    head = dict(line.split("=", 1) for line in raw[:end].decode("latin-1").split("\n") if "=" in line)
    n = int(head["NAXIS1"])
    assert head["BITPIX"].strip() == "-32"
    return head, np.frombuffer(raw, dtype="<f4", count=n, offset=start)
