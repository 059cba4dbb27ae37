#!/usr/bin/env bash
# Every include in src runs downward: a room includes only itself and the rooms below it, in
# this order from the bottom: platform, core, board, state, ui, app. A class or struct declared
# ahead of its definition counts as an include of the room that defines it. Prints each include that runs
# upward, or into a room that is not on the list, and fails if there is one.
# Argument: the source folder (src by default).
set -euo pipefail
SRC=${1:-src}
# Each class or struct declared ahead, as an include of the header that defines it.
declared_ahead() {
    { grep -rnE '^(class|struct) [A-Za-z_]+;' "$SRC" || true; } | while IFS=: read -r file line text; do
        local name=${text#* }
        name=${name%;}
        local definition
        definition=$(grep -rlE "^(class|struct) $name( final)? *[{:]" "$SRC" | head -n1)
        [ -z "$definition" ] || echo "$file:$line:#include \"${definition#"$SRC"/}\" (declares $name)"
    done
}
{ grep -rn '^#include "[^/"]*/' "$SRC"; declared_ahead; } | awk -v src="$SRC/" '
    BEGIN { split("platform core board state ui app", rooms, " "); for (i in rooms) rank[rooms[i]] = i }
    {
        file = $0; sub(/:.*/, "", file)
        room = substr(file, length(src) + 1); sub(/\/.*/, "", room)
        target = $0; sub(/^[^"]*"/, "", target); sub(/\/.*/, "", target)
        if (!(room in rank) || !(target in rank) || rank[target] > rank[room]) {
            print $0 ": " room " includes " target ", above it"
            failed = 1
        }
    }
    END { exit failed }'
