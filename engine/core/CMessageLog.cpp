#include "CMessageLog.h"

#include <cstdio>

#include "TextEncoding.h"

const float CMessageLog::WARNING_SECONDS = 5.0f;

CMessageLog::CMessageLog()
{
}

void CMessageLog::Message(int level, const char* text)
{
    current = EscapeUnprintable(text ? text : "");
    fprintf(stderr, "[%d] %s\n", level, current.c_str());
    if (level != WARNING)
        return;
    if (warnings.size() >= MAX_WARNINGS)
        warnings.erase(warnings.begin());
    Warning warning;
    warning.text = current;
    warning.age = 0.0f;
    warnings.push_back(warning);
}

void CMessageLog::SetCurrentText(const char* text)
{
    current = text ? text : "";
}

std::vector<std::string> CMessageLog::GetWarnings() const
{
    std::vector<std::string> texts;
    for (size_t i = 0; i < warnings.size(); i++)
        texts.push_back(warnings[i].text);
    return texts;
}

void CMessageLog::AgeWarnings(float seconds)
{
    if (seconds <= 0.0f)
        return;
    for (size_t i = 0; i < warnings.size(); i++)
        warnings[i].age += seconds;
}

void CMessageLog::DismissWarnings()
{
    size_t kept = 0;
    for (size_t i = 0; i < warnings.size(); i++) {
        if (warnings[i].age < WARNING_SECONDS)
            warnings[kept++] = warnings[i];
    }
    warnings.resize(kept);
}
