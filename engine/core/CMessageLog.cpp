#include "CMessageLog.h"

#include <cstdio>

CMessageLog::CMessageLog()
{
}

void CMessageLog::Message(int level, const char* text)
{
    if (!text)
        text = "";
    current = text;
    fprintf(stderr, "[%d] %s\n", level, text);
}

void CMessageLog::SetCurrentText(const char* text)
{
    current = text ? text : "";
}
