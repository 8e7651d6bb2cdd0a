#pragma once
// The OpenGL interface of the engine: a compatibility-profile context (immediate mode, display
// lists, fixed-function state) with the extension entry points the drawing code calls directly.
#ifndef GL_GLEXT_PROTOTYPES
#define GL_GLEXT_PROTOTYPES 1
#endif
#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>
