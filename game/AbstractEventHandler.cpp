#include "AbstractEventHandler.h"
