// CStartLevelToggle: the options' start-level chooser. Counts from 1 to a
// maximum and round again with its two arrows; the level number is kept in the
// toggle's selection and shown on its label button.
#ifndef CSTARTLEVELTOGGLE_H
#define CSTARTLEVELTOGGLE_H

#include "C3DToggleSelection.h"

class CMouse;

class CStartLevelToggle : public C3DToggleSelection
{
public:
    CStartLevelToggle(IDirect3DDevice8* device, CRECTVirtual rect, int maximum, CMouse* mouse);
    virtual ~CStartLevelToggle();

    virtual void prev_ActionPerformed(CActionEvent event);
    virtual void next_ActionPerformed(CActionEvent event);

    // Shows the selection as a decimal number on the label button.
    void UpdateText();

    int maximum;    // highest level number offered
};

#endif
