#!/bin/sh
# The outside host (host/) built against the installed trees the ways the
# README gives: the Linux builds run under qemu-i386 and print the module's
# version; the Windows builds (nothing runs them here) must import exactly the
# undecorated names of the two exports they call from pat.dll.
#   host_builds_test.sh SOURCE_DIR SCRATCH VERSION   (after install_layout_test.sh)
set -eu
src=$1 scratch=$2 version=$3
linux=$scratch/linux lib=$scratch/linux/lib/i386-linux-gnu windows=$scratch/windows
fail() { echo "FAIL: $*" >&2; exit 1; }
rm -rf "$scratch/hosts" && cp -r "$src/tests/packaging/host" "$scratch/hosts" && cd "$scratch/hosts"

build() {
    case $1 in
    cmake) cmake -S . -B b-cmake -G Ninja -DCMAKE_TOOLCHAIN_FILE="$src/cmake/linux-i386.cmake" -DCMAKE_PREFIX_PATH="$linux" &&
           cmake --build b-cmake && cp b-cmake/version_host cmake.host ;;
    pkg-config) g++ -m32 version_host.cpp $(PKG_CONFIG_PATH="$lib/pkgconfig" pkg-config --cflags --libs pat) -o pkg-config.host ;;
    mingw) cmake -S . -B b-mingw -G Ninja -DCMAKE_TOOLCHAIN_FILE="$src/cmake/windows-i686.cmake" -DCMAKE_PREFIX_PATH="$windows" &&
           cmake --build b-mingw && cp b-mingw/version_host.exe mingw.exe ;;
    msvc) clang --target=i686-pc-windows-msvc -ffreestanding -O2 -DPAT_HOST_NO_CRT -I"$windows/include" -c version_host.cpp -o msvc.obj &&
          lld-link /nodefaultlib /entry:HostEntry /subsystem:console /out:msvc.exe msvc.obj "$windows/lib/pat.lib" ;;
    esac
}

# way         check
while read -r way check; do
    build "$way" < /dev/null > "$way.log" 2>&1 || { cat "$way.log"; fail "$way: the host does not build"; }
    case $check in
    runs) out=$(qemu-i386 -E LD_LIBRARY_PATH="$lib" "./$way.host" < /dev/null) && [ "$out" = "pat $version" ] || fail "$way: printed '$out'" ;;
    imports) names=$(i686-w64-mingw32-objdump -p "$way.exe" |
                     awk '/DLL Name:/ { dll = $3 } dll == "pat.dll" && NF == 3 && $2 ~ /^[0-9]+$/ { print $3 }' | sort | tr '\n' ' ')
             [ "$names" = "PatGetDllVersion PatSetLocale " ] || fail "$way: imports '$names' from pat.dll" ;;
    esac
    echo "ok: $way ($check)"
done <<EOF
cmake       runs
pkg-config  runs
mingw       imports
msvc        imports
EOF
