// VrenkGLWidge.h - the umbrella header: hosts include this one.
//
// Pie menus ("widges") drawn as an overlay inside a host's OpenGL view.
#ifndef VRENK_GLWIDGE_H
#define VRENK_GLWIDGE_H

#include "VrenkPlatform.h"

#endif  // VRENK_GLWIDGE_H
