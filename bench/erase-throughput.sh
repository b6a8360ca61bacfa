#!/usr/bin/env bash
# Erase throughput and peak memory of fendry-cli, compared with GNU shred and a
# plain dd overwrite on the same data.
#
# Usage: bench/erase-throughput.sh [large|small|memory|tree-memory|all]
# Environment: FENDRY_CLI, BENCH_DIR, RUNS (5), SAFE_RUNS (3), SMALL_RUNS (3),
#   FILES (20000), LARGE_SIZE_MIB (1024), MEMORY (1), MEMORY_SIZE_MIB (1024),
#   TREE_FILES ("200000 1000000"), SETTLE_SECONDS (0, idle time before each timed command)
set -euo pipefail

section=${1:-all}
case $section in
    large | small | memory | tree-memory | all) ;;
    *) echo "usage: $0 [large|small|memory|tree-memory|all]" >&2; exit 2 ;;
esac

cli=${FENDRY_CLI:-$(dirname "$0")/../build/cli/fendry-cli}
base_dir=${BENCH_DIR:-/var/tmp/fendry-bench}
runs=${RUNS:-5}
safe_runs=${SAFE_RUNS:-3}
small_runs=${SMALL_RUNS:-3}
files=${FILES:-20000}
large_mib=${LARGE_SIZE_MIB:-1024}
memory=${MEMORY:-1}
memory_mib=${MEMORY_SIZE_MIB:-1024}
settle=${SETTLE_SECONDS:-0}

die() { printf '\nerror: %s\n' "$*" >&2; exit 1; }

