#!/usr/bin/env bash
# Sets up a Debian machine, builds VARNOLIS with its data set, and then either
# starts the game (./build.sh play) or runs every test (./build.sh test).
set -euo pipefail
cd "$(dirname "$0")"

packages=(
  build-essential cmake ninja-build pkg-config git
  libsdl2-dev libgtest-dev libgmock-dev libbenchmark-dev libpixman-1-dev
  libfreetype-dev libpng-dev libsquish-dev
  fonts-dejavu-core fonts-wqy-microhei
)

# The test run also builds the fuzz targets, which need clang and its sanitizer runtimes.
test_packages=(clang libclang-rt-dev)

install_packages() {
  local missing=()
  for package in "${packages[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed' || missing+=("$package")
  done
  if ((${#missing[@]})); then
    local sudo=""
    [[ $(id -u) -eq 0 ]] || sudo=sudo
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
  fi
}

jobs=$(nproc)

# Runs every benchmark once, briefly, so that none of them rots.
run_benchmarks() {
  ./build/test/varnolis_bench --benchmark_min_time=0.001 >build/test/bench.log 2>&1 || {
    tail -n 40 build/test/bench.log
    echo "a benchmark failed" >&2
    return 1
  }
  # A benchmark that cannot set itself up reports an error and goes on; that is rot as well.
  if grep -q 'ERROR OCCURRED' build/test/bench.log; then
    grep 'ERROR OCCURRED' build/test/bench.log
    echo "a benchmark could not run" >&2
    return 1
  fi
  echo "benchmarks: $(grep -c '^BM_' build/test/bench.log) ran"
}

# Builds the fuzz targets with clang and runs each for a few seconds from its
# seeds in fuzz/corpus/<name>/; what it finds stays in build/fuzz/.
run_fuzz_targets() {
  CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVARNOLIS_FUZZ=ON \
    -DVARNOLIS_TESTS=OFF -DVARNOLIS_BENCH=OFF
  cmake --build build/fuzz --target fuzz_all -j "$jobs"
  local program name
  for program in build/fuzz/fuzz/fuzz_*; do
    name=${program##*/fuzz_}
    mkdir -p "build/fuzz/corpus/$name" "build/fuzz/findings/$name"
    if ! (cd "build/fuzz/findings/$name" &&
          "../../fuzz/fuzz_$name" -max_total_time=3 -timeout=10 "../../corpus/$name" "../../../../fuzz/corpus/$name" \
            >../../fuzz_$name.log 2>&1); then
      tail -n 40 "build/fuzz/fuzz_$name.log"
      echo "fuzz target $name found a fault; its input is in build/fuzz/findings/$name/" >&2
      return 1
    fi
    echo "fuzz_$name: $(grep -o 'Done [0-9]* runs' "build/fuzz/fuzz_$name.log" || echo 'ran')"
  done
}

case "${1:-}" in
  play)
    install_packages
    cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DVARNOLIS_TESTS=OFF -DVARNOLIS_BENCH=OFF
    cmake --build build/release -j "$jobs"
    cd build/release
    shift
    exec ./varnolis "$@"
    ;;
  test)
    install_packages "${test_packages[@]}"
    cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVARNOLIS_SANITIZE=ON -DVARNOLIS_WERROR=ON
    cmake --build build/test -j "$jobs"
    run_benchmarks
    run_fuzz_targets
    ctest --test-dir build/test --output-on-failure -j "$jobs"
    # The optimiser sees warnings the debug build does not: a release build must have none either.
    cmake -S . -B build/release-check -G Ninja -DCMAKE_BUILD_TYPE=Release -DVARNOLIS_WERROR=ON
    cmake --build build/release-check -j "$jobs"
    ;;
  *)
    echo "usage: $0 play|test" >&2
    exit 2
    ;;
esac
