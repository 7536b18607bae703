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

// The types of column (x, y) from the floor up, as text such as "2 4 2".
inline std::string ColumnText(CGrid& grid, int x, int y)
{
    std::string text;
    for (int z = 0; z < grid.GetHeight(x, y); z++)
        text += (z ? " " : "") + std::to_string(grid.GetStoneInfo(x, y, z).type);
    return text;
}

#endif
