#!/usr/bin/env bash
# Builds the fuzz targets (libFuzzer, AddressSanitizer, UBSan, 32-bit) into
# build/fuzz/: the module's sources are compiled once, with coverage
# instrumentation for libFuzzer, and linked into every target. Run them
# through qemu-i386, as scripts/fuzz does (scripts/test replays the corpora
# and makes a short seeded run of each). The host targets (snmp, host_input)
# link pat-host's readers of untrusted bytes instead, compiled as pat-host is:
# with exceptions, on standalone Asio.
# Needs clang and Debian's libclang-rt-14-dev (the i386 fuzzer runtime).
set -euo pipefail
cd "$(dirname "$0")/.."
out=build/fuzz
mkdir -p "$out/obj"
flags=(-m32 -std=c++20 -O1 -g -fno-exceptions -DPAT_BUILDING_MODULE -Iinclude -Isrc -Itests
       -fsanitize=address,undefined -fno-sanitize-recover=undefined)
export out
sources=$(ls src/api/*.cpp src/core/*.cpp src/query/*.cpp src/reply/*.cpp src/convert/*.cpp src/text/*.cpp \
             src/platform/*.cpp src/platform/portable/*.cpp tests/text/text_test_config.cpp)
# Two compilers at a time: the machine is shared.
printf '%s\n' $sources | xargs -P 2 -I{} sh -c \
    'clang++ "$@" -fsanitize=fuzzer-no-link -c {} -o "$out/obj/$(echo {} | tr / _).o"' sh "${flags[@]}"
rm -f "$out/module.a"
ar rcs "$out/module.a" "$out"/obj/*.o
# The PE loader is host-side code: built as in its CMake target (exceptions
# allowed) and linked only into its own target. Without UBSan's alignment
# check: it reads a file's tables where they lie, as the Windows loader does,
# and i386 reads a word at any address.
mkdir -p "$out/peloader_obj"
loader_flags=(-m32 -std=c++20 -O1 -g -DPAT_BUILDING_MODULE -Iinclude -Isrc -Itools
              -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-sanitize=alignment)
printf '%s\n' tools/peloader/*.cpp | xargs -P 2 -I{} sh -c \
    'clang++ "$@" -fsanitize=fuzzer-no-link -c {} -o "$out/peloader_obj/$(basename {} .cpp).o"' sh "${loader_flags[@]}"
rm -f "$out/peloader.a"
ar rcs "$out/peloader.a" "$out"/peloader_obj/*.o
module_targets="reply device_id pminfo status_text query peloader"
for target in $module_targets; do
    extra=()
    [ "$target" = peloader ] && extra=("$out/peloader.a")
    clang++ "${flags[@]}" -Itools -fsanitize=fuzzer "fuzz/${target}_fuzzer.cpp" "${extra[@]}" "$out/module.a" \
        -ldl -lpthread -o "$out/${target}_fuzzer"
done

host_flags=(-m32 -std=c++20 -O1 -g -Itools/pat-host -DASIO_STANDALONE -DASIO_NO_DEPRECATED
            -fsanitize=address,undefined -fno-sanitize-recover=undefined)
mkdir -p "$out/host-obj"
host_sources="tools/pat-host/cleaning/cleaning.cpp tools/pat-host/transport/answer_tracker.cpp tools/pat-host/snmp/ber.cpp
              tools/pat-host/snmp/snmp_message.cpp tools/pat-host/snmp/snmp_device_id.cpp
              tools/pat-host/simulator/snmp_responder.cpp"
printf '%s\n' $host_sources | xargs -P 2 -I{} sh -c \
    'clang++ "$@" -fsanitize=fuzzer-no-link -c {} -o "$out/host-obj/$(echo {} | tr / _).o"' sh "${host_flags[@]}"
rm -f "$out/host.a"
ar rcs "$out/host.a" "$out"/host-obj/*.o
host_targets="snmp host_input"
for target in $host_targets; do
    clang++ "${host_flags[@]}" -fsanitize=fuzzer "fuzz/${target}_fuzzer.cpp" "$out/host.a" -lpthread \
        -o "$out/${target}_fuzzer"
done
echo "built: $(for t in $module_targets $host_targets; do printf '%s ' "$out/${t}_fuzzer"; done)"
