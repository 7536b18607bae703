#ifndef CINPUTSCRIPT_H
#define CINPUTSCRIPT_H

#include <string>
#include <vector>
#include <windows.h>

// Timed input for headless runs, read from a text file: one command a line,
// "<frame> <command> <arguments>", '#' starts a comment. Each command is fed
// into the window's input stream before the frame of its number is moved and
// drawn, so the program handles it like input from the window system.
//
//   <frame> down <key>            key goes down (names: Escape, Return, Space,
//   <frame> up <key>              Left, Right, Backspace, A..Z, 0..9, ...)
//   <frame> key <key>             key goes down and up
//   <frame> type <text>           types the text (letters, digits, spaces)
//   <frame> move <x> <y>          pointer to (x, y) in window fractions 0..1
//   <frame> press <button> [<x> <y>]     button (left or right) goes down
//   <frame> release <button> [<x> <y>]   button comes up
//   <frame> click <button> <x> <y>       move, press and release
//   <frame> drag <button> <x0> <y0> <x1> <y1> <frames>
//                                 press at the first point, move one step a
//                                 frame to the second, release there
//   <frame> snapshot <file.png>   saves the frame's picture
class CInputScript {
public:
    enum Kind { KEY_DOWN, KEY_UP, TEXT, MOVE, BUTTON_DOWN, BUTTON_UP, SNAPSHOT };

    struct Command {
        int frame;
        Kind kind;
        std::string text;   // key name, typed text or snapshot path
        int button;         // 0 left, 1 right
        float x, y;         // window fractions; negative: the pointer's last position
        int line;
    };

    CInputScript();

    // Reads a script; false (with the reasons in errors) when the file cannot be
    // read or a line cannot be understood. Good lines are kept either way.
    bool Load(const char* path);
    bool Parse(const std::string& text);
    const std::vector<std::string>& GetErrors() const { return errors; }

    // The commands in the order they are fed (by frame, then by line).
    const std::vector<Command>& GetCommands() const { return commands; }
    int GetLastFrame() const;

    // Feeds the input commands of the given frame into the window; returns how
    // many could not be delivered (a dead window). Unknown key names are
    // refused when the script is read.
    int Feed(int frame, HWND window);

private:
    void ParseLine(const std::string& line, int number);
    void Add(int frame, Kind kind, const std::string& text, int button, float x, float y, int line);
    void Error(int line, const std::string& what);
    bool Deliver(const Command& command, HWND window);

    std::vector<Command> commands;
    std::vector<std::string> errors;
    size_t next;
    float pointerX, pointerY;
};

#endif
