#include "CSubMenuHighScore.h"

#include <stdio.h>
#include <string>
#include <vector>

#include "C3DStaticText.h"
#include "C3DText.h"
#include "C3DTextArea.h"
#include "C3DTextButton.h"
#include "C3DToggleSelection.h"
#include "CD3DApplication.h"
#include "CLevelLoader.h"
#include "CMouse.h"
#include "CScore.h"

namespace {


// Decimal text of any int, however many digits it has.
std::string Decimal(int value)
{
    char text[16];
    snprintf(text, sizeof(text), "%d", value);
    return text;
}

}

CSubMenuHighScore::CSubMenuHighScore(IDirect3DDevice8* device, CMenuRing* ring)
    : CSubMenu(device, ring), textArea(nullptr), pageCount(1), levelCount(0), chooser(nullptr), pageListener(this)
{
    highScore.Load(".//media//highscore.xml");

    {
        CLevelLoader levels;
        levels.Load(".//media//levels.xml");
        levelCount = levels.GetLevelCount();
    }
    pageCount = levelCount / LEVELS_PER_PAGE + 1;

    textArea = new C3DTextArea(device, CRECTVirtual(0.05f, 0.1f, 0.9f, 0.8f), 0.07f, TEXT_BLUE);
    AddWindow(textArea);

    // One entry per page, as many as the level file needs.
    std::vector<std::string> entries;
    for (int i = 0; i < pageCount; i++)
        entries.push_back(Decimal(i + 1) + "/" + Decimal(pageCount));
    std::vector<const char*> entryTexts;
    for (const std::string& entry : entries)
        entryTexts.push_back(entry.c_str());

    chooser = new C3DToggleSelection(device, CRECTVirtual(0.45f, 0.78f, 0.1f, 0.05f), ".//media//next.dds",
                                     ".//media//prev.dds", entryTexts.data(), pageCount, CD3DApplication::LiveMouse(), 0.2f);
    C3DText* label = chooser->labelButton->GetTextRenderer();
    label->effects |= C3DText::EFFECT_SHADDOW;
    label->color = (DWORD)TEXT_BLUE;
    chooser->SetSelection(0);
    ShowPage(0);
    chooser->AddActionListener(&pageListener);
    AddWindow(chooser);

    C3DWindow* header = new C3DWindow(device, CRECTVirtual(0.05f, 0.05f, 0.9f, 0.07f));
    header->SetColor(D3DXCOLOR(0.0f, 0.08f, 0.3f, 1.0f), D3DXCOLOR(0.0f, 0.08f, 0.3f, 1.0f));
    C3DStaticText* caption = new C3DStaticText(device, CRECTVirtual(0.0f, 0.0f, 1.0f, 1.0f),
                                               " Level   Name               Datum       Score", ".//media//arial.dds");
    caption->GetTextRenderer()->color = (DWORD)TEXT_BLUE;
    caption->GetTextRenderer()->effects |= C3DText::EFFECT_SHADDOW;
    header->AddWindow(caption);
    AddWindow(header);
}

CSubMenuHighScore::~CSubMenuHighScore()
{
}

void CSubMenuHighScore::ShowPage(int page)
{
    const D3DXCOLOR areaColor(0.0f, 0.0f, 0.0f, 0.0f);
    textArea->ClearTextArea();
    if (page < 0)
        return;

    int first = page * LEVELS_PER_PAGE + 1;
    int row = 0;
    for (int n = first; n < first + LEVELS_PER_PAGE; n++) {
        if (n > levelCount)
            break;
        CScore* entry = highScore.GetScore(CScore::MODE_PUZZLE, n);
        float y = row * 0.1f + 0.1f;
        textArea->AddText(Decimal(n).c_str(), CPOINTVirtual(0.02f, y), 0.0f, areaColor);
        if (entry) {
            // A long name ends with "..." before the date column.
            textArea->AddTextCut(entry->name.c_str(), CPOINTVirtual(0.19f, y), 0.34f);
            textArea->AddText(entry->date.c_str(), CPOINTVirtual(0.55f, y), 0.0f, areaColor);
            textArea->AddText(Decimal(entry->score).c_str(), CPOINTVirtual(0.87f, y), 0.0f, areaColor);
        } else {
            textArea->AddText("-", CPOINTVirtual(0.25f, y), 0.0f, areaColor);
            textArea->AddText("-", CPOINTVirtual(0.62f, y), 0.0f, areaColor);
            textArea->AddText("-", CPOINTVirtual(0.87f, y), 0.0f, areaColor);
        }
        row++;
    }
}

void CSubMenuHighScore::page_ActionPerformed(CActionEvent event)
{
    C3DToggleSelection* toggle = dynamic_cast<C3DToggleSelection*>(event.GetSource());
    if (!toggle)
        return;
    ShowPage(toggle->selection);
}
