#pragma once

// A cell of the zone's grid, or one beyond it: its column and row as the game
// counts them from the top left, and how the words give it.

#include <compare>
#include <cstdint>
#include <string>

struct Cell {
    int64_t column = 0;
    int64_t row = 0;
    bool operator==(const Cell&) const = default;
    auto operator<=>(const Cell&) const = default;  // by column, then row
};

// "(12, 7)". Built by appending: g++ 12 warns falsely on "(" + std::to_string(...).
inline std::string CellWords(Cell cell) {
    std::string text = "(";
    text.append(std::to_string(cell.column)).append(", ");
    return text.append(std::to_string(cell.row)).append(")");
}
