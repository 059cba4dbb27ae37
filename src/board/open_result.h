#pragma once

// What Board::open reports, as a plain integer.
namespace OpenResult {
constexpr int Opened = 0;   // a cell was opened, or a flag was set or removed
constexpr int MineHit = 1;  // the opened cell is a mine
constexpr int Ignored = 2;  // nothing was done
}  // namespace OpenResult
