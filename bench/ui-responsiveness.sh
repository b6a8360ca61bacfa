#!/usr/bin/env bash
# Responsiveness of the window while it erases a folder of small files (with Stealth, 35 passes
# per file, unless METHOD says otherwise), or with "add" while it takes in a large folder and
# counts it: the longest main-thread stall, the frame intervals and the peak memory, measured by
# fendry-ui-bench on a virtual X display that really draws every frame.
#
# Usage: bench/ui-responsiveness.sh [erase|add]
# Environment: FENDRY_UI_BENCH, BENCH_DIR (/var/tmp/fendry-ui-bench), METHOD (stealth),
#   FILES (100000; 500000 for add), FILE_SIZE (1024 bytes; 0 makes empty files; add makes empty
#   files, 500 to a folder), RUNS (1), COLD_CACHE (0), WARMUP_FILES (3000)
# Two cases are hard for the window. On a tmpfs every pass is as quick as it can be, so progress
# updates arrive as fast as the run allows (mount one outside /dev: Fendry refuses what lies
# below /dev). On a disk, a Quick run of many files (METHOD=quick FILES=200000 FILE_SIZE=0) keeps
# many files in flight at once, each finishing in a moment.
# The first time a screen is drawn its shaders are compiled; with software rendering (as under
# Xvfb) that takes long enough to stall the window. By default a warm-up run fills a private
# cache first, as a user's earlier launches would; COLD_CACHE=1 measures a first launch. The
# warm-up has to last a second or two on tmpfs: some shaders are first needed only once the
# switch to the progress screen has finished.
set -euo pipefail

mode=${1:-erase}
case $mode in
erase) bench_args=() ;;
add) bench_args=(--add) ;;
*) echo "usage: $0 [erase|add]" >&2; exit 2 ;;
esac
bench=${FENDRY_UI_BENCH:-$(dirname "$0")/../build/bench/fendry-ui-bench}
base_dir=${BENCH_DIR:-/var/tmp/fendry-ui-bench}
method=${METHOD:-stealth}
if [[ $mode == add ]]; then files=${FILES:-500000}; else files=${FILES:-100000}; fi
file_size=${FILE_SIZE:-1024}
runs=${RUNS:-1}
cold_cache=${COLD_CACHE:-0}
warmup_files=${WARMUP_FILES:-3000}

die() { printf '\nerror: %s\n' "$*" >&2; exit 1; }

