// CLevel: one level as the level file describes it: name and number, the
// stones on the board at the start, the special fields, and the stones the
// player may place with the way they are offered.
#ifndef CLEVEL_H
#define CLEVEL_H

#include <string>

class CStoneInfo;

class CLevel
{
public:
    CLevel();
    virtual ~CLevel();

    void SetName(std::string name);
    std::string GetName();

    // The level takes over the array and its records and orders them by layer.
    void SetStones(CStoneInfo** stones, int count);
    // The level takes over the array of field records.
    void SetFields(CStoneInfo* fields, int count);
    void SortStones();

    std::string name;
    int size;               // board size as the file gives it
    int placeableMode;      // 0 finite stack in order; else endless random supply
    int* placeableTypes;    // owned; a value of 1000 or more stands for a field value
    int placeableCount;
    CStoneInfo** stones;    // owned, with the records; ascending by layer
    CStoneInfo* fields;     // owned; one record per special field
    int stoneCount;
    int fieldCount;
    int number;             // the level's "nr" in the file

private:
    CLevel(const CLevel&) = delete;
    CLevel& operator=(const CLevel&) = delete;

    void DeleteStones();
};

#endif
