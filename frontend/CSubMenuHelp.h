// CSubMenuHelp: seven pages of help text, with pictures on the first six,
// turned with a "1/7" ... "7/7" chooser below the text.
#ifndef CSUBMENUHELP_H
#define CSUBMENUHELP_H

#include "CSubMenu.h"

class C3DTextArea;
class C3DToggleSelection;

class CSubMenuHelp : public CSubMenu
{
public:
    enum { PAGE_COUNT = 7 };

    class CSubMenuHelp_page_IActionListener : public IActionListener {
    public:
        explicit CSubMenuHelp_page_IActionListener(CSubMenuHelp* owner) : owner(owner) {}
        virtual void actionPerformed(CActionEvent event) { owner->page_ActionPerformed(event); }
    private:
        CSubMenuHelp* owner;
    };

    CSubMenuHelp(IDirect3DDevice8* device, CMenuRing* ring);
    virtual ~CSubMenuHelp();

    // Shows page 0 to 6: its text and its pictures.
    void ShowPage(int page);
    void page_ActionPerformed(CActionEvent event);

    // The page texts, 0 to 6 (null outside).
    static const char* GetPageText(int page);

    C3DTextArea* textArea;          // child window: the page's text, its pictures as sub-windows
    C3DToggleSelection* chooser;    // child window

private:
    CSubMenuHelp_page_IActionListener pageListener;
};

#endif
