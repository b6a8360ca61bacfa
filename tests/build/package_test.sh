#!/usr/bin/env bash
# Builds the Debian package as `cpack -G DEB` does and checks it with Debian's own tools:
# lintian has no error or warning for it, and hardening-check finds every protection in both
# programs as the package ships them. Skipped where the tools are not installed.
# Usage: package_test.sh BUILD_DIR
set -uo pipefail
build=$1
for tool in lintian hardening-check dpkg-deb cpack; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cpack -G DEB -B "$work" --config "$build/CPackConfig.cmake" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; exit 1; }
deb=$(echo "$work"/fendry_*.deb)
failed=0
report=$(lintian --fail-on error,warning "$deb" 2>&1)
status=$?
grep -v 'running with root privileges' <<<"$report"
((status == 0)) || { echo "FAIL: lintian"; failed=1; }
dpkg-deb -x "$deb" "$work/root"
hardening-check "$work/root/usr/bin/fendry" "$work/root/usr/bin/fendry-cli" ||
    { echo "FAIL: hardening-check"; failed=1; }
((failed == 0)) && echo "lintian and hardening-check: clean"
exit $failed
