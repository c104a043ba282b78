# Sourced by the package checks: make_package BUILD_DIR WORK_DIR makes the Debian
# package of a finished build in WORK_DIR/out and sets deb to its path.
make_package() {
  local build=$1 work=$2
  cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log" >&2; exit 1; }
  local debs=("$work"/out/quillon_*_amd64.deb)
  [ -f "${debs[0]}" ] || { ls "$work/out" >&2; echo "FAIL: no quillon_VERSION_amd64.deb" >&2; exit 1; }
  deb=${debs[0]}
}
