#!/bin/sh
# The module's layers point one way:
#   platform <- core <- query, reply, convert, text <- api   (text also uses convert)
# Includes: a file includes headers of its own layer or of a layer it may use.
# Symbols: every symbol a layer's library leaves undefined is defined in that
# library, in a library it may use, or in none of the module's (the C and C++
# runtimes). This is what the link order enforces too; the check names the
# object and the symbol.
# Usage: check_layers.sh SRC_DIR [NM LIBRARY_DIR]  (LIBRARY_DIR holds libpat_<layer>.a)
src=${1:?usage: check_layers.sh SRC_DIR [NM LIBRARY_DIR]}
nm=${2:-}
libs=${3:-}
layers="platform core query reply convert text api"
uses() {
    case "$1" in
        platform) echo "" ;;
        core) echo "platform" ;;
        query|reply|convert) echo "core platform" ;;
        text) echo "convert core platform" ;;
        api) echo "text query reply convert core platform" ;;
    esac
}
may_use() {  # may_use LAYER TARGET
    [ "$1" = "$2" ] && return 0
    case " $(uses "$1") " in *" $2 "*) return 0 ;; esac
    return 1
}
status=0
for file in $(find "$src" -name '*.cpp' -o -name '*.h' -o -name '*.rc'); do
    layer=$(echo "${file#"$src"/}" | cut -d/ -f1)
    for target in $(sed -n 's/^#include "\([a-z]*\)\/.*/\1/p' "$file" | sort -u); do
        [ "$target" = pat ] && continue
        if ! may_use "$layer" "$target"; then
            echo "$file: includes a header of $target/, which $layer/ may not use" >&2
            status=1
        fi
    done
done
[ $status -eq 0 ] && echo "every include points downward"
[ -n "$libs" ] || exit $status

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for layer in $layers; do
    archive=$libs/libpat_$layer.a
    [ -f "$archive" ] || { echo "$archive does not exist (build the preset first)" >&2; exit 1; }
    # Strong and weak definitions; an inline function may be defined in several layers.
    "$nm" -A --defined-only --extern-only "$archive" 2>/dev/null | awk '{print $NF}' | sort -u >"$work/$layer.defined"
    "$nm" -A --undefined-only "$archive" 2>/dev/null |
        awk '$(NF-1) == "U" {sub(/:[^:]*$/, "", $1); print $1, $NF}' | sort -u >"$work/$layer.undefined"
done
symbols=0
for layer in $layers; do
    for owner in $layers; do
        may_use "$layer" "$owner" && cat "$work/$owner.defined"
    done | sort -u >"$work/allowed"
    while read -r object symbol; do
        grep -qxF "$symbol" "$work/allowed" && continue
        for owner in $layers; do
            if grep -qxF "$symbol" "$work/$owner.defined"; then
                name=$(echo "$symbol" | c++filt 2>/dev/null || echo "$symbol")
                echo "${object##*/}: uses $name, defined in $owner/, which $layer/ may not use" >&2
                symbols=1
                break
            fi
        done
    done <"$work/$layer.undefined"
done
[ $symbols -eq 0 ] && echo "every symbol reference points downward"
[ $status -eq 0 ] && [ $symbols -eq 0 ]
