#ifndef C3DTEXTBOX_H
#define C3DTEXTBOX_H

#include <string>

#include "C3DWindow.h"
#include "C3DText.h"
#include "IKeyListener.h"

// A one-line text entry. Selected, it takes the keyboard focus and the keys
// from the input manager: characters are typed in (umlauts included; the
// text is kept as UTF-8), Backspace removes the last one. Return, or losing
// the focus, ends the entry: the box becomes STATE_INACTIVE and stops taking
// keys. Each change between entering and finished sends a CChangeEvent of
// kind STATE_CHANGED to the box's change-event listeners.
class C3DTextBox : public C3DWindow {
public:
    // At most this many characters are taken.
    enum { MAX_CHARACTERS = 31 };

    C3DTextBox(IDirect3DDevice8* device, CRECTVirtual rect);
    virtual ~C3DTextBox();

    virtual void Render();
    virtual void Move(float seconds);
    virtual void GetFocus();
    virtual void LoseFocus();

    // A left click on the box starts entering; one elsewhere ends it.
    virtual void MouseClicked(CMouseEvent event);

    // 1 starts entering at once, 0 ends it.
    void setSelected(int on);
    int IsSelected() const { return state == STATE_ACTIVE; }
    const char* GetText() const { return text.c_str(); }
    void SetText(const char* newText);
    C3DText* GetTextRenderer() { return renderer; }

    // Key side: typing while entering.
    void KeyPressed(const CKeyEvent& event);
    void KeyReleased(const CKeyEvent& event);

private:
    class CKeySide : public IKeyListener {
    public:
        explicit CKeySide(C3DTextBox* box) : box(box) {}
        virtual void keyPressed(CKeyEvent event) { box->KeyPressed(event); }
        virtual void keyReleased(CKeyEvent event) { box->KeyReleased(event); }
    private:
        C3DTextBox* box;
    };

    void Begin();
    void Finish();

    std::string text;
    C3DText* renderer;
    CKeySide keySide;
    int shiftDown;
    float caretTime;
};

#endif
