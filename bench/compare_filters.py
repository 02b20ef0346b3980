#!/usr/bin/python3
"""Runs the filter kernels (filters_bench) and their numpy/scipy peers
(peers/filters_peer.py) one after the other on this machine and prints the
medians side by side with the ratios peer/ours (above 1: ours is faster).

usage: /usr/bin/python3 bench/compare_filters.py BUILD_DIR [--quick]
BUILD_DIR is a build configured with -DVEXIL_BUILD_BENCH=ON.
"""
import json
import os
import subprocess
import sys

# Goals: minimum ratio peer/ours for each of our kernels (None: report only).
GOALS = {
    "BM_CompressMean": 1.0,
    "BM_CompressMedian": 3.0,
    "BM_MeanRectangular": 3.0,
    "BM_MeanParabolic": 1.0,
    "BM_MeanGaussian": 1.0,
    "BM_MedianRectangular/50": 3.0,
    "BM_MedianRectangular/500": 10.0,
}


def goal(name):
    for key, value in GOALS.items():
        if name.startswith(key):
            return value
    return None


def ours(build, quick):
    exe = os.path.join(build, "bench", "filters_bench")
    reps = "3" if quick else "5"
    out = subprocess.run([exe, "--benchmark_format=json", "--benchmark_repetitions=" + reps,
                          "--benchmark_report_aggregates_only=true", "--benchmark_min_time=0.1"],
                         check=True, capture_output=True, text=True).stdout
    result = {}
    for b in json.loads(out)["benchmarks"]:
        if b.get("aggregate_name") == "median":
            result[b["run_name"]] = (b["real_time"], b["cpu_time"])
    return result


def peers(quick):
    env = dict(os.environ)
    env.pop("OPENBLAS_CORETYPE", None)
    env.pop("OPENBLAS_L2_SIZE", None)
    script = os.path.join(os.path.dirname(os.path.abspath(__file__)), "peers", "filters_peer.py")
    args = ["/usr/bin/python3", script] + (["--quick"] if quick else [])
    out = subprocess.run(args, check=True, capture_output=True, text=True, env=env).stdout
    return [json.loads(line) for line in out.splitlines() if line.strip()]


def main():
    if len(sys.argv) < 2:
        print(__doc__)
        return 2
    quick = "--quick" in sys.argv
    mine = ours(sys.argv[1], quick)
    theirs = peers(quick)
    print(f"{'kernel':<44} {'ours ms':>17} {'peer ms':>17} {'ratio':>13}  goal")
    print(f"{'':<44} {'real':>8} {'cpu':>8} {'real':>8} {'cpu':>8} {'real':>6} {'cpu':>6}")
    for p in theirs:
        base, _, variant = p["name"].partition("#")
        if base not in mine:
            continue
        real, cpu = mine[base]
        r_real = p["real_ms"] / real
        r_cpu = p["cpu_ms"] / cpu
        g = goal(base) if not variant else None
        verdict = "" if g is None else ("ok" if min(r_real, r_cpu) >= g else f"MISSED (>= {g}x)")
        label = base + (f" vs {variant}" if variant else "")
        print(f"{label:<44} {real:8.2f} {cpu:8.2f} {p['real_ms']:8.2f} {p['cpu_ms']:8.2f} "
              f"{r_real:6.1f} {r_cpu:6.1f}  {verdict}")
    for name in sorted(set(mine) - {p["name"].partition("#")[0] for p in theirs}):
        real, cpu = mine[name]
        print(f"{name:<44} {real:8.2f} {cpu:8.2f} {'-':>8} {'-':>8}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
