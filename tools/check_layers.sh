#!/bin/sh
# Every include of the module points downward:
#   platform <- core <- query, reply, convert, text <- api
# A file may include headers of its own layer or of a layer below it.
# Usage: check_layers.sh SRC_DIR
src=${1:?usage: check_layers.sh SRC_DIR}
rank() {
    case "$1" in
        platform) echo 0 ;; core) echo 1 ;; query|reply|convert|text) echo 2 ;; api) echo 3 ;; *) echo -1 ;;
    esac
}
status=0
for file in $(find "$src" -name '*.cpp' -o -name '*.h' -o -name '*.rc'); do
    layer=$(echo "${file#"$src"/}" | cut -d/ -f1)
    own=$(rank "$layer")
    for target in $(sed -n 's/^#include "\([a-z]*\)\/.*/\1/p' "$file" | sort -u); do
        [ "$target" = pat ] && continue
        if [ "$(rank "$target")" -gt "$own" ]; then
            echo "$file: includes a header of $target/, which lies above $layer/" >&2
            status=1
        fi
    done
done
[ $status -eq 0 ] && echo "every include points downward"
exit $status
