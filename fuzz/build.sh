#!/usr/bin/env bash
# Builds the reply fuzzer (libFuzzer, AddressSanitizer, UBSan, 32-bit) into
# build/fuzz/. Run it through qemu-i386, e.g.
#   ASAN_OPTIONS=detect_leaks=0 qemu-i386 build/fuzz/reply_fuzzer -max_total_time=300 DIR
# (copy fuzz/corpus to DIR first; LeakSanitizer hangs under qemu-user)
# Needs clang and Debian's libclang-rt-14-dev (the i386 fuzzer runtime).
set -euo pipefail
cd "$(dirname "$0")/.."
mkdir -p build/fuzz
sources=$(ls src/api/*.cpp src/core/*.cpp src/query/*.cpp src/reply/*.cpp src/convert/*.cpp src/text/*.cpp src/platform/*.cpp src/platform/portable/*.cpp)
clang++ -m32 -std=c++20 -O1 -g -fno-exceptions -DPAT_BUILDING_MODULE -Iinclude -Isrc \
    -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    $sources fuzz/reply_fuzzer.cpp -ldl -lpthread -o build/fuzz/reply_fuzzer
echo "built build/fuzz/reply_fuzzer"
