#!/usr/bin/env bash
# Reads and writes of a 10-million-sample F-file, side by side with numpy and
# astropy.io.fits on the same files, in one run. Prints medians and ratios.
#
#   bench/run_ffile_bench.sh [BUILD_DIR] [REPETITIONS]
#
# BUILD_DIR is a build configured with -DVEXIL_BUILD_BENCH=ON (default
# build/). The data files go to $VEXIL_BENCH_DIR or BUILD_DIR/bench-data
# (about 140 MB); they are made once with vexil-makedemo.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
reps=${2:-15}
count=10000000

cmake --build "$build" --target ffile_bench vexil-makedemo >/dev/null
data=${VEXIL_BENCH_DIR:-$build/bench-data}
mkdir -p "$data"
if [[ ! -f $data/demo.ff || ! -f $data/demo16.ff || ! -f $data/demo64.ff || ! -f $data/.count-$count ]]; then
  "$build/tools/vexil-makedemo" "$data" "$count" >/dev/null
  touch "$data/.count-$count"
fi
export VEXIL_BENCH_DIR=$data

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

"$build/bench/ffile_bench" --benchmark_repetitions="$reps" --benchmark_report_aggregates_only=true \
  --benchmark_format=json >"$out/vexil.json"
for f in demo.ff demo16.ff demo64.ff; do
  "$build/bench/ffile_bench" --peak-rss="$data/$f" >"$out/peak-$f.txt"
done
# The peer runs with Debian's python and its numpy; OpenBLAS tuning variables
# of the environment are not meant for it.
env -u OPENBLAS_CORETYPE -u OPENBLAS_L2_SIZE /usr/bin/python3 bench/peers/ffile_peer.py "$data" "$reps" >"$out/peer.json"

/usr/bin/python3 - "$out" <<'PY'
import json, os, sys
out = sys.argv[1]
vexil = {}
faults = {}
for b in json.load(open(os.path.join(out, "vexil.json")))["benchmarks"]:
    if b.get("aggregate_name") == "median":
        name = b["run_name"].split("/")[0]
        vexil[name] = b["real_time"]  # milliseconds
        if "faults" in b:
            faults[name] = b["faults"]
peer = json.load(open(os.path.join(out, "peer.json")))

def row(label, ours, theirs, peer_name, goal):
    ratio = vexil[ours] / peer[theirs]
    print(f"{label:<22} {vexil[ours]:9.2f} ms  {peer_name:<34} {peer[theirs]:9.2f} ms  ratio {ratio:5.2f}  (goal {goal})")

print("median wall times, Vexil vs peer in the same run")
row("Read -32", "BM_ReadF32", "numpy_fromfile_f32", "numpy.fromfile <f4", "<= 1.5")
row("Read -32", "BM_ReadF32", "astropy_read_sum", "astropy open+data.sum (memmap off)", "<= 1.0")
row("Read -32", "BM_ReadF32", "astropy_read_native", "astropy open+data.astype(f4)", "<= 1.0")
row("Read 16-bit scaled", "BM_ReadI16", "numpy_i16_scaled", "(fromfile <i2 * b + z).astype(f4)", "<= 1.5")
row("Read -64", "BM_ReadF64", "numpy_f64_to_f32", "fromfile <f8 .astype(f4)", "<= 1.5")
row("Write (safe, fsync)", "BM_Write", "numpy_tofile_fsync", "tofile + os.fsync", "<= 1.5")
row("Write (safe, fsync)", "BM_Write", "astropy_writeto", "astropy writeto (no fsync)", "< 1.0")
row("Write (safe, fsync)", "BM_Write", "astropy_writeto_fsync", "astropy writeto + fsync", "< 1.0")
print("minor page faults per read: " + ", ".join(f"{k} {v:.0f}" for k, v in faults.items()))
for f in ("demo.ff", "demo16.ff", "demo64.ff"):
    kv = dict(x.split("=") for x in open(os.path.join(out, f"peak-{f}.txt")).read().split())
    rise, samples = int(kv["peak_rss_rise_kib"]), int(kv["samples_kib"])
    print(f"peak memory of reading {f:<10} rise {rise/1024:7.1f} MiB for {samples/1024:6.1f} MiB of samples"
          f"  ratio {rise/samples:4.2f} (goal <= 1.5)")
PY
