# Sourced by the tests that drive the Windows programs under Wine: how they
# fail, their temporary folder "$dir" (removed at exit, the Lexmoor started
# as "$program" killed), and the native tools they compare with.

fail() { echo "FAIL: $*" >&2; exit 1; }

dir=$(mktemp -d)
program=
cleanup() {
  [ -n "$program" ] && kill "$program" 2>/dev/null || true
  rm -rf "$dir"
}
trap cleanup EXIT

# lexmoor-poke ($poke_exe) under Wine ($wine_run). A Windows console program
# ends its lines with CR LF: the CRs are dropped.
poke() { "$wine_run" "$poke_exe" "$@" | tr -d '\r'; }

# Sets native_import and writer from the native tree $1; fails where they were not built.
native_tools() {
  native_import=$1/tools/import/lexmoor-import
  writer=$1/tests/import/write_fixtures
  local tool
  for tool in "$native_import" "$writer"; do
    [ -x "$tool" ] || fail "$tool is missing; build the native tree first: cmake --build $1 --target lexmoor-import write_fixtures"
  done
}
