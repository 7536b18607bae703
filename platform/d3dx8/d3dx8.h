// D3DX: math helpers and the cube environment-map renderer on top of Direct3D 8.
#ifndef D3DX8_H
#define D3DX8_H

#include <d3d8.h>

#include "d3dx8core.h"
#include "d3dx8math.h"

#endif