for v in RUNS="$runs" SAFE_RUNS="$safe_runs" SMALL_RUNS="$small_runs" FILES="$files" \
    LARGE_SIZE_MIB="$large_mib" MEMORY_SIZE_MIB="$memory_mib"; do
    [[ ${v#*=} =~ ^[1-9][0-9]*$ ]] || die "${v%%=*} must be a positive integer, got '${v#*=}'"
done
[[ -n ${EPOCHREALTIME:-} ]] || die "bash 5 or newer is required"
[[ -x $cli ]] || die "fendry-cli not found at $cli (build it or set FENDRY_CLI)"
command -v shred >/dev/null || die "shred (coreutils) not found"

mkdir -p "$base_dir"
# A private subdirectory, so cleanup never touches anything the user put in BENCH_DIR.
work=$(mktemp -d "$base_dir/run.XXXXXX")
trap 'rm -rf "$work"; rmdir "$base_dir" 2>/dev/null || true' EXIT
trap 'exit 130' INT TERM

drop_caches() {
    sync
    if [[ -w /proc/sys/vm/drop_caches ]]; then
        echo 3 >/proc/sys/vm/drop_caches 2>/dev/null || true
    fi
    # Optional idle time for the device to finish what the previous step left behind. On the
    # virtual disk this was written on, idling made every later write slower, so it is off.
    sleep "$settle"
}

make_file() { # path size_mib
    dd if=/dev/zero of="$1" bs=1M count="$2" conv=fsync status=none
}

# Runs a command from a cold cache; the wall time in seconds lands in $elapsed.
# Its stdout is dropped so progress output cannot garble the report.
elapsed=0
timed() {
    local t0 t1
    drop_caches
    t0=${EPOCHREALTIME/,/.}
    "$@" >/dev/null || die "command failed with status $?: $*"
    t1=${EPOCHREALTIME/,/.}
    elapsed=$(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.3f", b - a }')
}

must_be_gone() {
    if [[ -e $1 ]]; then die "$1 still exists after erasing"; fi
}

declare -A samples=()
record() { samples[$1]+="$2 "; }

median() {
    local -a v
    read -ra v <<<"${samples[$1]}"
    printf '%s\n' "${v[@]}" | sort -g |
        awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else printf "%.3f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

rows=()
compare() { # label numerator-key denominator-key target
    local a b verdict
    a=$(median "$2"); b=$(median "$3")
    verdict=$(awk -v a="$a" -v b="$b" -v t="$4" 'BEGIN {
        r = (b > 0) ? a / b : 0
        printf "%.3f %s", r, (b > 0 && r <= t) ? "met" : "missed" }')
    rows+=("$(printf '%-34s %9s %9s %7s   <= %-5s %s' "$1" "$a" "$b" "${verdict% *}" "$4" "${verdict#* }")")
}

# One timed step on a fresh file of the given size.
step() { # key size_mib
    local f=$work/large.bin
    make_file "$f" "$2"
    case $1 in
        quick) timed "$cli" --yes --method quick "$f"; must_be_gone "$f" ;;
        safe) timed "$cli" --yes --method safe "$f"; must_be_gone "$f" ;;
        shred1) timed shred -u -n 1 "$f"; must_be_gone "$f" ;;
        shred7) timed shred -u -n 7 "$f"; must_be_gone "$f" ;;
        dd) timed dd if=/dev/zero of="$f" bs=1M count="$2" conv=fsync,notrunc status=none
            rm -f "$f" ;;
    esac
    record "$1" "$elapsed"
    printf ' %s %ss' "$1" "$elapsed"
}

# Fendry first in odd runs, last in even runs, to cancel drift.
run_series() { # label count key...
    local label=$1 n=$2 i k order
    shift 2
    for ((i = 1; i <= n; i++)); do
        order=("$@")
        if ((i % 2 == 0)); then
            order=(); for ((k = $#; k >= 1; k--)); do order+=("${!k}"); done
        fi
        printf '  %s run %d:' "$label" "$i"
        for k in "${order[@]}"; do step "$k" "$large_mib"; done
        echo
    done
}

bench_large() {
    echo "== large: one ${large_mib} MiB file"
    run_series quick "$runs" quick shred1 dd
    run_series safe "$safe_runs" safe shred7
    compare "quick vs shred -n 1" quick shred1 0.4
    compare "safe vs shred -n 7" safe shred7 0.5
    compare "quick vs dd overwrite (bound)" quick dd 0.8
}

make_tree() { # dir
    mkdir -p "$1"
    head -c $((files * 4096)) /dev/zero | (cd "$1" && split -b 4096 -a 8 - f)
    drop_caches
}

small_step() { # key
    local d=$work/tree
    make_tree "$d"
    if [[ $1 == quick ]]; then
        timed "$cli" --yes --method quick "$d/"
        must_be_gone "$d"
    else
        timed find "$d" -type f -exec shred -u -n 1 {} +
        [[ -z $(find "$d" -type f -print -quit) ]] || die "shred left files in $d"
        rm -rf "$d"
    fi
    record "small_$1" "$elapsed"
    printf ' %s %ss' "$1" "$elapsed"
}

bench_small() {
    local i
    echo "== small: $files files of 4 KiB"
    for ((i = 1; i <= small_runs; i++)); do
        printf '  run %d:' "$i"
        if ((i % 2)); then small_step quick; small_step shred1; else small_step shred1; small_step quick; fi
        echo
    done
    compare "folder quick vs find|shred -n 1" small_quick small_shred1 1.0
}

need_gnu_time() {
    if [[ ! -x /usr/bin/time ]]; then
        # Retry after an index refresh: fresh containers often have none.
        apt-get install -y -qq time >/dev/null ||
            { apt-get update -qq && apt-get install -y -qq time >/dev/null; } ||
            die "cannot install GNU time"
    fi
}

# Runs fendry-cli under GNU time and adds a row with its peak memory.
peak_rss_row() { # label target_mib cli-args...
    local label=$1 target=$2 log=$work/time.log kib mib
    shift 2
    drop_caches
    /usr/bin/time -v -o "$log" "$cli" --yes "$@" >/dev/null ||
        die "fendry-cli failed: $(head -n 1 "$log")"
    kib=$(awk -F': ' '/Maximum resident set size/ { print $2 }' "$log")
    [[ -n $kib ]] || die "no peak memory in /usr/bin/time output"
    mib=$(awk -v k="$kib" 'BEGIN { printf "%.1f", k / 1024 }')
    rows+=("$(printf '%-34s %9s %9s %7s   <= %-5s %s' "$label" "$mib" "-" "-" "$target" \
        "$(awk -v m="$mib" -v t="$target" 'BEGIN { print (m <= t) ? "met" : "missed" }')")")
}

bench_memory() {
    local f=$work/memory.bin
    if [[ $memory == 0 ]]; then echo "== memory: skipped (MEMORY=0)"; return; fi
    need_gnu_time
    echo "== memory: stealth on one ${memory_mib} MiB file"
    make_file "$f" "$memory_mib"
    peak_rss_row "peak RSS, stealth (MiB)" 32 --method stealth "$f"
    must_be_gone "$f"
}

# Empty files, a thousand to a folder, a hundred folders to a parent: the work list's own
# memory, which grows with the number of entries rather than with any file's size.
make_empty_tree() { # dir count
    python3 - "$1" "$2" <<'PY'
import os, sys
root, count = sys.argv[1], int(sys.argv[2])
for i in range(count):
    folder = os.path.join(root, "p%03d" % (i // 100000), "f%04d" % (i // 1000 % 100))
    if i % 1000 == 0:
        os.makedirs(folder, exist_ok=True)
    os.close(os.open(os.path.join(folder, "empty-file-%07d" % i), os.O_CREAT | os.O_WRONLY, 0o600))
PY
}

bench_tree_memory() {
    local n d target
    need_gnu_time
    for n in ${TREE_FILES:-200000 1000000}; do
        d=$work/tree-$n
        echo "== tree memory: $n empty files"
        make_empty_tree "$d" "$n"
        target=64
        peak_rss_row "peak RSS, $n empty files (MiB)" "$target" --method quick "$d/"
        must_be_gone "$d"
    done
}

echo "fendry-cli: $cli"
echo "cpus: $(nproc)   kernel: $(uname -sr)"
echo "work dir: $base_dir ($(df -T "$work" | awk 'NR == 2 { print $2 " on " $1 }'))"
echo

case $section in
    large) bench_large ;;
    small) bench_small ;;
    memory) bench_memory ;;
    tree-memory) bench_tree_memory ;;
    all) bench_large; bench_small; bench_memory; bench_tree_memory ;;
esac

((${#rows[@]})) || exit 0
echo
printf '%-34s %9s %9s %7s   %-8s %s\n' measure fendry other ratio target result
printf '%s\n' "${rows[@]}"
echo "(fendry/other are median seconds; ratio = fendry / other)"
