#!/bin/sh
# cmake --install of both presets into SCRATCH/linux and SCRATCH/windows (the
# other packaging tests build against these), each tree exactly as listed; the
# Windows ZIP holds the same files, with README.txt and LICENSE.txt.
#   install_layout_test.sh LINUX_BUILD WINDOWS_BUILD SCRATCH
set -eu
linux_build=$1 windows_build=$2 scratch=$3
fail() { echo "FAIL: $*" >&2; exit 1; }
listing() { (cd "$1" && find . ! -type d | sed 's|^\./||' | sort); }
rm -rf "$scratch" && mkdir -p "$scratch"
for tree in linux windows; do
    eval build=\$${tree}_build
    cmake --install "$build" --prefix "$scratch/$tree" > "$scratch/$tree-install.log" || fail "cmake --install $build"
done

[ "$(listing "$scratch/linux")" = "bin/pat-host
include/pat/pat.h
lib/i386-linux-gnu/cmake/pat/patConfig.cmake
lib/i386-linux-gnu/cmake/pat/patConfigVersion.cmake
lib/i386-linux-gnu/cmake/pat/patTargets-relwithdebinfo.cmake
lib/i386-linux-gnu/cmake/pat/patTargets.cmake
lib/i386-linux-gnu/libpat.so
lib/i386-linux-gnu/libpat.so.1
lib/i386-linux-gnu/libpat.so.1.1.5
lib/i386-linux-gnu/pkgconfig/pat.pc
share/doc/pat/LICENSE
share/doc/pat/README.md
share/man/man1/pat-host.1.gz" ] || fail "linux tree differs:
$(listing "$scratch/linux")"
lib=$scratch/linux/lib/i386-linux-gnu
[ "$(readlink "$lib/libpat.so")" = libpat.so.1 ] || fail "libpat.so does not link to libpat.so.1"
readelf -d "$lib/libpat.so.1" | grep -q 'SONAME.*\[libpat\.so\.1\]' || fail "no SONAME libpat.so.1"

windows="LICENSE.txt
README.txt
bin/pat.dll
include/pat/pat.h
lib/cmake/pat/patConfig.cmake
lib/cmake/pat/patConfigVersion.cmake
lib/cmake/pat/patTargets-release.cmake
lib/cmake/pat/patTargets.cmake
lib/libpat.dll.a
lib/pat.def
lib/pat.lib"
[ "$(listing "$scratch/windows")" = "$windows" ] || fail "windows tree differs:
$(listing "$scratch/windows")"
cpack --config "$windows_build/CPackConfig.cmake" -G ZIP -B "$scratch/zip" > "$scratch/zip.log" || fail "cpack -G ZIP"
zip=$(ls "$scratch"/zip/pat-*-win32.zip)
[ "$(cmake -E tar tf "$zip" | grep -v '/$' | sed 's|^[^/]*/||' | sort)" = "$windows" ] || fail "$zip differs"
echo "ok: both install trees and $(basename "$zip") as listed"
