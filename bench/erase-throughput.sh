#!/usr/bin/env bash
# Erase throughput and peak memory of fendry-cli --method quick/safe, compared with GNU shred,
# rm -rf + sync and a plain dd overwrite on the same data. Every comparison is a series of paired
# runs in alternating order (fendry first in odd runs, last in even runs, to cancel drift), each
# from a cold cache; the table gives medians and their ratio, and fendry's peak memory.
#
# Usage: bench/erase-throughput.sh [large|small|verify|memory|tree-memory|all]
#   large        one LARGE_SIZE_MIB file: quick against shred -u -n1 and against zeros written
#                with dd conv=fsync, then removed (the least any erase can take); one
#                SAFE_SIZE_MIB file: safe against shred -u -n7
#   small        EMPTY_FILES empty files and SMALL_FILES files of SMALL_SIZE bytes, in nested
#                folders of PER_FOLDER files: quick against rm -rf + sync and against
#                find ... -exec shred -u -n1 {} +
#   verify       one LARGE_SIZE_MIB file, quick with --verify (read back from the device)
#                against quick alone
#   memory       peak memory of stealth on one MEMORY_SIZE_MIB file
#   tree-memory  peak memory on trees of TREE_FILES empty files
# Environment: FENDRY_CLI, BENCH_DIR (/var/tmp/fendry-bench), RUNS (5), SAFE_RUNS (3),
#   SMALL_RUNS (3), SHRED_EMPTY_RUNS (1; the shred loop over the empty files takes a quarter of
#   an hour a run, 0 skips it), LARGE_SIZE_MIB (1024), SAFE_SIZE_MIB (256), EMPTY_FILES (200000),
#   SMALL_FILES (20000), SMALL_SIZE (4096), PER_FOLDER (100), MEMORY (1), MEMORY_SIZE_MIB (1024),
#   TREE_FILES ("200000 1000000"), SETTLE_SECONDS (0, idle time before each timed command)
# Time it on a file system on a real block device: tmpfs has no sync cost at all.
set -euo pipefail

section=${1:-all}
case $section in
    large | small | verify | memory | tree-memory | all) ;;
    *) echo "usage: $0 [large|small|verify|memory|tree-memory|all]" >&2; exit 2 ;;
esac

cli=${FENDRY_CLI:-$(dirname "$0")/../build/cli/fendry-cli}
base_dir=${BENCH_DIR:-/var/tmp/fendry-bench}
runs=${RUNS:-5}
safe_runs=${SAFE_RUNS:-3}
small_runs=${SMALL_RUNS:-3}
shred_empty_runs=${SHRED_EMPTY_RUNS:-1}
large_mib=${LARGE_SIZE_MIB:-1024}
safe_mib=${SAFE_SIZE_MIB:-256}
empty_files=${EMPTY_FILES:-200000}
small_files=${SMALL_FILES:-20000}
small_size=${SMALL_SIZE:-4096}
per_folder=${PER_FOLDER:-100}
memory=${MEMORY:-1}
memory_mib=${MEMORY_SIZE_MIB:-1024}
settle=${SETTLE_SECONDS:-0}

source "$(dirname "${BASH_SOURCE[0]}")/timing.sh"

