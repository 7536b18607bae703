#ifndef IACTIONLISTENER_H
#define IACTIONLISTENER_H

#include "CActionEvent.h"

class IActionListener {
public:
    virtual void actionPerformed(CActionEvent event) = 0;
    virtual ~IActionListener() {}
};

#endif
