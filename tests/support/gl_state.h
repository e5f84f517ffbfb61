// gl_state.h - the GL state a widget must leave as it found it.
#ifndef VRENK_TESTS_GL_STATE_H
#define VRENK_TESTS_GL_STATE_H

#include <string>

#include "VrenkPlatform.h"

namespace vrenktest {

struct GLStateSnapshot {
  GLint matrixMode = 0;
  GLint modelViewDepth = 0;
  GLint projectionDepth = 0;
  GLint textureDepth = 0;
  GLint attribDepth = 0;
  GLint clientAttribDepth = 0;
  GLboolean blend = 0;
  GLboolean texture2D = 0;
  GLboolean depthTest = 0;
  GLboolean lighting = 0;
  GLboolean scissorTest = 0;
  GLboolean cullFace = 0;
  GLint blendSrc = 0;
  GLint blendDst = 0;
  GLint boundTexture2D = 0;
  GLint shadeModel = 0;
  GLfloat color[4] = {0, 0, 0, 0};
  GLint viewport[4] = {0, 0, 0, 0};
  GLfloat modelView[16] = {};
  GLfloat projection[16] = {};
  GLenum error = 0;
  // Whether the context has the fixed-function state; without it, the
  // fixed-function fields above are not read and stay zero.
  bool fixedFunction = false;

  // Reads the current context's state (and clears its error flag). Raises
  // no GL error in any kind of context.
  static GLStateSnapshot Capture();
};

// The differences between two snapshots, one per line; empty when equal.
std::string DiffGLState(const GLStateSnapshot& before, const GLStateSnapshot& after);

}  // namespace vrenktest

#endif  // VRENK_TESTS_GL_STATE_H
