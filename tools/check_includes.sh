#!/usr/bin/env bash
# Every include in src runs downward: a room includes only itself and the rooms below it, in
# this order from the bottom: platform, core, board, ui, app. Prints each include that runs
# upward, or into a room that is not on the list, and fails if there is one.
# Argument: the source folder (src by default).
set -euo pipefail
SRC=${1:-src}
ROOMS=(platform core board ui app)
rank() {
    local i
    for i in "${!ROOMS[@]}"; do
        [ "${ROOMS[i]}" = "$1" ] && echo "$i" && return
    done
    echo -1
}
status=0
while IFS=: read -r file line text; do
    room=${file#"$SRC"/}
    room=${room%%/*}
    target=$(sed -n 's/^#include "\([^/"]*\)\/.*/\1/p' <<<"$text")
    [ -n "$target" ] || continue
    from=$(rank "$room")
    to=$(rank "$target")
    if [ "$from" -lt 0 ] || [ "$to" -lt 0 ] || [ "$to" -gt "$from" ]; then
        echo "$file:$line: $room includes $target, above it: ${text}"
        status=1
    fi
done < <(grep -rn '^#include "' "$SRC")
exit $status