for v in FILES="$files" RUNS="$runs" WARMUP_FILES="$warmup_files"; do
    [[ ${v#*=} =~ ^[1-9][0-9]*$ ]] || die "${v%%=*} must be a positive integer, got '${v#*=}'"
done
[[ $file_size =~ ^[0-9]+$ ]] || die "FILE_SIZE must be a number of bytes, got '$file_size'"
[[ $method =~ ^(quick|safe|stealth)$ ]] || die "METHOD must be quick, safe or stealth, got '$method'"
[[ $cold_cache == [01] ]] || die "COLD_CACHE must be 0 or 1, got '$cold_cache'"
[[ -n ${EPOCHREALTIME:-} ]] || die "bash 5 or newer is required"
[[ -x $bench ]] || die "fendry-ui-bench not found at $bench (build it or set FENDRY_UI_BENCH)"
command -v xvfb-run >/dev/null || die "xvfb-run not found (Debian: apt-get install xvfb xauth)"
command -v split >/dev/null || die "split (coreutils) not found"

mkdir -p "$base_dir"
# A private subdirectory, so cleanup never touches anything the user put in BENCH_DIR; the
# settings and runtime folders live elsewhere, so a full BENCH_DIR cannot break them.
work=$(mktemp -d "$base_dir/run.XXXXXX")
home=$(mktemp -d "${TMPDIR:-/tmp}/fendry-ui-bench-home.XXXXXX")
trap 'rm -rf "$work" "$home"; rmdir "$base_dir" 2>/dev/null || true' EXIT
trap 'exit 130' INT TERM
mkdir -m 0700 "$home/config" "$home/runtime" "$home/cache"

# Every file takes at least one page on tmpfs and one block on disk, plus an inode.
fs_type=$(df --output=fstype "$work" | tail -n 1 | tr -d ' ')
block=$(stat -f -c %S "$work")
page=$(getconf PAGESIZE)
((page > block)) && block=$page
largest=$((files > warmup_files ? files : warmup_files))
need_bytes=$(((file_size + block - 1) / block * block * largest + 64 * 1024 * 1024))
avail_bytes=$(($(df --output=avail -B1 "$work" | tail -n 1)))
((avail_bytes >= need_bytes)) ||
    die "$base_dir ($fs_type) has $((avail_bytes >> 20)) MiB free, $((need_bytes >> 20)) MiB needed; set BENCH_DIR or lower FILES"
avail_inodes=$(df --output=iavail "$work" | tail -n 1 | tr -d ' ')
if [[ $avail_inodes =~ ^[0-9]+$ ]] && ((avail_inodes > 0 && avail_inodes < largest + 16)); then
    die "$base_dir ($fs_type) has $avail_inodes free inodes, $largest needed; set BENCH_DIR or lower FILES"
fi

make_tree() { # dir count
    mkdir -p "$1"
    if [[ $mode == add ]]; then
        # Counting reads names, not data: empty files, 500 to a folder, as in a photo library.
        (cd "$1" && seq -f 'd%05g' 0 $((($2 - 1) / 500)) | xargs mkdir &&
            seq 0 $(($2 - 1)) | awk '{ printf "d%05d/f%06d\n", int($1 / 500), $1 }' | xargs touch)
    elif ((file_size == 0)); then
        (cd "$1" && seq -f 'f%08.0f' 1 "$2" | xargs touch)
    else
        head -c $(($2 * file_size)) /dev/zero | (cd "$1" && split -b "$file_size" -a 8 - f)
    fi
    local made
    made=$(find "$1" -type f | wc -l)
    ((made == $2)) || die "made $made files in $1, wanted $2"
}

# A private display, settings, runtime folder (and with it the single-instance socket) and
# cache, so neither the user's settings nor a running Fendry are touched.
run_bench() { # folder output method
    XDG_CONFIG_HOME=$home/config XDG_RUNTIME_DIR=$home/runtime XDG_CACHE_HOME=$home/cache \
        QT_QPA_PLATFORM=xcb \
        xvfb-run -a -s '-screen 0 1024x768x24' "$bench" "${bench_args[@]}" --method "$3" "$1" >"$2"
}

declare -A samples=()
labels=()
record() { # label value
    [[ -n ${samples[$1]+set} ]] || labels+=("$1")
    samples[$1]+="$2 "
}

stat_of() { # label -> "median min max"
    local -a v
    read -ra v <<<"${samples[$1]}"
    printf '%s\n' "${v[@]}" | sort -g | awk '
        { v[NR] = $1 }
        END {
            if (NR % 2) m = v[(NR + 1) / 2]
            else { m = (v[NR / 2] + v[NR / 2 + 1]) / 2; m = (m == int(m)) ? sprintf("%d", m) : sprintf("%.2f", m) }
            printf "%s %s %s\n", m, v[1], v[NR]
        }'
}

echo "fendry-ui-bench: $bench"
# Other work on the machine shows up as stalls; the load says whether there was any.
echo "cpus: $(nproc)   kernel: $(uname -sr)   load: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "work dir: $base_dir ($fs_type on $(df --output=source "$work" | tail -n 1))"
if [[ $mode == add ]]; then size_text="empty"; else size_text="of $file_size bytes"; fi
echo "mode: $mode   method: $method   files: $files $size_text   runs: $runs   shader cache: $( ((cold_cache)) && echo cold || echo warm)"

out=$work/out.txt
tree=$work/tree
if ((!cold_cache)); then
    make_tree "$tree" "$warmup_files"
    # Stealth, so that the progress screen is up long enough to be drawn whatever METHOD is.
    run_bench "$tree" "$out" stealth || die "the warm-up run failed with status $?: $(cat "$out")"
    rm -rf "$tree"
fi

for ((i = 1; i <= runs; i++)); do
    if ((cold_cache)); then
        rm -rf "$home/cache"
        mkdir -m 0700 "$home/cache"
    fi
    t0=${EPOCHREALTIME/,/.}
    make_tree "$tree" "$files"
    t1=${EPOCHREALTIME/,/.}
    echo
    echo "== run $i (files made in $(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.1f", b - a }') s)"
    status=0
    run_bench "$tree" "$out" "$method" || status=$?
    sed 's/^/  /' "$out"
    ((status == 0)) || die "fendry-ui-bench failed with status $status"
    [[ $mode == add || ! -e $tree ]] || echo "  note: $tree was not removed completely"
    rm -rf "$tree"
    # Rows are a label and one number with two or more spaces between them.
    while IFS=$'\t' read -r label value; do
        record "$label" "$value"
    done < <(sed -nE 's/^([A-Za-z0-9].*[^ ])  +([0-9][0-9.]*)$/\1\t\2/p' "$out")
done

((${#labels[@]})) || die "no figures in the benchmark's output"
echo
printf '%-40s %10s %10s %10s\n' measure median min max
for label in "${labels[@]}"; do
    read -r m lo hi <<<"$(stat_of "$label")"
    printf '%-40s %10s %10s %10s\n' "$label" "$m" "$lo" "$hi"
done
echo "(over $runs run(s); a tick gap is the time between two 5 ms timer ticks on the main thread)"
