#!/usr/bin/env bash
# FITS read and write of a 10-million-sample -32 image, side by side with
# astropy.io.fits (Debian's python3-astropy) on the same file, taking turns in
# one run, and the peak memory of a read.
#
#   bench/run_fits_bench.sh [BUILD_DIR] [ROUNDS] [REPETITIONS]
#
# BUILD_DIR is a build configured with -DVEXIL_BUILD_BENCH=ON (default build/).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
rounds=${2:-3}
reps=${3:-5}

cmake --build "$build" --target fits_bench vexil-makedemo vexil-cli >/dev/null
data=${VEXIL_BENCH_DIR:-$build/bench-data}
mkdir -p "$data"
if [[ ! -f $data/demo.fits ]]; then
  "$build/tools/vexil-makedemo" "$data" 10000000 >/dev/null
  "$build/src/cli/vexil-cli" convert "$data/demo.ff" "$data/demo.fits"
fi
export VEXIL_BENCH_DIR=$data
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

for ((r = 1; r <= rounds; r++)); do
  "$build/bench/fits_bench" --benchmark_repetitions="$reps" --benchmark_min_time=0.000001 \
    --benchmark_format=json >"$out/vexil-$r.json" 2>/dev/null
  /usr/bin/python3 bench/peers/fits_peer.py "$data/demo.fits" "$reps" >"$out/peer-$r.json"
done
"$build/bench/fits_bench" --peak-rss="$data/demo.fits" >"$out/peak.txt"

/usr/bin/python3 - "$out" "$rounds" <<'PY'
import collections, json, os, statistics, sys
out, rounds = sys.argv[1], int(sys.argv[2])
ours, peer = collections.defaultdict(list), collections.defaultdict(list)
for r in range(1, rounds + 1):
    for b in json.load(open(os.path.join(out, f"vexil-{r}.json")))["benchmarks"]:
        if b.get("run_type") == "iteration":
            ours[b["run_name"].split("/")[0]].append(b["real_time"])
    for k, v in json.load(open(os.path.join(out, f"peer-{r}.json"))).items():
        peer[k].extend(v)
med = statistics.median
for label, o, p, peer_label in (("FITS read -32", "BM_FitsRead", "astropy_read_sum", "astropy open, data.sum()"),
                                ("FITS write, fsync", "BM_FitsWrite", "astropy_writeto_fsync", "astropy writeto + fsync")):
    print(f"{label:<18} {med(ours[o]):8.2f} ms | {peer_label:<26} {med(peer[p]):8.2f} ms | "
          f"ratio {med(ours[o]) / med(peer[p]):4.2f} (goal <= 1)")
kv = dict(x.split("=") for x in open(os.path.join(out, "peak.txt")).read().split())
rise, samples = int(kv["peak_rss_rise_kib"]), int(kv["samples_kib"])
print(f"peak memory rise of a read {rise/1024:6.1f} MiB for {samples/1024:5.1f} MiB of samples | ratio {rise/samples:4.2f} (goal <= 1.2)")
PY
