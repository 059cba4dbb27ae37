#include "board/board.h"

namespace {

// The neighbours in the order a flood tries them, as (row step, column step): the column to
// the left top-down from the middle, then the column to the right, then straight up and down.
constexpr int NEIGHBOUR_STEPS[8][2] = {{0, -1}, {-1, -1}, {1, -1}, {0, 1},
                                       {-1, 1}, {1, 1},   {-1, 0}, {1, 0}};

}  // namespace

int Board::open(int index, bool flagMode) {
    if (index < 0 || index >= cellCount) return OpenResult::Ignored;
    Cell& cell = cells[index];
    if (cell.isRevealed()) return OpenResult::Ignored;
    if (flagMode) {
        cell.setFlagged(!cell.isFlagged());
        cell.draw();
        return OpenResult::Opened;
    }
    const int result = openCovered(index);
    if (result == OpenResult::Opened && cell.getValue() == 0) flood(index);
    return result;
}

int Board::openCovered(int index) {
    Cell& cell = cells[index];
    if (cell.isFlagged()) return OpenResult::Ignored;
    cell.reveal(true);
    if (cell.getValue() == MINE_VALUE) return OpenResult::MineHit;
    ++revealedCount;
    return OpenResult::Opened;
}

// Depth first, exactly as if each empty cell opened its neighbours by calling open on them in
// turn, but on a stack of our own: each entry resumes its cell at its next neighbour, so a
// region of any size opens without deep recursion.
void Board::flood(int start) {
    struct Visit {
        int index;
        int nextStep;
    };
    std::vector<Visit> pending{{start, 0}};
    while (!pending.empty()) {
        Visit& visit = pending.back();
        if (visit.nextStep == 8) {
            pending.pop_back();
            continue;
        }
        const int* step = NEIGHBOUR_STEPS[visit.nextStep++];
        const int row = visit.index / layoutCols + step[0];
        const int col = visit.index % layoutCols + step[1];
        if (row < 0 || row >= layoutRows || col < 0 || col >= layoutCols) continue;
        const int neighbour = row * layoutCols + col;
        if (cells[neighbour].isRevealed()) continue;
        // An empty cell has no mine around it, so this opens a number, an empty cell, or
        // nothing at all for a flagged one, which also keeps the flood from passing it.
        if (openCovered(neighbour) == OpenResult::Opened && cells[neighbour].getValue() == 0) {
            pending.push_back({neighbour, 0});
        }
    }
}

bool Board::isCleared() const {
    return cellCount - revealedCount == mineCount;
}

void Board::drawAll() {
    for (Cell& cell : cells) cell.draw();
}
