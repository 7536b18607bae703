#include "CInputScript.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "InputInjection.h"

CInputScript::CInputScript()
    : next(0), pointerX(0.5f), pointerY(0.5f)
{
}

bool CInputScript::Load(const char* path)
{
    std::ifstream file(path ? path : "", std::ios::binary);
    if (!file) {
        Error(0, std::string("cannot read ") + (path ? path : "(none)"));
        return false;
    }
    std::stringstream text;
    text << file.rdbuf();
    return Parse(text.str());
}

bool CInputScript::Parse(const std::string& text)
{
    size_t errorsBefore = errors.size();
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        number++;
        size_t hash = line.find('#');
        if (hash != std::string::npos)
            line.erase(hash);
        ParseLine(line, number);
    }
    // Stable: commands of one frame keep the order of their lines.
    std::stable_sort(commands.begin(), commands.end(),
                     [](const Command& a, const Command& b) { return a.frame < b.frame; });
    next = 0;
    return errors.size() == errorsBefore;
}

void CInputScript::Error(int line, const std::string& what)
{
    char prefix[32];
    snprintf(prefix, sizeof(prefix), "line %d: ", line);
    errors.push_back(line > 0 ? prefix + what : what);
}

void CInputScript::Add(int frame, Kind kind, const std::string& text, int button, float x, float y, int line)
{
    Command command;
    command.frame = frame;
    command.kind = kind;
    command.text = text;
    command.button = button;
    command.x = x;
    command.y = y;
    command.line = line;
    commands.push_back(command);
}

static bool ReadButton(std::istringstream& in, int* button)
{
    std::string name;
    if (!(in >> name))
        return false;
    if (name == "left")
        *button = INJECT_BUTTON_LEFT;
    else if (name == "right")
        *button = INJECT_BUTTON_RIGHT;
    else
        return false;
    return true;
}

static bool IsFraction(float value)
{
    return value >= 0.0f && value <= 1.0f;
}

// Reads "x y" when present; false when they are there but not fractions.
static bool ReadPoint(std::istringstream& in, float* x, float* y, bool required)
{
    *x = -1.0f;
    *y = -1.0f;
    if (!(in >> *x)) {
        *x = -1.0f;
        return !required && in.eof();
    }
    if (!(in >> *y))
        return false;
    return IsFraction(*x) && IsFraction(*y);
}

static bool AtEnd(std::istringstream& in)
{
    std::string rest;
    return !(in >> rest);
}

// Bounds that keep frame numbers and a drag's expansion in int range and in memory.
static const long MAX_FRAME = 10000000;
static const int MAX_DRAG_FRAMES = 10000;

