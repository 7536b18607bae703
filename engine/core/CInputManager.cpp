#include "CInputManager.h"

#include <cstring>

// Virtual keys to DirectInput scan codes, for key messages that carry no scan
// code of their own (synthetic messages). Letters follow the key positions.
static DWORD ScanCodeOfVirtualKey(WPARAM vk)
{
    static const unsigned char letters[26] = {
        DIK_A, DIK_B, DIK_C, DIK_D, DIK_E, DIK_F, DIK_G, DIK_H, DIK_I, DIK_J, DIK_K, DIK_L, DIK_M,
        DIK_N, DIK_O, DIK_P, DIK_Q, DIK_R, DIK_S, DIK_T, DIK_U, DIK_V, DIK_W, DIK_X, DIK_Y, DIK_Z
    };
    static const struct { WPARAM vk; DWORD dik; } keys[] = {
        { VK_ESCAPE, DIK_ESCAPE }, { VK_RETURN, DIK_RETURN }, { VK_SPACE, DIK_SPACE },
        { VK_BACK, DIK_BACK }, { VK_TAB, DIK_TAB },
        { VK_LEFT, DIK_LEFT }, { VK_RIGHT, DIK_RIGHT }, { VK_UP, DIK_UP }, { VK_DOWN, DIK_DOWN },
        { VK_HOME, DIK_HOME }, { VK_END, DIK_END }, { VK_DELETE, DIK_DELETE }, { VK_INSERT, DIK_INSERT },
        { VK_PRIOR, DIK_PRIOR }, { VK_NEXT, DIK_NEXT },
        { VK_SHIFT, DIK_LSHIFT }, { VK_LSHIFT, DIK_LSHIFT }, { VK_RSHIFT, DIK_RSHIFT },
        { VK_CONTROL, DIK_LCONTROL }, { VK_LCONTROL, DIK_LCONTROL }, { VK_RCONTROL, DIK_RCONTROL },
        { VK_MENU, DIK_LMENU }, { VK_LMENU, DIK_LMENU }, { VK_RMENU, DIK_RMENU },
        // German layout: ü, ö, ä, ß sit on the US [ ; ' - keys.
        { VK_OEM_1, DIK_LBRACKET }, { VK_OEM_3, DIK_SEMICOLON }, { VK_OEM_7, DIK_APOSTROPHE },
        { VK_OEM_4, DIK_MINUS }, { VK_OEM_MINUS, DIK_SLASH }, { VK_OEM_PERIOD, DIK_PERIOD },
        { VK_OEM_COMMA, DIK_COMMA }, { VK_OEM_PLUS, DIK_RBRACKET },
        { VK_F1, DIK_F1 }, { VK_F2, DIK_F2 }, { VK_F3, DIK_F3 }, { VK_F4, DIK_F4 },
        { VK_F5, DIK_F5 }, { VK_F6, DIK_F6 }, { VK_F7, DIK_F7 }, { VK_F8, DIK_F8 },
        { VK_F9, DIK_F9 }, { VK_F10, DIK_F10 }
    };

    if (vk >= 'A' && vk <= 'Z')
        return letters[vk - 'A'];
    if (vk >= '1' && vk <= '9')
        return DIK_1 + (DWORD)(vk - '1');
    if (vk == '0')
        return DIK_0;
    for (size_t i = 0; i < sizeof(keys) / sizeof(keys[0]); i++) {
        if (keys[i].vk == vk)
            return keys[i].dik;
    }
    return 0;
}

CInputManager::CInputManager()
    : exclusive(nullptr), keyboard(0), pendingValid(0)
{
    memset(keyDown, 0, sizeof(keyDown));
}

int CInputManager::CreateDevice(int devices)
{
    if (devices & DEVICE_KEYBOARD)
        keyboard = 1;
    return 0;
}

void CInputManager::AddKeyListener(IKeyListener* listener)
{
    listeners.Add(listener);
}

void CInputManager::RemoveKeyListener(IKeyListener* listener)
{
    listeners.RemoveAll(listener);
    if (exclusive == listener)
        exclusive = nullptr;
}

void CInputManager::SetExclusivListener(IKeyListener* listener)
{
    exclusive = listener;
}

DWORD CInputManager::ScanCodeFromMessage(WPARAM wParam, LPARAM lParam)
{
    DWORD scan = (DWORD)((lParam >> 16) & 0xFF);
    if (scan == 0)
        return ScanCodeOfVirtualKey(wParam);
    if (lParam & (1 << 24))
        scan |= 0x80;
    return scan;
}

CKeyEvent CInputManager::MakeEvent(DWORD scanCode, int character, int repeat)
{
    DIDEVICEOBJECTDATA data;
    ZeroMemory(&data, sizeof(data));
    data.dwOfs = scanCode;
    data.dwData = 0x80;
    data.dwTimeStamp = GetTickCount();
    return CKeyEvent(nullptr, data, character, repeat);
}

bool CInputManager::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        Flush();
        DWORD scan = ScanCodeFromMessage(wParam, lParam);
        int repeat = keyDown[scan & 0xFF] ? 1 : 0;
        keyDown[scan & 0xFF] = 1;
        // Held back until the next message: a WM_CHAR may follow with the text.
        pending = MakeEvent(scan, 0, repeat);
        pendingValid = 1;
        return true;
    }
    case WM_CHAR:
    case WM_SYSCHAR: {
        int character = (int)(wParam & 0xFF);
        if (pendingValid) {
            pending.character = character;
            Flush();
        } else {
            // Text without a key press of its own (composed characters).
            FireKeyPressed(MakeEvent(0, character, 0));
        }
        return true;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        Flush();
        DWORD scan = ScanCodeFromMessage(wParam, lParam);
        keyDown[scan & 0xFF] = 0;
        CKeyEvent event = MakeEvent(scan, 0, 0);
        event.data.dwData = 0;
        FireKeyReleased(event);
        return true;
    }
    default:
        Flush();
        return false;
    }
}

void CInputManager::Flush()
{
    if (!pendingValid)
        return;
    pendingValid = 0;
    FireKeyPressed(pending);
}

void CInputManager::FireKeyPressed(CKeyEvent event)
{
    Fire(event, &IKeyListener::keyPressed);
}

void CInputManager::FireKeyReleased(CKeyEvent event)
{
    Fire(event, &IKeyListener::keyReleased);
}

void CInputManager::Fire(const CKeyEvent& event, void (IKeyListener::*handler)(CKeyEvent))
{
    if (!keyboard)
        return;
    if (exclusive) {
        (exclusive->*handler)(event);
        return;
    }
    std::vector<IKeyListener*> snapshot = listeners.Snapshot();
    for (size_t i = 0; i < snapshot.size(); i++) {
        // A listener removed by an earlier one (a window that closed) is skipped;
        // once an earlier one has set an exclusive listener, the others get nothing.
        if (exclusive || !listeners.Contains(snapshot[i]))
            continue;
        (snapshot[i]->*handler)(event);
    }
}
