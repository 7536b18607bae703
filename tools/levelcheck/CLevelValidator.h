// CLevelValidator: checks that a level's content can be played on the game's
// board before anyone searches it: stones and fields on the board and below
// the top layer, known stone and field types, a target field, and at least
// as many special stones (on the board and in the stack) as target fields.
#ifndef CLEVELVALIDATOR_H
#define CLEVELVALIDATOR_H

#include <string>
#include <vector>

class CLevel;

class CLevelValidator
{
public:
    // One text per fault found, in the level's order; empty when it is sound.
    static std::vector<std::string> Check(CLevel* level, int boardSize);
};

#endif