void CInputScript::ParseLine(const std::string& line, int number)
{
    std::istringstream in(line);
    std::string word;
    if (!(in >> word))
        return;   // blank or comment
    char* end = nullptr;
    long frame = strtol(word.c_str(), &end, 10);
    if (*end != '\0' || frame < 1 || frame > MAX_FRAME) {
        Error(number, "a line starts with its frame number (1 to 10000000)");
        return;
    }
    std::string command;
    if (!(in >> command)) {
        Error(number, "command missing");
        return;
    }
    int button = 0;
    float x = -1.0f, y = -1.0f;
    if (command == "down" || command == "up" || command == "key") {
        std::string key;
        if (!(in >> key) || !AtEnd(in)) {
            Error(number, command + " takes one key name");
            return;
        }
        if (!IsInjectableKeyName(key.c_str())) {
            Error(number, "unknown key " + key);
            return;
        }
        if (command != "up")
            Add((int)frame, KEY_DOWN, key, 0, x, y, number);
        if (command != "down")
            Add((int)frame, KEY_UP, key, 0, x, y, number);
    } else if (command == "type") {
        std::string text;
        std::getline(in, text);
        size_t start = text.find_first_not_of(" \t");
        size_t stop = text.find_last_not_of(" \t\r");
        if (start == std::string::npos) {
            Error(number, "type takes a text");
            return;
        }
        text = text.substr(start, stop - start + 1);
        for (size_t i = 0; i < text.size(); i++) {
            if (!isalnum((unsigned char)text[i]) && text[i] != ' ') {
                Error(number, "type takes letters, digits and spaces");
                return;
            }
        }
        Add((int)frame, TEXT, text, 0, x, y, number);
    } else if (command == "move") {
        if (!ReadPoint(in, &x, &y, true) || !AtEnd(in)) {
            Error(number, "move takes x and y in 0..1");
            return;
        }
        Add((int)frame, MOVE, "", 0, x, y, number);
    } else if (command == "press" || command == "release") {
        if (!ReadButton(in, &button) || !ReadPoint(in, &x, &y, false) || !AtEnd(in)) {
            Error(number, command + " takes left or right and an optional x y in 0..1");
            return;
        }
        if (x >= 0.0f)
            Add((int)frame, MOVE, "", 0, x, y, number);
        Add((int)frame, command == "press" ? BUTTON_DOWN : BUTTON_UP, "", button, x, y, number);
    } else if (command == "click") {
        if (!ReadButton(in, &button) || !ReadPoint(in, &x, &y, true) || !AtEnd(in)) {
            Error(number, "click takes left or right and x y in 0..1");
            return;
        }
        Add((int)frame, MOVE, "", 0, x, y, number);
        Add((int)frame, BUTTON_DOWN, "", button, x, y, number);
        Add((int)frame, BUTTON_UP, "", button, x, y, number);
    } else if (command == "drag") {
        float x1 = 0.0f, y1 = 0.0f;
        int steps = 0;
        if (!ReadButton(in, &button) || !ReadPoint(in, &x, &y, true) || !ReadPoint(in, &x1, &y1, true) ||
            !(in >> steps) || steps < 1 || steps > MAX_DRAG_FRAMES || !AtEnd(in)) {
            Error(number, "drag takes left or right, x0 y0 x1 y1 in 0..1 and 1 to 10000 frames");
            return;
        }
        Add((int)frame, MOVE, "", 0, x, y, number);
        Add((int)frame, BUTTON_DOWN, "", button, x, y, number);
        for (int i = 1; i <= steps; i++) {
            float f = (float)i / (float)steps;
            Add((int)frame + i, MOVE, "", 0, x + (x1 - x) * f, y + (y1 - y) * f, number);
        }
        Add((int)frame + steps, BUTTON_UP, "", button, x1, y1, number);
    } else if (command == "snapshot") {
        std::string path;
        if (!(in >> path) || !AtEnd(in)) {
            Error(number, "snapshot takes one file name (no spaces)");
            return;
        }
        Add((int)frame, SNAPSHOT, path, 0, x, y, number);
    } else {
        Error(number, "unknown command " + command);
    }
}

int CInputScript::GetLastFrame() const
{
    return commands.empty() ? 0 : commands.back().frame;
}

static const char* KeyNameOf(char c, char* buffer)
{
    if (c == ' ')
        return "Space";
    buffer[0] = (char)toupper((unsigned char)c);
    buffer[1] = '\0';
    return buffer;
}

bool CInputScript::Deliver(const Command& command, HWND window)
{
    int width = 0, height = 0;
    if (!InjectClientSize(window, &width, &height))
        return false;
    if (command.kind == MOVE || ((command.kind == BUTTON_DOWN || command.kind == BUTTON_UP) && command.x >= 0.0f)) {
        pointerX = command.x;
        pointerY = command.y;
    }
    // Pixel under the fraction; the last column or row for 1.0.
    int px = std::min((int)(pointerX * (float)width), width - 1);
    int py = std::min((int)(pointerY * (float)height), height - 1);

    switch (command.kind) {
    case KEY_DOWN:
        return InjectKey(window, command.text.c_str(), TRUE) != FALSE;
    case KEY_UP:
        return InjectKey(window, command.text.c_str(), FALSE) != FALSE;
    case TEXT: {
        bool ok = true;
        for (size_t i = 0; i < command.text.size(); i++) {
            char name[2];
            const char* key = KeyNameOf(command.text[i], name);
            char typed[2] = { command.text[i], '\0' };
            ok = InjectKey(window, key, TRUE) && ok;
            ok = InjectText(window, typed) && ok;
            ok = InjectKey(window, key, FALSE) && ok;
        }
        return ok;
    }
    case MOVE:
        return InjectMouseMove(window, px, py) != FALSE;
    case BUTTON_DOWN:
    case BUTTON_UP:
        return InjectMouseButton(window, command.button, command.kind == BUTTON_DOWN, px, py) != FALSE;
    case SNAPSHOT:
        return true;   // taken by the frame after drawing
    }
    return false;
}

int CInputScript::Feed(int frame, HWND window)
{
    int failed = 0;
    while (next < commands.size() && commands[next].frame <= frame) {
        const Command& command = commands[next++];
        if (command.frame < frame)
            continue;   // a frame the run has passed already
        if (!Deliver(command, window)) {
            failed++;
            fprintf(stderr, "input script line %d: could not be delivered\n", command.line);
        }
    }
    return failed;
}
