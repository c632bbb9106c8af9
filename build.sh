#!/usr/bin/env bash
# The project's two commands: `./build.sh run` builds and starts the editor, `./build.sh test` builds
# and runs every test. Both install what is missing from Debian's packages first.
# `./build.sh asan` builds into build-asan with the address and undefined-behaviour sanitizers and
# runs every test there, leaks included; `./build.sh fuzz` builds the fuzz targets into build-fuzz
# with clang and writes their seed corpora to fuzz-out/seeds (docs/fuzzing.md); `./build.sh look`
# starts the editor on a virtual display :99 for xdotool and `import -window root shot.png`.
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-qpa-plugins fonts-dejavu-core
    libpng-dev libgtest-dev libgmock-dev libbenchmark-dev desktop-file-utils python3 python3-jsonschema)
FUZZ_PACKAGES=(clang libclang-rt-dev python3)
LOOK_PACKAGES=(xvfb xauth xdotool imagemagick)

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
    build build -DQUILLAX_WERROR=ON
    run_tests build
    ;;
asan)
    ensure_packages "${PACKAGES[@]}"
    # Unoptimised: the quickest build, and the sanitizers see every access as written.
    build build-asan -DQUILLAX_SANITIZE=ON -DQUILLAX_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug -DQUILLAX_WERROR=ON
    ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:strict_init_order=1 \
        UBSAN_OPTIONS=print_stacktrace=1 run_tests build-asan
    ;;
look)
    ensure_packages "${PACKAGES[@]}" "${LOOK_PACKAGES[@]}"
    build build
    pgrep -f "Xvfb :99" >/dev/null || { Xvfb :99 -screen 0 1280x1024x24 & sleep 1; }
    shift
    DISPLAY=:99 exec build/bin/quillax-editor "$@"
    ;;
fuzz)
    ensure_packages "${PACKAGES[@]}" "${FUZZ_PACKAGES[@]}"
    build build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DQUILLAX_FUZZ=ON -DQUILLAX_BENCH=OFF
    python3 fuzz/make_seed_corpus.py fuzz-out/seeds
    ;;
*)
    echo "usage: $0 run|test|asan|fuzz|look" >&2
    exit 2
    ;;
esac
