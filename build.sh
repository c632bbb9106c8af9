#!/usr/bin/env bash
# The project's two commands: `./build.sh run` builds and starts the editor, `./build.sh test` builds
# and runs every test. Both install what is missing from Debian's packages first.
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-qpa-plugins fonts-dejavu-core
    libgtest-dev libgmock-dev libbenchmark-dev)

ensure_packages() {
    local missing=() package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" \
            || missing+=("$package")
    done
    if ((${#missing[@]})); then
        local sudo=""
        [ "$(id -u)" -eq 0 ] || sudo="sudo"
        $sudo apt-get update
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
    fi
}

build() {
    local dir="$1"
    shift
    cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
    cmake --build "$dir"
}

run_tests() {
    QT_QPA_PLATFORM=offscreen ctest --test-dir "$1" --output-on-failure -j "$(nproc)"
}

case "${1:-}" in
run)
    ensure_packages "${PACKAGES[@]}"
    build build
    exec build/bin/quillax-editor
    ;;
test)
    ensure_packages "${PACKAGES[@]}"
    build build
    run_tests build
    ;;
*)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
