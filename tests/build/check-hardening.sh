#!/usr/bin/env bash
# Checks that each ELF binary given was built with Debian's hardening and that its runpath,
# if any, never names the working folder (an empty or relative entry).
set -uo pipefail

# Functions glibc offers a fortified __*_chk variant of. memcpy and its kin are left out: a
# fortified build still calls them plainly wherever the size of the target is unknown.
fortifiable='stpcpy|strcpy|strncpy|strcat|strncat|sprintf|snprintf|vsprintf|vsnprintf|printf|fprintf|vprintf|vfprintf|dprintf|read|pread|pread64|recv|recvfrom|fgets|getcwd|realpath|readlink|readlinkat|wcscpy|wmemcpy|poll|ppoll'

failures=0
fail() {
    echo "$1: $2" >&2
    failures=$((failures + 1))
}

for binary in "$@"; do
    header=$(readelf -hW "$binary") || { fail "$binary" "not an ELF file"; continue; }
    dynamic=$(readelf -dW "$binary")
    segments=$(readelf -lW "$binary")
    imports=$(readelf --dyn-syms -W "$binary" | awk '$7 == "UND" { sub(/@.*/, "", $8); print $8 }')

    grep -q 'Type:[[:space:]]*DYN' <<<"$header" && grep -q 'Flags:.*PIE' <<<"$dynamic" ||
        fail "$binary" "not a position-independent executable"
    grep -q 'GNU_RELRO' <<<"$segments" || fail "$binary" "no RELRO segment"
    grep -Eq 'BIND_NOW|Flags:.* NOW' <<<"$dynamic" || fail "$binary" "not bound now (partial RELRO)"
    grep -qx '__stack_chk_fail' <<<"$imports" || fail "$binary" "no stack protector"
    if ! grep -Eq '^__.*_chk$' <<<"$imports" && grep -Eqx "($fortifiable)" <<<"$imports"; then
        fail "$binary" "calls unfortified libc functions only"
    fi
    while read -r runpath; do
        IFS=: read -ra entries <<<"$runpath:"
        for entry in "${entries[@]}"; do
            if [[ $entry != /* && $entry != '$ORIGIN'* ]]; then
                fail "$binary" "runpath [$runpath] names the working folder"
                break
            fi
        done
    done < <(sed -nE 's/.*\((RUNPATH|RPATH)\).*\[(.*)\]$/\2/p' <<<"$dynamic")
done
exit $((failures > 0))
