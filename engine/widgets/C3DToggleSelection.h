#ifndef C3DTOGGLESELECTION_H
#define C3DTOGGLESELECTION_H

#include <string>
#include <vector>

#include "C3DAbstractButton.h"
#include "C3DAlphaButton.h"
#include "C3DTextButton.h"

class CMouse;

// Chooses one of a list of texts: a prev arrow at the left, the chosen text on
// a label button in the middle, a next arrow at the right. The arrows step
// through the entries, wrapping round at both ends, show the new entry and
// fire the action (ACTION_DEFAULT, the toggle as source).
class C3DToggleSelection : public C3DAbstractButton {
public:
    // The entries are copied (null with count 0 makes a toggle without
    // entries). The arrows take the pointer through 'mouse'; without a mouse
    // they do not. arrowWidth is each arrow's width as a fraction of the
    // toggle's width.
    C3DToggleSelection(IDirect3DDevice8* device, CRECTVirtual rect, const char* nextTexture,
                       const char* prevTexture, const char* const* entries, int count, CMouse* mouse,
                       float arrowWidth);
    virtual ~C3DToggleSelection();

    // Called when an arrow is pressed.
    virtual void prev_ActionPerformed(CActionEvent event);
    virtual void next_ActionPerformed(CActionEvent event);

    // Shows entry 'index'; an index outside the entries changes nothing.
    void SetSelection(int index);
    int GetEntryCount() const { return (int)entries.size(); }
    const char* GetEntry(int index) const { return entries[index].c_str(); }

    // The index of the chosen entry; subclasses may keep their own number here.
    int selection;
    // The text button between the arrows.
    C3DTextButton* labelButton;

private:
    // Forwards an arrow's action to the toggle.
    class CArrowListener : public IActionListener {
    public:
        CArrowListener(C3DToggleSelection* toggle, int next) : toggle(toggle), next(next) {}
        virtual void actionPerformed(CActionEvent event);
    private:
        C3DToggleSelection* toggle;
        int next;
    };

    void Step(int delta);

    std::vector<std::string> entries;
    C3DAlphaButton* prevButton;
    C3DAlphaButton* nextButton;
    CArrowListener prevListener;
    CArrowListener nextListener;
};

#endif
