#!/usr/bin/env bash
# One entry point for newcomers, developers and CI.
#   ./build.sh run     install what is missing, build, start the editor
#   ./build.sh test    install what is missing, build, run every test headless
#   ./build.sh asan    the tests again, built with AddressSanitizer and UBSan
#   ./build.sh bench   build and run the benchmarks (Release)
#   ./build.sh fuzz [SECONDS]   fuzz the project reader with libFuzzer (default 60 s)
#   ./build.sh fuzz-rtf [SECONDS]   fuzz the RTF reader likewise
#   ./build.sh corpus  rebuild the fuzzer's seed corpus under tests/fuzz/corpus
#   ./build.sh format  check that every source file is formatted (clang-format --dry-run)
#   ./build.sh tidy [REV]   the static checks of .clang-tidy on the core (only files changed
#                      since REV when given)
#   ./build.sh build   only build
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
cd "$here"
what="${1:-build}"
shift || true

install_packages() {
    local list="${1:-tools/debian-packages.txt}"
    local missing=()
    while read -r pkg; do
        [[ -z "$pkg" || "$pkg" == \#* ]] && continue
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
    done < "$list"
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
        # One process for all tests: a sanitized Qt start-up per test would take most of the run.
        export QT_QPA_PLATFORM=offscreen
        export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
        build-asan/tests/karvel_tests --gtest_brief=1 ;;
    bench)
        install_packages
        configure_and_build build-bench -DCMAKE_BUILD_TYPE=Release -DKARVEL_BENCHMARKS=ON
        for b in build-bench/benchmarks/bench_*; do
            if [[ -f "$b" && -x "$b" ]]; then QT_QPA_PLATFORM=offscreen "$b" "$@"; fi
        done ;;
    fuzz)
        install_packages
        install_packages tools/debian-packages-fuzz.txt
        configure_and_build build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKARVEL_FUZZ=ON \
            -DKARVEL_TESTS=OFF -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang
        mkdir -p build-fuzz/corpus build-fuzz/crashes
        export QT_QPA_PLATFORM=offscreen ASAN_OPTIONS="detect_leaks=0"
        build-fuzz/tests/fuzz/board_record_fuzzer -max_total_time="${1:-60}" -rss_limit_mb=2048 \
            -artifact_prefix=build-fuzz/crashes/ build-fuzz/corpus tests/fuzz/corpus
        echo "New crash inputs, if any, are in build-fuzz/crashes; keep them in tests/fuzz/crashes." ;;
    fuzz-rtf)
        install_packages
        install_packages tools/debian-packages-fuzz.txt
        configure_and_build build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKARVEL_FUZZ=ON \
            -DKARVEL_TESTS=OFF -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang
        mkdir -p build-fuzz/rtf-corpus build-fuzz/rtf-crashes
        export QT_QPA_PLATFORM=offscreen ASAN_OPTIONS="detect_leaks=0"
        # -timeout: an input that takes longer than 2 s (a document built in quadratic time)
        # is kept as a failure like a crash.
        build-fuzz/tests/fuzz/rtf_reader_fuzzer -max_total_time="${1:-60}" -rss_limit_mb=2048 \
            -timeout=2 -artifact_prefix=build-fuzz/rtf-crashes/ build-fuzz/rtf-corpus \
            tests/fuzz/rtf-corpus
        echo "New crash inputs, if any, are in build-fuzz/rtf-crashes; keep them in tests/fuzz/rtf-crashes." ;;
    corpus)
        install_packages
        configure_and_build build -DCMAKE_BUILD_TYPE=RelWithDebInfo
        build/tests/fuzz/make_fuzz_corpus tests/fuzz/corpus ;;
    format)
        install_packages
        git ls-files -z '*.h' '*.cpp' | xargs -0 clang-format --dry-run -Werror
        echo "Formatting: every source file follows .clang-format." ;;
    tidy)
        install_packages
        install_packages tools/debian-packages-tidy.txt
        configure_and_build build -DCMAKE_BUILD_TYPE=RelWithDebInfo
        # clang-tidy cannot read GCC's precompiled headers: a database without them.
        mkdir -p build/tidy
        sed -E 's# -include [^ ]*cmake_pch\.hxx##g; s# -Winvalid-pch##g' \
            build/compile_commands.json > build/tidy/compile_commands.json
        core='^(platform|stream|board|elements|assistant|output)/.*\.cpp$'
        if [[ $# -gt 0 ]]; then
            files=$(git diff --name-only --diff-filter=AM "$1" -- | grep -E "$core" || true)
        else
            files=$(git ls-files | grep -E "$core")
        fi
        if [[ -z "$files" ]]; then echo "Static checks: no core file to check."; exit 0; fi
        echo "$files" | xargs -P "$(nproc)" -n 4 clang-tidy -p build/tidy --quiet
        echo "Static checks: every checked file passes .clang-tidy." ;;
    *)
        echo "usage: ./build.sh run|test|asan|bench|fuzz|fuzz-rtf|corpus|format|tidy|build" >&2
        exit 2 ;;
esac
