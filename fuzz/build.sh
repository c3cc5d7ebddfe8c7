#!/usr/bin/env bash
# Builds the fuzz targets (libFuzzer, AddressSanitizer, UBSan, 32-bit) into
# build/fuzz/: the module's sources are compiled once, with coverage
# instrumentation for libFuzzer, and linked into every target. Run them
# through qemu-i386, as scripts/fuzz does (scripts/test replays the corpora
# and makes a short seeded run of each). The host targets (snmp, host_input)
# link pat-host's readers of untrusted bytes instead, compiled as pat-host is:
# with exceptions, on Boost.Asio.
#
# The sources and definitions are CMake's own: a configure of the linux-i386
# preset in build/fuzz/cmake writes, per target, the lists its compile lines
# use (fuzz-sources/, top-level CMakeLists.txt), so a file added to the
# module, the PE loader or pat-host is fuzzed without a second list here.
# The targets themselves are not CMake targets: CMake's build compiles with
# gcc, libFuzzer needs clang, and one configure cannot have both.
# Needs Debian's clang-19 and libclang-rt-19-dev (the i386 fuzzer runtime):
# the PE loader and pat-host use <expected>, which libstdc++ 12 offers only to
# a compiler with C++20's final concepts.
set -euo pipefail
cd "$(dirname "$0")/.."
out=build/fuzz
mkdir -p "$out"
cmake --preset linux-i386 -B "$out/cmake" -DPAT_BUILD_TESTS=OFF -DPAT_BUILD_BENCHMARKS=OFF >"$out/cmake.log" 2>&1 ||
    { cat "$out/cmake.log"; exit 1; }
lists=$out/cmake/fuzz-sources

# A part's sources relative to the checkout, and its definitions as -D flags.
sources_of() { sed "s|^$PWD/||" "$lists/$1.sources"; }
definitions_of() { sort -u "$lists/$1.definitions" | sed '/^$/d; s/^/-D/'; }

# The compiler cache, where the machine has one: scripts/test and scripts/fuzz
# both build these.
PAT_FUZZ_CXX=clang++-19
command -v ccache >/dev/null && PAT_FUZZ_CXX="ccache clang++-19"
export PAT_FUZZ_CXX

# compile_archive NAME FLAGS_ARRAY SOURCE...: compiles each source with
# libFuzzer's instrumentation into $out/NAME/ (two compilers at a time: the
# machine is shared) and archives exactly those objects as $out/NAME.a.
compile_archive() {
    local name=$1 flags_ref="$2[@]"
    shift 2
    mkdir -p "$out/$name"
    printf '%s\n' "$@" | xargs -P 2 -I{} sh -c \
        '$PAT_FUZZ_CXX "$@" -fsanitize=fuzzer-no-link -c {} -o "$0/$(echo {} | tr / _).o"' "$out/$name" "${!flags_ref}"
    local objects=()
    for source in "$@"; do objects+=("$out/$name/$(echo "$source" | tr / _).o"); done
    rm -f "$out/$name.a"
    ar rcs "$out/$name.a" "${objects[@]}"
}

mapfile -t module_definitions < <(definitions_of module)
flags=(-m32 -std=c++20 -O1 -g -fno-exceptions "${module_definitions[@]}" -Iinclude -Isrc -Itests
       -fsanitize=address,undefined -fno-sanitize-recover=undefined)
# The status_text target's configuration with rows is test support, not module code.
compile_archive module flags $(sources_of module) tests/text/text_test_config.cpp

# The PE loader is host-side code: built as in its CMake target (exceptions
# allowed) and linked only into its own target. Without UBSan's alignment
# check: it reads a file's tables where they lie, as the Windows loader does,
# and i386 reads a word at any address.
mapfile -t loader_definitions < <(definitions_of peloader)
loader_flags=(-m32 -std=c++23 -O1 -g "${loader_definitions[@]}" -Iinclude -Isrc -Itools
              -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-sanitize=alignment)
compile_archive peloader loader_flags $(sources_of peloader)

module_targets="reply device_id pminfo status_text query peloader"
for target in $module_targets; do
    extra=()
    [ "$target" = peloader ] && extra=("$out/peloader.a")
    clang++-19 "${flags[@]}" -std=c++23 -Itools -fsanitize=fuzzer "fuzz/${target}_fuzzer.cpp" fuzz/sanitizer_options.cpp \
        "${extra[@]}" "$out/module.a" \
        -ldl -lpthread -o "$out/${target}_fuzzer"
done

# pat-host's readers of a printer's and an agent's bytes live in these
# folders; the link takes from the archive only the objects the targets reach.
mapfile -t host_definitions < <(definitions_of host)
host_flags=(-m32 -std=c++23 -O1 -g "${host_definitions[@]}" -Itools/pat-host -Iinclude
            -fsanitize=address,undefined -fno-sanitize-recover=undefined)
# Only the readers of untrusted bytes, and the simulated agent with the
# profile its Printer MIB comes from: the targets reach nothing else, and
# compiling all of pat-host with the sanitizers would double the build.
compile_archive host host_flags $(sources_of host | grep -E '^tools/pat-host/(cleaning|snmp|transport|outcome)/|^tools/pat-host/input/strict_json|^tools/pat-host/simulator/(snmp_responder|printer_mib_table|profile|default_profile)')
host_targets="snmp host_input"
for target in $host_targets; do
    clang++-19 "${host_flags[@]}" -fsanitize=fuzzer "fuzz/${target}_fuzzer.cpp" fuzz/sanitizer_options.cpp "$out/host.a" -lpthread \
        -o "$out/${target}_fuzzer"
done
echo "built: $(for t in $module_targets $host_targets; do printf '%s ' "$out/${t}_fuzzer"; done)"
