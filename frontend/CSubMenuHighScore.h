// CSubMenuHighScore: the best "puzzle" results, seven levels to a page: each
// level's number with the player's name, the date and the fewest moves. Both
// files are read from disk each time the submenu is made.
#ifndef CSUBMENUHIGHSCORE_H
#define CSUBMENUHIGHSCORE_H

#include "CSubMenu.h"
#include "CHighScore.h"

class C3DTextArea;
class C3DToggleSelection;

class CSubMenuHighScore : public CSubMenu
{
public:
    enum { LEVELS_PER_PAGE = 7 };

    class CSubMenuHighScore_page_IActionListener : public IActionListener {
    public:
        explicit CSubMenuHighScore_page_IActionListener(CSubMenuHighScore* owner) : owner(owner) {}
        virtual void actionPerformed(CActionEvent event) { owner->page_ActionPerformed(event); }
    private:
        CSubMenuHighScore* owner;
    };

    CSubMenuHighScore(IDirect3DDevice8* device, CMenuRing* ring);
    virtual ~CSubMenuHighScore();

    // Shows the rows of page p (from 0).
    void ShowPage(int page);
    void page_ActionPerformed(CActionEvent event);

    C3DTextArea* textArea;          // child window: the rows of the current page
    CHighScore highScore;           // the results read from the high-score file
    int pageCount;                  // levelCount / 7 + 1
    int levelCount;                 // levels in the level file
    C3DToggleSelection* chooser;    // child window

private:
    CSubMenuHighScore_page_IActionListener pageListener;
};

#endif
