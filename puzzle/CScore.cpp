#include "CScore.h"

CScore::CScore()
    : score(0), mode(0), level(0)
{
}

CScore::~CScore()
{
}
