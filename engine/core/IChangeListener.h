#ifndef ICHANGELISTENER_H
#define ICHANGELISTENER_H

#include "CChangeEvent.h"

class IChangeListener {
public:
    virtual void stateChanged(CChangeEvent event) = 0;
    virtual ~IChangeListener() {}
};

#endif
