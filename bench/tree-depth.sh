#!/usr/bin/env bash
# Time against depth: fendry-cli --method quick on a chain of folders DEPTHS deep, one file per
# level, on tmpfs (no sync cost), so that what grows with depth is the engine's own work. The
# time should grow in proportion to the depth.
#
# Usage: bench/tree-depth.sh
# Environment: FENDRY_CLI, BENCH_DIR (/dev/shm/fendry-depth), DEPTHS ("2500 5000 10000 20000"),
#   RUNS (3)
set -euo pipefail

cli=${FENDRY_CLI:-$(dirname "$0")/../build/cli/fendry-cli}
base_dir=${BENCH_DIR:-/dev/shm/fendry-depth}
depths=${DEPTHS:-"2500 5000 10000 20000"}
runs=${RUNS:-3}

[[ -x $cli ]] || { echo "fendry-cli not found at $cli (build it or set FENDRY_CLI)" >&2; exit 1; }
mkdir -p "$base_dir"
work=$(mktemp -d "$base_dir/run.XXXXXX")
trap 'rm -rf "$work"; rmdir "$base_dir" 2>/dev/null || true' EXIT

# One level at a time through descriptors: the whole path is longer than any call takes.
make_chain() { # dir depth
    python3 - "$1" "$2" <<'PY'
import os, sys
top, depth = sys.argv[1], int(sys.argv[2])
os.mkdir(top)
fd = os.open(top, os.O_RDONLY | os.O_DIRECTORY)
for level in range(depth):
    f = os.open("f", os.O_WRONLY | os.O_CREAT, 0o600, dir_fd=fd)
    os.write(f, b"x")
    os.close(f)
    os.mkdir("d", dir_fd=fd)
    nxt = os.open("d", os.O_RDONLY | os.O_DIRECTORY, dir_fd=fd)
    os.close(fd)
    fd = nxt
os.close(fd)
PY
}

printf '%-8s %-10s %-14s\n' depth "median s" "µs per level"
for depth in $depths; do
    times=()
    for ((run = 0; run < runs; run++)); do
        make_chain "$work/chain" "$depth"
        start=$EPOCHREALTIME
        "$cli" --yes --quiet --method quick "$work/chain/" >/dev/null
        end=$EPOCHREALTIME
        [[ ! -e $work/chain ]] || { echo "the chain of $depth was not erased" >&2; exit 1; }
        times+=("$(echo "$end - $start" | bc -l)")
    done
    median=$(printf '%s\n' "${times[@]}" | sort -g | sed -n "$(((runs + 1) / 2))p")
    printf '%-8s %-10.3f %-14.1f\n' "$depth" "$median" "$(echo "$median * 1000000 / $depth" | bc -l)"
done
