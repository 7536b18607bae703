// CScore: one stored result: the fewest moves with which a level was won, by
// whom and when.
#ifndef CSCORE_H
#define CSCORE_H

#include <string>

class CScore
{
public:
    static constexpr int MODE_PUZZLE = 1;   // list "puzzle"
    static constexpr int MODE_PANIK = 2;    // list "panik"

    CScore();
    virtual ~CScore();

    int score;          // fewest moves
    int mode;           // MODE_PUZZLE or MODE_PANIK
    int level;          // level number ("nr" of the level file)
    std::string name;   // player's name
    std::string date;   // date of the result as text
};

#endif
