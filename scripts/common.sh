# Sourced by the README's commands: builds the two trees.
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
jobs=$(nproc)

build_native() {
  cmake -S "$top" -B "$top/build/native" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$top/build/native" -j "$jobs"
}

build_windows() {
  cmake -S "$top" -B "$top/build/windows" \
    -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-x86_64.cmake" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$top/build/windows" -j "$jobs"
}

run_dir="$top/build/run"

# The program's working directory, with the FreeDict dictionary. An existing
# dictionary there is the user's (it may hold registered pronunciations): never replaced.
prepare_run_dir() {
  mkdir -p "$run_dir"
  cp "$top/build/windows/app/lexmoor.exe" "$run_dir/lexmoor.exe"
  if [ ! -f "$run_dir/RAdoro.txt" ]; then
    local dictionary
    dictionary=$("$top/scripts/make-dictionary.sh")
    cp "$dictionary" "$run_dir/RAdoro.txt.tmp"
    mv "$run_dir/RAdoro.txt.tmp" "$run_dir/RAdoro.txt"
  fi
}