for v in RUNS="$runs" SAFE_RUNS="$safe_runs" SMALL_RUNS="$small_runs" \
    LARGE_SIZE_MIB="$large_mib" SAFE_SIZE_MIB="$safe_mib" EMPTY_FILES="$empty_files" \
    SMALL_FILES="$small_files" SMALL_SIZE="$small_size" PER_FOLDER="$per_folder" \
    MEMORY_SIZE_MIB="$memory_mib"; do
    [[ ${v#*=} =~ ^[1-9][0-9]*$ ]] || die "${v%%=*} must be a positive integer, got '${v#*=}'"
done
[[ $shred_empty_runs =~ ^[0-9]+$ ]] || die "SHRED_EMPTY_RUNS must be a number, got '$shred_empty_runs'"
[[ -n ${EPOCHREALTIME:-} ]] || die "bash 5 or newer is required"
[[ -x $cli ]] || die "fendry-cli not found at $cli (build it or set FENDRY_CLI)"
command -v shred >/dev/null || die "shred (coreutils) not found"
command -v python3 >/dev/null || die "python3 not found (it builds the trees)"

need_gnu_time() {
    if [[ ! -x /usr/bin/time ]]; then
        # Retry after an index refresh: fresh containers often have none.
        apt-get install -y -qq time >/dev/null ||
            { apt-get update -qq && apt-get install -y -qq time >/dev/null; } ||
            die "cannot install GNU time"
    fi
}
need_gnu_time

mkdir -p "$base_dir"
# A private subdirectory, so cleanup never touches anything the user put in BENCH_DIR.
work=$(mktemp -d "$base_dir/run.XXXXXX")
trap 'rm -rf "$work"; rmdir "$base_dir" 2>/dev/null || true' EXIT
trap 'exit 130' INT TERM

make_file() { # path size_mib
    dd if=/dev/zero of="$1" bs=1M count="$2" conv=fsync status=none
}

# Files in folders of `per` files, ten folders to a parent: root/p000/q0/file-0000000.
make_tree() { # dir count size per
    python3 - "$@" <<'PY'
import os, sys
root, count, size, per = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4])
data = b"\0" * size
for i in range(count):
    folder = os.path.join(root, "p%03d" % (i // (per * 10)), "q%d" % (i // per % 10))
    if i % per == 0:
        os.makedirs(folder, exist_ok=True)
    fd = os.open(os.path.join(folder, "file-%07d" % i), os.O_CREAT | os.O_WRONLY, 0o600)
    if size:
        os.write(fd, data)
    os.close(fd)
PY
}

declare -A peak=()


# fendry-cli, timed, its peak memory (MiB) kept per key as the largest seen.
fendry() { # key cli-args...
    local key=$1 kib mib
    shift
    timed /usr/bin/time -f %M -o "$work/rss" "$cli" --yes "$@"
    kib=$(tail -n 1 "$work/rss")
    [[ $kib =~ ^[0-9]+$ ]] || die "no peak memory from /usr/bin/time: $(cat "$work/rss")"
    mib=$(awk -v k="$kib" 'BEGIN { printf "%.1f", k / 1024 }')
    peak[$key]=$(awk -v a="${peak[$key]:-0}" -v b="$mib" 'BEGIN { print (b > a) ? b : a }')
}

must_be_gone() {
    if [[ -e $1 ]]; then die "$1 still exists after erasing"; fi
}


rows=()
row() { # label fendry other ratio target result rss
    rows+=("$(printf '%-40s %9s %9s %7s  %-7s %-7s %7s' "$@")")
}

compare() { # label numerator-key denominator-key [target]
    local a b target=${4:-} ratio result
    a=$(median "$2"); b=$(median "$3")
    ratio=$(awk -v a="$a" -v b="$b" 'BEGIN { printf "%.3f", (b > 0) ? a / b : 0 }')
    result=-
    if [[ -n $target ]]; then
        result=$(awk -v r="$ratio" -v b="$b" -v t="$target" 'BEGIN { print (b > 0 && r <= t) ? "met" : "missed" }')
    fi
    row "$1" "$a" "$b" "$ratio" "${target:+<= $target}" "$result" "${peak[$2]:--}"
}

# One timed step of a comparison: fresh data, then one command on it.
step() { # key
    local f=$work/large.bin d=$work/tree
    case $1 in
        quick) make_file "$f" "$large_mib"; fendry quick --method quick "$f"; must_be_gone "$f" ;;
        shred1) make_file "$f" "$large_mib"; timed shred -u -n 1 "$f"; must_be_gone "$f" ;;
        dd) make_file "$f" "$large_mib"  # zeros over it, synced, then removed: no erase is faster
            timed sh -c 'dd if=/dev/zero of="$1" bs=1M count="$2" conv=fsync,notrunc status=none &&
                rm "$1" && sync' dd "$f" "$large_mib"
            must_be_gone "$f" ;;
        safe) make_file "$f" "$safe_mib"; fendry safe --method safe "$f"; must_be_gone "$f" ;;
        verify)
            make_file "$f" "$large_mib"; fendry verify --method quick --verify "$f"
            must_be_gone "$f" ;;
        shred7) make_file "$f" "$safe_mib"; timed shred -u -n 7 "$f"; must_be_gone "$f" ;;
        empty_* | small_*)
            if [[ $1 == empty_* ]]; then
                make_tree "$d" "$empty_files" 0 "$per_folder"
            else
                make_tree "$d" "$small_files" "$small_size" "$per_folder"
            fi
            case ${1#*_} in
                fendry) fendry "$1" --method quick "$d/"; must_be_gone "$d" ;;
                rm) timed sh -c 'rm -rf "$1" && sync' rm "$d"; must_be_gone "$d" ;;
                shred)
                    timed find "$d" -type f -exec shred -u -n 1 {} +
                    [[ -z $(find "$d" -type f -print -quit) ]] || die "shred left files in $d"
                    rm -rf "$d" ;;
            esac ;;
    esac
    record "$1" "$elapsed"
    printf ' %s %ss' "$1" "$elapsed"
}

