// Small helpers shared by the puzzle model tests.
#ifndef PUZZLETESTHELPERS_H
#define PUZZLETESTHELPERS_H

#include <fstream>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include <gtest/gtest.h>

#include "CGrid.h"

// A file path in the test's temporary folder. ctest runs each test in a process of
// its own and several at once, so the process id keeps their files apart.
inline std::string TempPath(const std::string& name)
{
    return ::testing::TempDir() + "puzzle_" + std::to_string(getpid()) + "_" + name;
}

inline void WriteFile(const std::string& path, const std::string& text)
{
    std::ofstream out(path.c_str(), std::ios::binary);
    out << text;
}

inline std::string ReadFile(const std::string& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Place and type of a record as text such as "2,3,0 4".
inline std::string RecordText(const CStoneInfo& r)
{
    return std::to_string(r.x) + "," + std::to_string(r.y) + "," + std::to_string(r.z) + " " + std::to_string(r.type);
}

// One column of a board: its place and its types from the floor up.
struct Column
{
    int x;
    int y;
    std::vector<int> types;
};

inline void Fill(CGrid& grid, const std::vector<Column>& columns)
{
    for (const Column& column : columns)
        for (int type : column.types)
            grid.PlaceStone(column.x, column.y, type, 0.0f);
}

// The board as text: each column that holds stones as "x,y:" and its types
// from the floor up, then the stone count and the type counts, as in
// "2,2:4 2 n2 {2:1 4:1}". A record that does not name its own cell shows as
// "?"; stones outside the columns' heights add "stray".
inline std::string BoardText(CGrid& grid)
{
    std::string text;
    int inColumns = 0;
    for (int y = 0; y < grid.height; y++) {
        for (int x = 0; x < grid.width; x++) {
            if (grid.heights[x][y] == 0)
                continue;
            text += std::to_string(x) + "," + std::to_string(y) + ":";
            for (int z = 0; z < grid.heights[x][y]; z++, inColumns++) {
                CStoneInfo* r = grid.cells[x + y * grid.width + z * grid.layerSize];
                bool own = r && r->x == x && r->y == y && r->z == z;
                text += (z ? " " : "") + (own ? std::to_string(r->type) : std::string("?"));
            }
            text += " ";
        }
    }
    int stones = 0;
    for (int i = 0; i < grid.cellCount; i++)
        stones += grid.cells[i] ? 1 : 0;
    text += (stones != inColumns ? "stray " : "") + std::string("n") + std::to_string(grid.GetStoneCount()) + " {";
    for (const auto& count : grid.typeCounts)
        text += (text.back() == '{' ? "" : " ") + std::to_string(count.first) + ":" + std::to_string(count.second);
    return text + "}";
}

#endif
