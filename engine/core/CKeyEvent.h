#ifndef CKEYEVENT_H
#define CKEYEVENT_H

#include <windows.h>
#include <dinput.h>

class C3DObject;

// A key event. The key is a DirectInput scan code (DIK_*) in data.dwOfs. For a
// key press that typed text, character holds the Latin-1 character (0 otherwise);
// repeat is 1 when the key was already down (auto-repeat).
class CKeyEvent {
public:
    CKeyEvent() : source(nullptr), character(0), repeat(0) { ZeroMemory(&data, sizeof(data)); }
    CKeyEvent(C3DObject* src, DIDEVICEOBJECTDATA keyData, int typedChar, int isRepeat)
        : source(src), data(keyData), character(typedChar), repeat(isRepeat) {}

    DWORD GetKeyCode() const { return data.dwOfs; }
    int GetCharacter() const { return character; }
    C3DObject* GetSource() const { return source; }

    C3DObject* source;
    DIDEVICEOBJECTDATA data;
    int character;
    int repeat;
};

#endif
