#ifndef CMESSAGELOG_H
#define CMESSAGELOG_H

#include <string>

// Keeps the last logged line as the current text (shown for a frame by the
// application) and echoes every line to stderr.
class CMessageLog {
public:
    CMessageLog();

    void Message(int level, const char* text);

    const char* GetCurrentText() const { return current.c_str(); }
    void SetCurrentText(const char* text);

private:
    std::string current;
};

#endif
