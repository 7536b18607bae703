// CCreditWnd: the credits screen. Black over the whole screen with the dimmed
// company logo; seven pairs of centred lines scroll up from the bottom edge and
// the window closes itself when the last line has left the top, or at once on
// any key. While open it takes every key and masks the mouse.
#ifndef CCREDITWND_H
#define CCREDITWND_H

#include "C3DWindow.h"
#include "IKeyListener.h"

class C3DText;

class CCreditWnd : public C3DWindow, public IKeyListener
{
public:
    enum { MAX_LINES = 64, TEXT_BUFFER_SIZE = 1024 };

    explicit CCreditWnd(IDirect3DDevice8* device);
    virtual ~CCreditWnd();

    virtual void Render();
    virtual void Move(float seconds);

    virtual void keyPressed(CKeyEvent event);
    virtual void keyReleased(CKeyEvent event);

    // Appends a heading and the line under it below the lines already listed.
    void AddEntry(const char* heading, const char* line);

    struct Line {
        int offset;     // start of the line's text in textBuffer
        float size;     // text size in screen heights
        float x;        // left end, screen fraction
        float y;        // top, screen fraction
    };

    C3DText* textRenderer;          // owned
    float scrollSpeed;              // screen heights per second
    Line lines[MAX_LINES];
    char textBuffer[TEXT_BUFFER_SIZE];
    int lineCount;
    int textLength;

private:
    // Drops the mouse mask and leaves the scene.
    void CloseWindow();
    // Appends one line; false when the table or the buffer is full.
    bool AddLine(const char* text, float size, float y);
};

#endif
