#!/usr/bin/env bash
# check_lintian.sh BUILD_DIR: makes the Debian package of a finished build and
# has Debian's own checker look at it: no error, no warning, and none of the
# informational tags about hardening or stripping either.
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$(dirname "$0")/make_package.sh"
make_package "$build" "$work"

# Errors and warnings fail lintian itself (as does a run that breaks); the
# informational tags are shown so that hardening and stripping can be checked.
status=0
lintian --no-cfg --fail-on error,warning --display-info --tag-display-limit 0 "$deb" \
  >"$work/lintian.txt" 2>&1 || status=$?
cat "$work/lintian.txt"
if [ "$status" -ne 0 ] ||
  grep -E 'hardening-|binary-has-unneeded-section|unstripped' "$work/lintian.txt" >/dev/null; then
  echo "FAIL: lintian objects to $(basename "$deb") (exit status $status)" >&2
  exit 1
fi
echo "lintian: $(basename "$deb") passes"
