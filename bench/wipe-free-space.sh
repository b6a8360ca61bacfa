#!/usr/bin/env bash
# fendry-cli --wipe-free-space against dd writing the same amount of zeros with conv=fsync on
# the same file system, in paired runs in alternating order from a cold cache; its peak memory;
# whether a wipe killed with SIGKILL halfway gives back all the space it took; and what rm and
# then a wipe leave of named, marked files on the raw device.
#
# Usage: bench/wipe-free-space.sh [speed|kill|traces|all]
#   traces   on 256 MiB ext4 images (ordered and data=journal; the folder removed or emptied
#            and kept): 200 files SECRETNAME_nnnn.txt of 8 KiB of MARKERTEXT, synced, removed
#            with rm, synced; then nothing, a wipe as root, or a wipe as the user nobody; the
#            image unmounted and searched (grep -ac, and blocks in and out of the journal)
# Environment: FENDRY_CLI, WIPE_DIR (a folder on the file system to wipe; without it, a fresh
#   ext4 image of IMAGE_MIB is made under BENCH_DIR and mounted on a loop device, which needs
#   root), BENCH_DIR (/var/tmp/fendry-bench), IMAGE_MIB (4096), MOUNT_OPTIONS (defaults, e.g.
#   data=journal), RUNS (5)
# With WIPE_DIR the wipe fills that file system for a while: other programs see a full disk.
set -euo pipefail

section=${1:-all}
case $section in
    speed | kill | traces | all) ;;
    *) echo "usage: $0 [speed|kill|traces|all]" >&2; exit 2 ;;
esac

cli=${FENDRY_CLI:-$(dirname "$0")/../build/cli/fendry-cli}
base_dir=${BENCH_DIR:-/var/tmp/fendry-bench}
image_mib=${IMAGE_MIB:-4096}
mount_options=${MOUNT_OPTIONS:-defaults}
runs=${RUNS:-5}

source "$(dirname "${BASH_SOURCE[0]}")/timing.sh"

for v in RUNS="$runs" IMAGE_MIB="$image_mib"; do
    [[ ${v#*=} =~ ^[1-9][0-9]*$ ]] || die "${v%%=*} must be a positive integer, got '${v#*=}'"
done
[[ -n ${EPOCHREALTIME:-} ]] || die "bash 5 or newer is required"
[[ -x $cli ]] || die "fendry-cli not found at $cli (build it or set FENDRY_CLI)"
if [[ ! -x /usr/bin/time ]]; then
    apt-get install -y -qq time >/dev/null ||
        { apt-get update -qq && apt-get install -y -qq time >/dev/null; } ||
        die "cannot install GNU time"
fi

mkdir -p "$base_dir"
work=$(mktemp -d "$base_dir/wipe.XXXXXX")
mounted=
cleanup() {
    if [[ -n $mounted ]]; then umount "$mounted" 2>/dev/null || true; fi
    rm -rf "$work"
    rmdir "$base_dir" 2>/dev/null || true
}
trap cleanup EXIT
trap 'exit 130' INT TERM

if [[ $section == traces ]]; then
    :  # makes images of its own
elif [[ -n ${WIPE_DIR:-} ]]; then
    target=$WIPE_DIR
    [[ -d $target ]] || die "WIPE_DIR $target is not a folder"
else
    (($(id -u) == 0)) || die "making and mounting an ext4 image needs root; or set WIPE_DIR"
    truncate -s "${image_mib}M" "$work/image"
    mkfs.ext4 -q -F "$work/image"
    mkdir "$work/mnt"
    mount -o "loop,$mount_options" "$work/image" "$work/mnt"
    mounted=$work/mnt
    target=$work/mnt
fi

# The free space in bytes that this user may fill, as the wipe counts it.
free_bytes() {
    if (($(id -u) == 0)); then
        stat -f -c '%f %S' "$target" | awk '{ printf "%.0f\n", $1 * $2 }'
    else
        stat -f -c '%a %S' "$target" | awk '{ printf "%.0f\n", $1 * $2 }'
    fi
}



peak_mib=0
step() { # wipe|dd
    local before mib kib
    before=$(free_bytes)
    case $1 in
        wipe)
            # Exit 1 means something was out of reach (as a user, the administrator's reserve);
            # the time still counts.
            timed sh -c '/usr/bin/time -f %M -o "$1" "$2" --wipe-free-space "$3" --yes --quiet \
                || [ $? -eq 1 ]' wipe "$work/rss" "$cli" "$target"
            kib=$(tail -n 1 "$work/rss")
            peak_mib=$(awk -v a="$peak_mib" -v k="$kib" 'BEGIN { m = k / 1024; print (m > a) ? m : a }')
            record written "$before"
            ;;
        dd)
            mib=$((before / 1048576 - 64))  # what the wipe writes, short of the metadata dd needs
            timed dd if=/dev/zero of="$target/fendry-bench-zeros" bs=1M count="$mib" conv=fsync \
                status=none
            record dd_bytes $((mib * 1048576))
            rm "$target/fendry-bench-zeros"
            sync
            ;;
    esac
    record "$1" "$elapsed"
    printf ' %s %ss' "$1" "$elapsed"
}

bench_speed() {
    local i
    echo "== speed: $runs paired runs"
    for ((i = 1; i <= runs; i++)); do
        printf '  run %d:' "$i"
        if ((i % 2)); then step wipe; step dd; else step dd; step wipe; fi
        echo
    done
    local wipe_s dd_s written dd_bytes
    wipe_s=$(median wipe); dd_s=$(median dd)
    written=$(median written); dd_bytes=$(median dd_bytes)
    awk -v ws="$wipe_s" -v ds="$dd_s" -v wb="$written" -v db="$dd_bytes" -v rss="$peak_mib" 'BEGIN {
        wr = wb / ws / 1048576; dr = db / ds / 1048576
        printf "\nwipe:  %.0f MiB in %.3f s (median), %.1f MiB/s, the whole run: fill, inodes, journal\n", wb / 1048576, ws, wr
        printf "dd:    %.0f MiB in %.3f s (median), %.1f MiB/s\n", db / 1048576, ds, dr
        printf "speed: wipe / dd = %.3f (target >= 0.9: %s)\n", wr / dr, (wr / dr >= 0.9) ? "met" : "missed"
        printf "peak RSS of fendry-cli: %.1f MiB (target < 32: %s)\n", rss, (rss < 32) ? "met" : "missed"
    }'
}

