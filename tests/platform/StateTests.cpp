#include "RenderFixture.h"
