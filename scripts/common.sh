# Sourced by the README's commands: installs packages, builds the two trees.
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
jobs=$(nproc)

# Installs those of the Debian packages "$@" that are missing; fails, naming
# them, when that is impossible (not root) or apt-get fails.
ensure_packages() {
  local name missing=() p
  name=$(basename "$0" .sh)
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "$name: missing packages: ${missing[*]}; run this as root to install them" >&2
    return 1
  fi
  echo "$name: installing ${missing[*]}" >&2
  export DEBIAN_FRONTEND=noninteractive
  if ! apt-get update -qq >&2 || ! apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null; then
    echo "$name: could not install ${missing[*]}" >&2
    return 1
  fi
}

# Compilations are kept between runs and clones where ccache is installed
# (scripts/setup.sh installs it): a clean clone compiles only what changed.
# Paths inside the tree are hashed relative to it, so any clone's path hits.
export CCACHE_BASEDIR="$top" CCACHE_NOHASHDIR=true
compiler_cache=()
if command -v ccache >/dev/null; then
  compiler_cache=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
else
  compiler_cache=(-DCMAKE_C_COMPILER_LAUNCHER= -DCMAKE_CXX_COMPILER_LAUNCHER=)
fi

build_native() {
  cmake -S "$top" -B "$top/build/native" "${compiler_cache[@]}" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$top/build/native" -j "$jobs"
}

# The native tests again, unoptimised, with their asserts and the address and
# undefined-behaviour sanitizers on.
build_native_checked() {
  local sanitizers="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
  cmake -S "$top" -B "$top/build/native-checked" "${compiler_cache[@]}" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=Debug -DLEXMOOR_FUZZ=OFF -DLEXMOOR_DATA_TESTS=OFF -DCMAKE_CXX_FLAGS="$sanitizers" \
    -DCMAKE_EXE_LINKER_FLAGS="$sanitizers" >/dev/null
  cmake --build "$top/build/native-checked" -j "$jobs"
}

# The tree the Windows tests and scripts/run.sh use: optimised, asserts kept.
build_windows() {
  cmake -S "$top" -B "$top/build/windows" "${compiler_cache[@]}" \
    -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-x86_64.cmake" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g" >/dev/null
  cmake --build "$top/build/windows" -j "$jobs"
}

# The program as it is shipped: asserts off.
build_windows_release() {
  cmake -S "$top" -B "$top/build/windows-release" "${compiler_cache[@]}" \
    -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$top/build/windows-release" --target lexmoor lexmoor-import -j "$jobs"
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
