#!/usr/bin/env bash
# The manual page renders without warnings and names every option that --help lists; bash
# completes the options and the methods.
# Usage: manual_and_completion_test.sh FENDRY_CLI MANUAL COMPLETION
set -euo pipefail
cli=$1 manual=$2 completion=$3
failed=0
fail() { echo "FAIL: $*"; failed=1; }

warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$manual" 2>&1 >/dev/null || true)
[[ -z $warnings ]] || fail "man --warnings: $warnings"

rendered=$(LC_ALL=C MANWIDTH=200 man -l "$manual" 2>/dev/null | col -b)
for option in $("$cli" --help | grep -oE -- '--[a-z][a-z-]*' | sort -u); do
    grep -qF -- "$option" <<<"$rendered" || fail "the manual does not mention $option"
done

complete_words() { # words...
    bash -c 'source "$0"; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _fendry_cli
        printf "%s\n" "${COMPREPLY[@]}"' "$completion" "$@"
}
[[ $(complete_words fendry-cli --method s | sort | tr '\n' ' ') == "safe stealth " ]] ||
    fail "methods after --method: $(complete_words fendry-cli --method s)"
[[ $(complete_words fendry-cli --dr) == "--dry-run" ]] ||
    fail "options: $(complete_words fendry-cli --dr)"
[[ $(complete_words fendry-cli --wipe-free-space /proc/sel) == "/proc/self" ]] ||
    fail "folders after --wipe-free-space: $(complete_words fendry-cli --wipe-free-space /proc/sel)"

((failed == 0)) && echo "3 passed, 0 failed" || { echo "failed"; exit 1; }
