#ifndef CMESSAGELOG_H
#define CMESSAGELOG_H

#include <string>
#include <vector>

// Keeps the last logged line as the current text (shown for a frame by the
// application) and echoes every line to stderr. Warnings (the player's files
// could not be read or written) are kept besides, so that the message line
// can show them until the player has had time to read them. Bytes that do not
// print (controls, broken UTF-8) are logged as \xNN.
class CMessageLog {
public:
    enum { INFO = 0, WARNING = 1 };
    // Warnings kept at once; an older one gives way to a newer.
    enum { MAX_WARNINGS = 3 };
    // A warning stays at least this long; after that the next key or click ends it.
    static const float WARNING_SECONDS;

    CMessageLog();

    void Message(int level, const char* text);

    const char* GetCurrentText() const { return current.c_str(); }
    void SetCurrentText(const char* text);

    // The warnings still to be shown, oldest first.
    std::vector<std::string> GetWarnings() const;
    // The game's clock moved on by that many seconds.
    void AgeWarnings(float seconds);
    // A key or click: the warnings shown long enough go.
    void DismissWarnings();

private:
    struct Warning {
        std::string text;
        float age;
    };

    std::string current;
    std::vector<Warning> warnings;
};

#endif
