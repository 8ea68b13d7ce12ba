#!/usr/bin/env bash
# Sets up a Debian machine, builds VARNOLIS with its data set, and then either
# starts the game (./build.sh play) or runs every test (./build.sh test).
set -euo pipefail
cd "$(dirname "$0")"

packages=(
  build-essential cmake ninja-build pkg-config git
  libsdl2-dev libgtest-dev libgmock-dev libbenchmark-dev
  libfreetype-dev libpng-dev libsquish-dev
  fonts-dejavu-core fonts-wqy-microhei
)

install_packages() {
  local missing=()
  for package in "${packages[@]}"; do
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
    install_packages
    cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVARNOLIS_SANITIZE=ON
    cmake --build build/test -j "$jobs"
    ctest --test-dir build/test --output-on-failure -j "$jobs"
    ;;
  *)
    echo "usage: $0 play|test" >&2
    exit 2
    ;;
esac