bench_kill() {
    local before during after pid
    echo "== kill: SIGKILL halfway through the fill"
    drop_caches
    before=$(df -B1 --output=used "$target" | tail -n 1)
    "$cli" --wipe-free-space "$target" --yes --quiet >/dev/null &
    pid=$!
    local total
    total=$(free_bytes)
    while (($(free_bytes) > total / 2)) && kill -0 "$pid" 2>/dev/null; do
        sleep 0.01
    done
    during=$(df -B1 --output=used "$target" | tail -n 1)
    kill -KILL "$pid"
    wait "$pid" 2>/dev/null || true
    after=$(df -B1 --output=used "$target" | tail -n 1)
    printf '  used before: %s bytes; at the kill: %s; after: %s (%s)\n' "$before" "$during" \
        "$after" "$( ((after <= before)) && echo "all given back" || echo "NOT given back")"
}

# Blocks of the image that hold `text`, in the journal and elsewhere.
count_blocks() { # image text
    local size
    size=$(dumpe2fs -h "$1" 2>/dev/null | awk -F: '/^Block size/ { print $2 + 0 }')
    debugfs -R 'blocks <8>' "$1" 2>/dev/null >"$work/journal"
    python3 - "$1" "$2" "$size" "$work/journal" <<'PY'
import sys
image, text, size, journal = sys.argv[1], sys.argv[2].encode(), int(sys.argv[3]), sys.argv[4]
journal = set(int(b) for b in open(journal).read().split())
data = open(image, 'rb').read()
inside, outside = set(), set()
at = data.find(text)
while at != -1:
    (inside if at // size in journal else outside).add(at // size)
    at = data.find(text, at + 1)
print(f'{len(inside)} + {len(outside)}')
PY
}

bench_traces() {
    (($(id -u) == 0)) || die "traces makes and mounts images: it needs root"
    id nobody >/dev/null || die "traces wipes as the user nobody, who is missing"
    local image=$work/traces.img mnt=$work/traces opts keep who status
    mkdir -p "$mnt"
    chmod 755 "$work"  # the user nobody wipes below it
    echo "== traces: blocks that hold a name / a marker, in the journal + elsewhere"
    printf '%-14s %-8s %-6s %-6s %-22s %-22s %s\n' mount folder wipe exit names markers 'grep -ac'
    for opts in defaults data=journal; do
        for keep in removed kept; do
            for who in none root user; do
                rm -f "$image"
                truncate -s 256M "$image"
                mkfs.ext4 -q -F "$image"
                mount -o "loop,$opts" "$image" "$mnt"
                mounted=$mnt
                mkdir -m 1777 "$mnt/docs"
                python3 - "$mnt/docs/secret" <<'PY'
import os, sys
os.makedirs(sys.argv[1])
body = ("MARKERTEXT" * 820)[:8192].encode()
for i in range(200):
    with open(f"{sys.argv[1]}/SECRETNAME_{i:04d}.txt", "wb") as f:
        f.write(body)
PY
                sync
                if [[ $keep == kept ]]; then rm -f "$mnt"/docs/secret/*; else rm -rf "$mnt/docs/secret"; fi
                sync
                status=-
                case $who in
                    root) "$cli" --wipe-free-space "$mnt/docs" --yes --quiet >/dev/null && status=0 || status=$? ;;
                    user) setpriv --reuid=nobody --regid=nogroup --clear-groups \
                              "$cli" --wipe-free-space "$mnt/docs" --yes --quiet >/dev/null &&
                              status=0 || status=$? ;;
                esac
                umount "$mnt"
                mounted=
                printf '%-14s %-8s %-6s %-6s %-22s %-22s %s\n' "$opts" "$keep" "$who" "$status" \
                    "$(count_blocks "$image" SECRETNAME)" "$(count_blocks "$image" MARKERTEXT)" \
                    "$(grep -ac SECRETNAME "$image" || true) and $(grep -ac MARKERTEXT "$image" || true)"
            done
        done
    done
    rm -f "$image"
}

echo "fendry-cli: $cli"
echo "cpus: $(nproc)   kernel: $(uname -sr)   load: $(cut -d' ' -f1-3 /proc/loadavg)"
if [[ $section != traces ]]; then
    echo "target: $target ($(df -T "$target" | awk 'NR == 2 { print $2 " on " $1 }'), $(findmnt -no OPTIONS -T "$target"))"
fi
echo
case $section in
    speed) bench_speed ;;
    kill) bench_kill ;;
    traces) bench_traces ;;
    all) bench_speed; bench_kill ;;
esac