# Paired runs: the keys in the given order in odd runs, reversed in even runs.
run_series() { # label count key...
    local label=$1 n=$2 i k order
    shift 2
    for ((i = 1; i <= n; i++)); do
        order=("$@")
        if ((i % 2 == 0)); then
            order=(); for ((k = $#; k >= 1; k--)); do order+=("${!k}"); done
        fi
        printf '  %s run %d:' "$label" "$i"
        for k in "${order[@]}"; do step "$k"; done
        echo
    done
}

bench_large() {
    echo "== large: one ${large_mib} MiB file, quick; one ${safe_mib} MiB file, safe"
    run_series quick "$runs" quick shred1 dd
    run_series safe "$safe_runs" safe shred7
    compare "${large_mib} MiB quick vs shred -u -n1" quick shred1 0.35
    compare "${large_mib} MiB quick vs dd + rm + sync" quick dd
    compare "${large_mib} MiB dd + rm + sync vs shred" dd shred1
    compare "${safe_mib} MiB safe vs shred -u -n7" safe shred7 0.35
}

bench_small() {
    echo "== small: $empty_files empty files; $small_files files of $small_size bytes;" \
        "$per_folder to a folder"
    run_series empty "$small_runs" empty_fendry empty_rm
    if ((shred_empty_runs > 0)); then
        run_series "empty, shred" "$shred_empty_runs" empty_fendry empty_shred
    fi
    run_series small "$small_runs" small_fendry small_shred small_rm
    compare "$empty_files empty vs rm -rf + sync" empty_fendry empty_rm 10
    if ((shred_empty_runs > 0)); then
        compare "$empty_files empty vs find|shred -u -n1" empty_fendry empty_shred
    fi
    compare "$small_files x $small_size B vs find|shred -u -n1" small_fendry small_shred 0.05
    compare "$small_files x $small_size B vs rm -rf + sync" small_fendry small_rm
}

# Runs fendry-cli once and adds a row with its peak memory.
peak_rss_row() { # label target_mib cli-args...
    local label=$1 target=$2
    shift 2
    fendry rss --method "$@"
    row "$label" "$elapsed" - - "<= $target" \
        "$(awk -v m="${peak[rss]}" -v t="$target" 'BEGIN { print (m <= t) ? "met" : "missed" }')" \
        "${peak[rss]}"
    unset 'peak[rss]'
}

bench_verify() {
    echo "== verify: one ${large_mib} MiB file, quick, read back and without"
    run_series verify "$runs" verify quick
    compare "${large_mib} MiB quick --verify vs quick" verify quick 2.2
}

bench_memory() {
    local f=$work/memory.bin
    if [[ $memory == 0 ]]; then echo "== memory: skipped (MEMORY=0)"; return; fi
    echo "== memory: stealth on one ${memory_mib} MiB file"
    make_file "$f" "$memory_mib"
    peak_rss_row "peak RSS, stealth, ${memory_mib} MiB" 32 stealth "$f"
    must_be_gone "$f"
}

bench_tree_memory() {
    local n d
    for n in ${TREE_FILES:-200000 1000000}; do
        d=$work/tree-$n
        echo "== tree memory: $n empty files"
        make_tree "$d" "$n" 0 1000
        peak_rss_row "peak RSS, $n empty files" 64 quick "$d/"
        must_be_gone "$d"
    done
}

echo "fendry-cli: $cli"
echo "cpus: $(nproc)   kernel: $(uname -sr)   load: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "work dir: $base_dir ($(df -T "$work" | awk 'NR == 2 { print $2 " on " $1 }'))"
echo

case $section in
    large) bench_large ;;
    small) bench_small ;;
    verify) bench_verify ;;
    memory) bench_memory ;;
    tree-memory) bench_tree_memory ;;
    all) bench_large; bench_small; bench_verify; bench_memory; bench_tree_memory ;;
esac

((${#rows[@]})) || exit 0
echo
printf '%-40s %9s %9s %7s  %-7s %-7s %7s\n' measure fendry other ratio target result "RSS MiB"
printf '%s\n' "${rows[@]}"
echo "(fendry/other: median seconds; ratio = fendry / other; RSS: fendry's peak over the runs)"
