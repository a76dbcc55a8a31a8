#!/usr/bin/env bash
# One entry point for newcomers, developers and CI.
#   ./build.sh run     install what is missing, build, start the editor
#   ./build.sh test    install what is missing, build, run every test headless
#   ./build.sh asan    the tests again, built with AddressSanitizer and UBSan
#   ./build.sh bench   build and run the benchmarks (Release)
#   ./build.sh build   only build
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
cd "$here"
what="${1:-build}"
shift || true

install_packages() {
    local missing=()
    while read -r pkg; do
        [[ -z "$pkg" || "$pkg" == \#* ]] && continue
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
    done < tools/debian-packages.txt
    ((${#missing[@]} == 0)) && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [[ $(id -u) -ne 0 ]] && sudo=(sudo)
    "${sudo[@]}" apt-get update
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
}

configure_and_build() {
    local dir="$1"; shift
    export CCACHE_DIR="${CCACHE_DIR:-$here/.cache/ccache}"
    export CCACHE_SLOPPINESS="pch_defines,time_macros,include_file_mtime,include_file_ctime"
    if [[ ! -f "$dir/build.ninja" ]]; then
        cmake -S . -B "$dir" -G Ninja -DCMAKE_CXX_COMPILER_LAUNCHER=ccache "$@"
    fi
    cmake --build "$dir" --parallel "$(nproc)"
}

run_tests() {
    local dir="$1"
    export QT_QPA_PLATFORM=offscreen
    export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
    ctest --test-dir "$dir" --output-on-failure --parallel "$(nproc)" --timeout 300
}

case "$what" in
    build)
        install_packages
        configure_and_build build -DCMAKE_BUILD_TYPE=RelWithDebInfo ;;
    run)
        install_packages
        configure_and_build build -DCMAKE_BUILD_TYPE=RelWithDebInfo
        sample="resources/examples/555-blinker.rst"
        if [[ $# -eq 0 && -f "$sample" ]]; then set -- "$sample"; fi
        exec build/shell/karvel "$@" ;;
    test)
        install_packages
        configure_and_build build -DCMAKE_BUILD_TYPE=RelWithDebInfo
        run_tests build ;;
    asan)
        install_packages
        configure_and_build build-asan -DCMAKE_BUILD_TYPE=Debug -DKARVEL_SANITIZE=ON
        export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
        export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
        run_tests build-asan ;;
    bench)
        install_packages
        configure_and_build build-bench -DCMAKE_BUILD_TYPE=Release -DKARVEL_BENCHMARKS=ON
        for b in build-bench/benchmarks/bench_*; do [[ -x "$b" ]] && QT_QPA_PLATFORM=offscreen "$b" "$@"; done ;;
    *)
        echo "usage: ./build.sh run|test|asan|bench|build" >&2; exit 2 ;;
esac
