// OpenGL with the entry points beyond 1.1 declared (Mesa exports them).
#ifndef ZARUL_OPENGL_H
#define ZARUL_OPENGL_H

#ifndef GL_GLEXT_PROTOTYPES
#define GL_GLEXT_PROTOTYPES 1
#endif
#include <GL/gl.h>
#include <GL/glext.h>

#endif
