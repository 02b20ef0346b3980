#!/usr/bin/env bash
# Reads and writes of a 10-million-sample F-file, side by side with numpy and
# astropy.io.fits on the same files, in one run. Prints medians and ratios.
#
#   bench/run_ffile_bench.sh [BUILD_DIR] [ROUNDS] [REPETITIONS]
#
# BUILD_DIR is a build configured with -DVEXIL_BUILD_BENCH=ON (default
# build/). The data files go to $VEXIL_BENCH_DIR or BUILD_DIR/bench-data
# (about 140 MB); they are made once with vexil-makedemo.
#
# The machine is shared and its load changes from second to second, so the
# two sides take turns: ROUNDS rounds (default 5), each timing every case
# REPETITIONS times (default 5) on our side and then on the peer's, one call
# per timing. The medians are over all timings of a case.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
rounds=${2:-5}
reps=${3:-5}
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

for ((r = 1; r <= rounds; r++)); do
  # One call per timing (the tiny minimum time stops every repetition after
  # its first iteration), like the peer's timings.
  "$build/bench/ffile_bench" --benchmark_repetitions="$reps" --benchmark_min_time=0.000001 \
    --benchmark_format=json >"$out/vexil-$r.json" 2>/dev/null
  # Debian's python with its numpy; OpenBLAS tuning variables of the
  # environment are not meant for it.
  env -u OPENBLAS_CORETYPE -u OPENBLAS_L2_SIZE /usr/bin/python3 bench/peers/ffile_peer.py "$data" "$reps" \
    >"$out/peer-$r.json"
done
for f in demo.ff demo16.ff demo64.ff; do
  "$build/bench/ffile_bench" --peak-rss="$data/$f" >"$out/peak-$f.txt"
done

/usr/bin/python3 - "$out" "$rounds" <<'PY'
import collections, json, os, statistics, sys
out, rounds = sys.argv[1], int(sys.argv[2])
ours = collections.defaultdict(list)
faults = collections.defaultdict(list)
peer = collections.defaultdict(list)
for r in range(1, rounds + 1):
    for b in json.load(open(os.path.join(out, f"vexil-{r}.json")))["benchmarks"]:
        if b.get("run_type") == "iteration":
            name = b["run_name"].split("/")[0]
            ours[name].append(b["real_time"])  # milliseconds
            if "faults" in b:
                faults[name].append(b["faults"])
    for k, v in json.load(open(os.path.join(out, f"peer-{r}.json"))).items():
        peer[k].extend(v)
med = lambda xs: statistics.median(xs)

def row(label, o, p, peer_label, goal):
    ratio = med(ours[o]) / med(peer[p])
    print(f"{label:<20} {med(ours[o]):8.2f} ms | {peer_label:<34} {med(peer[p]):8.2f} ms | "
          f"ratio {ratio:4.2f} (goal {goal})")

n = len(ours["BM_ReadF32"])
print(f"median wall time of {n} timings each, Vexil | peer, taking turns in one run")
row("Read -32", "BM_ReadF32", "numpy_fromfile_f32", "numpy.fromfile <f4", "<= 1.5")
row("Read -32", "BM_ReadF32", "astropy_read_sum", "astropy open, data.sum()", "<= 1")
row("Read -32", "BM_ReadF32", "astropy_read_native", "astropy open, data.astype(f4)", "<= 1")
row("Read 16-bit scaled", "BM_ReadI16", "numpy_i16_scaled", "(fromfile <i2 * b + z).astype(f4)", "<= 1.5")
row("Read -64", "BM_ReadF64", "numpy_f64_to_f32", "fromfile <f8 .astype(f4)", "<= 1.5")
row("Write (safe, fsync)", "BM_Write", "numpy_tofile_fsync", "tofile + os.fsync", "<= 1.5")
row("Write (safe, fsync)", "BM_Write", "astropy_writeto_fsync", "astropy writeto + os.fsync", "< 1")
row("Write (safe, fsync)", "BM_Write", "astropy_writeto", "astropy writeto (no fsync)", "< 1")
print("minor page faults per read (median): " + ", ".join(f"{k} {med(v):.0f}" for k, v in faults.items()))
for f in ("demo.ff", "demo16.ff", "demo64.ff"):
    kv = dict(x.split("=") for x in open(os.path.join(out, f"peak-{f}.txt")).read().split())
    rise, samples = int(kv["peak_rss_rise_kib"]), int(kv["samples_kib"])
    print(f"peak memory rise reading {f:<10} {rise/1024:6.1f} MiB for {samples/1024:5.1f} MiB of samples"
          f" | ratio {rise/samples:4.2f} (goal <= 1.5)")
PY
