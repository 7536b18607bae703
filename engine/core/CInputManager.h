#ifndef CINPUTMANAGER_H
#define CINPUTMANAGER_H

#include <windows.h>
#include "IKeyListener.h"
#include "CListenerList.h"

// Turns the window's key messages into key events with DirectInput scan codes and
// hands them to the key listeners in order (or only to the exclusive listener while
// one is set). A key press waits for the WM_CHAR that may follow it, so that the
// event carries the typed character too.
class CInputManager {
public:
    enum {
        DEVICE_KEYBOARD = 0x01   // bit of CreateDevice: deliver key events
    };

    CInputManager();

    // Opens the input devices named by the bits; key events flow once the
    // keyboard bit is given. Returns 0.
    int CreateDevice(int devices);

    void AddKeyListener(IKeyListener* listener);
    void RemoveKeyListener(IKeyListener* listener);
    void SetExclusivListener(IKeyListener* listener);
    IKeyListener* GetExclusivListener() const { return exclusive; }

    // Window messages: WM_KEYDOWN, WM_KEYUP, WM_CHAR (and the WM_SYS forms).
    // Returns true when the message was a key message.
    bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    // Sends a key press that is still waiting for its character.
    void Flush();

    // DirectInput scan code of a key message: from lParam when it carries one,
    // else from the virtual key.
    static DWORD ScanCodeFromMessage(WPARAM wParam, LPARAM lParam);

    void FireKeyPressed(CKeyEvent event);
    void FireKeyReleased(CKeyEvent event);

private:
    CKeyEvent MakeEvent(DWORD scanCode, int character, int repeat);
    void Fire(const CKeyEvent& event, void (IKeyListener::*handler)(CKeyEvent));

    CListenerList<IKeyListener> listeners;
    IKeyListener* exclusive;
    int keyboard;
    int pendingValid;
    CKeyEvent pending;
    unsigned char keyDown[256];
};

#endif
