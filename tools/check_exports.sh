#!/bin/sh
# Checks the binary contract of a built module.
#   check_exports.sh elf libpat.so : ELF32 i386 exporting the sixteen names and
#                                    the heap and last-error functions, nothing else
#   check_exports.sh pe pat.dll     : PE32 exporting the sixteen names at ordinals
#                                    2-17, importing only KERNEL32, USER32 and
#                                    msvcrt, carrying
#                                    its 1.1.5.0 version resource
set -eu
kind=$1
file=$2
fail() { echo "FAIL: $*" >&2; exit 1; }
[ -f "$file" ] || fail "$file does not exist (build the matching preset first)"

exports="PatCreateBitmapInfo PatDisposeBitmapInfo PatLoadBitmap PatGetStatusString
PatGetDeviceName PatPMInfoToPrnInfoEx PatPrnInfoExToPrnInfo PatCreateQueryInfo
PatCreateEmulUniqQueryInfo PatSetCentroDataTo PatGetDllVersion PatGetPeripheralProfile
PatSetLocale PatGetStatusHelpFileName PatLoadDIBitmap PatGetPalette"

case $kind in
elf)
    readelf -h "$file" | grep -q 'Class:.*ELF32' || fail "not ELF32"
    readelf -h "$file" | grep -q 'Machine:.*80386' || fail "not i386"
    portable="GlobalAlloc GlobalFree GlobalReAlloc GlobalSize GlobalLock GlobalUnlock SetLastError GetLastError"
    defined=$(nm -D --defined-only "$file" | awk '$2 == "T" { print $3 }' | sort)
    expected=$(printf '%s\n' $exports $portable | sort)
    [ "$defined" = "$expected" ] || fail "exported functions differ:
$(printf '%s\n' "$expected" > /tmp/pat_expected.$$; printf '%s\n' "$defined" | diff /tmp/pat_expected.$$ - ; rm -f /tmp/pat_expected.$$)"
    echo "ok: $file exports the sixteen functions and the portable heap"
    ;;
pe)
    dump=$(i686-w64-mingw32-objdump -p "$file")
    echo "$dump" | grep -q 'Magic.*010b' || fail "not PE32"
    echo "$dump" | grep -q 'Ordinal Base 2' || fail "ordinal base is not 2"
    table=$(echo "$dump" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' |
            sed -n 's/^[[:space:]]*\[ *\([0-9]*\)\] \(.*\)$/\1 \2/p')
    [ "$(echo "$table" | wc -l)" -eq 16 ] || fail "expected 16 named exports"
    ordinal=2
    for name in $exports; do
        index=$(echo "$table" | awk -v n="$name" '$2 == n { print $1 }')
        [ -n "$index" ] || fail "$name is not exported by name"
        [ $((index + 2)) -eq $ordinal ] || fail "$name is at ordinal $((index + 2)), expected $ordinal"
        ordinal=$((ordinal + 1))
    done
    # Exactly the known system DLLs, which Windows takes from System32 whatever
    # lies beside the host; version.dll is loaded from System32 at run time.
    imports=$(echo "$dump" | awk '/DLL Name:/ { print toupper($3) }' | sort -u | tr '\n' ' ')
    [ "$imports" = "KERNEL32.DLL MSVCRT.DLL USER32.DLL " ] ||
        fail "imports $imports; expected exactly KERNEL32.DLL MSVCRT.DLL USER32.DLL (VERSION.DLL is loaded from System32)"
    # VS_FIXEDFILEINFO: signature, structure version, file and product version
    # 1.1.5.0, flags mask, flags, Win32 OS, file type DLL.
    od -An -tx1 -v "$file" | tr -d ' \n' |
        grep -q 'bd04effe00000100010001000000050001000100000005003f000000000000000400000002000000' || fail "no 1.1.5.0 version resource"
    echo "ok: $file exports the sixteen functions at ordinals 2-17, imports only $(echo $imports), version 1.1.5.0"
    ;;
*) fail "usage: check_exports.sh elf|pe FILE" ;;
esac
