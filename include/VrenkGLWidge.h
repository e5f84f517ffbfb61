// VrenkGLWidge.h - the umbrella header: hosts include this one.
//
// Pie menus ("widges") drawn as an overlay inside a host's OpenGL view.
#ifndef VRENK_GLWIDGE_H
#define VRENK_GLWIDGE_H

#include "VrenkPlatform.h"
#include "VrenkResult.h"

#include "VrenkImageBase.h"
#include "VrenkImagePNG.h"
#include "VrenkImagePool.h"
#include "VrenkImageSlot.h"
#include "VrenkTextureFontManager.h"
#include "VrenkTextureText.h"
#include "VrenkWidge.h"
#include "VrenkWidgeBoundTest.h"
#include "VrenkTimeSource.h"
#include "VrenkWidgeManager.h"
#include "VrenkMenuItemCallback.h"
#include "VrenkMenuItemHighlightCallback.h"
#include "VrenkMenuBase.h"
#include "VrenkWheelMenu.h"
#include "VrenkDoubleWheelMenu.h"

#endif  // VRENK_GLWIDGE_H
