# Shared by the benchmarks: cold-cache timing of a command and medians of recorded samples.
# Sourced, not run.

die() { printf '\nerror: %s\n' "$*" >&2; exit 1; }

# Writes back and drops the page cache (when allowed), then idles `settle` seconds if set.
drop_caches() {
    sync
    if [[ -w /proc/sys/vm/drop_caches ]]; then
        echo 3 >/proc/sys/vm/drop_caches 2>/dev/null || true
    fi
    sleep "${settle:-0}"
}

declare -A samples=()
record() { samples[$1]+="$2 "; }
median() {
    local -a v
    read -ra v <<<"${samples[$1]}"
    printf '%s\n' "${v[@]}" | sort -g |
        awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else printf "%.3f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# Runs a command from a cold cache; the wall time in seconds lands in $elapsed. Its stdout is
# dropped so progress output cannot garble the report.
elapsed=0
timed() {
    local t0 t1
    drop_caches
    t0=${EPOCHREALTIME/,/.}
    "$@" >/dev/null || die "command failed with status $?: $*"
    t1=${EPOCHREALTIME/,/.}
    elapsed=$(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.3f", b - a }')
}
