#include "CSubMenuHelp.h"

#include "C3DIcon.h"
#include "C3DText.h"
#include "C3DTextArea.h"
#include "C3DTextButton.h"
#include "C3DToggleSelection.h"
#include "CD3DApplication.h"
#include "CMouse.h"

namespace {

const char* const kPageTexts[CSubMenuHelp::PAGE_COUNT] = {
    "Einleitung\n \nZarul ist ein klassisches Puzzle Spiel und die\n"
    "Nähe zu anderen bekannten Denkspielen ist nicht\n"
    "zu leugnen. Zum Lösen der Levels ist jede Menge\nLogik gefragt und manchmal kann es ganz\nschön knifflig werden.",

    "Spielprinzip\n \nZarul besteht auf einem quadratischen Spielfeld. Auf\n"
    "dem Spielfeld befinden sich unterschiedliche Spielstein.\nSpielsteine können gesetzt oder verschoben werden.\n"
    "Es gibt einfache Steine, Zielsteine und Zielfelder\nsowie Spezialsteine. Ziel von Zarul ist es, alle vier\n"
    "Zielsteine auf die Zielfelder zu schieben.",

    "Ziehen\n \nFreie Steine können auf dem Spielfeld verschoben\nwerden. Ein Stein kann nur auf einer Ebene ver-\n"
    "schoben werden. Steine welche von anderen Steine\nverdeckt oder eingeschlossen sind können nicht\nverschoben werden.",

    "Setzen\n \nIn einigen Levels ist es möglich zusätzliche Steine\nauf dem Spielfeld zu plazieren. Die Anzahl und Farbe\n"
    "der zu setzenden Steine wird im unteren Fenster-\nbereich angezeigt. Steine können auf beliebige\n"
    "Felder oder andere Steine gesetzt werden.\nEs müssen nicht alle Steine gesetzt werden.",

    "Combos\n \nBerühren sich  mindestens 4 Steiner gleicher\nFarbe (ausgenommen der Zielsteine) so ist dies\n"
    "eine Combo und die Steine werden vom Spielfeld\nentfernt. Alle darrüberliegenden Steine\nrutschen nach.",

    "Spezialsteine\n \nSpezialsteine können nicht verschoben werden.\nLiegen sie auf einem Spielstein der Teil einer\n"
    "Combo ist und entfernt wird, rutschen sie wie\nalle anderen Steine nach. Hier ist Vorsicht\n"
    "geboten, da Spezialsteine unter Umständen\nden Lösungsweg blockieren.",

    "Steuerung\n \nCursor................................Maus\nPerspektive.......................Maus + rechte Maustaste\n"
    "Modus setzen/ziehen........Space oder Button Mode\nStein setzen/ziehen..........Linke Maustaste\n"
    "Beenden............................Esc oder Button exit\nLevel zurücksetzen...........Button Reset\n \n \n Viel Spass :-)",
};

struct HelpPicture {
    int page;
    const char* texture;
    CRECTVirtual rect;
};

const HelpPicture kPictures[] = {
    { 0, ".//media//help_all.dds", CRECTVirtual(0.05f, 0.55f, 0.3f, 0.3f) },
    { 1, ".//media//help_play_stone.dds", CRECTVirtual(0.05f, 0.6f, 0.2f, 0.2f) },
    { 1, ".//media//help_spezial.dds", CRECTVirtual(0.4f, 0.6f, 0.2f, 0.2f) },
    { 2, ".//media//help_ziehen1.dds", CRECTVirtual(0.05f, 0.6f, 0.2f, 0.2f) },
    { 2, ".//media//help_ziehen2.dds", CRECTVirtual(0.4f, 0.6f, 0.2f, 0.2f) },
    { 3, ".//media//help_setzen.dds", CRECTVirtual(0.05f, 0.6f, 0.2f, 0.2f) },
    { 4, ".//media//help_combo1.dds", CRECTVirtual(0.05f, 0.6f, 0.2f, 0.2f) },
    { 4, ".//media//help_combo2.dds", CRECTVirtual(0.4f, 0.6f, 0.2f, 0.2f) },
    { 5, ".//media//help_stone_spezial.dds", CRECTVirtual(0.05f, 0.6f, 0.2f, 0.2f) },
};


const char* const kChooserEntries[CSubMenuHelp::PAGE_COUNT] = { "1/7", "2/7", "3/7", "4/7", "5/7", "6/7", "7/7" };

}

CSubMenuHelp::CSubMenuHelp(IDirect3DDevice8* device, CMenuRing* ring)
    : CSubMenu(device, ring), textArea(nullptr), chooser(nullptr), pageListener(this)
{
    textArea = new C3DTextArea(device, CRECTVirtual(0.05f, 0.1f, 0.8f, 0.8f), 0.07f, TEXT_BLUE);
    AddWindow(textArea);

    ShowPage(0);

    chooser = new C3DToggleSelection(device, CRECTVirtual(0.45f, 0.78f, 0.1f, 0.05f), ".//media//next.dds",
                                     ".//media//prev.dds", kChooserEntries, PAGE_COUNT,
                                     CD3DApplication::LiveMouse(), 0.2f);
    C3DText* label = chooser->labelButton->GetTextRenderer();
    label->effects |= C3DText::EFFECT_SHADDOW;
    label->color = (DWORD)TEXT_BLUE;
    chooser->SetSelection(0);
    chooser->AddActionListener(&pageListener);
    AddWindow(chooser);
}

CSubMenuHelp::~CSubMenuHelp()
{
}

const char* CSubMenuHelp::GetPageText(int page)
{
    if (page < 0 || page >= PAGE_COUNT)
        return nullptr;
    return kPageTexts[page];
}

void CSubMenuHelp::ShowPage(int page)
{
    const char* text = GetPageText(page);
    if (!text)
        return;
    textArea->ClearTextArea();
    textArea->AddText(text, CPOINTVirtual(0.0f, 0.0f), 0.0f, D3DXCOLOR(0.0f, 0.0f, 0.0f, 0.0f));
    textArea->DeleteAllSubWindows();
    for (const HelpPicture& picture : kPictures) {
        if (picture.page == page)
            textArea->AddWindow(new C3DIcon(device, picture.rect, picture.texture));
    }
}

void CSubMenuHelp::page_ActionPerformed(CActionEvent event)
{
    C3DToggleSelection* toggle = dynamic_cast<C3DToggleSelection*>(event.GetSource());
    if (!toggle)
        return;
    ShowPage(toggle->selection);
}
