#!/usr/bin/env bash
# Every include in src runs downward: a room includes only itself and the rooms below it, in
# this order from the bottom: platform, core, board, ui, app. Prints each include that runs
# upward, or into a room that is not on the list, and fails if there is one.
# Argument: the source folder (src by default).
set -euo pipefail
SRC=${1:-src}
grep -rn '^#include "[^/"]*/' "$SRC" | awk -v src="$SRC/" '
    BEGIN { split("platform core board ui app", rooms, " "); for (i in rooms) rank[rooms[i]] = i }
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
