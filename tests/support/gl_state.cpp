#include "support/gl_state.h"

#include <GL/glext.h>

#include <sstream>

#include "support/context_kind.h"

namespace vrenktest {

GLStateSnapshot GLStateSnapshot::Capture() {
  GLStateSnapshot s;
  s.error = glGetError();
  while (glGetError() != GL_NO_ERROR) {
  }
  // Core and ES contexts have none of the fixed-function state; asking for
  // it there would itself be a GL error, so those fields keep their zeros.
  s.fixedFunction = QueryCurrentContext().fixedFunction;
  if (s.fixedFunction) {
    glGetIntegerv(GL_MATRIX_MODE, &s.matrixMode);
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &s.modelViewDepth);
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &s.projectionDepth);
    glGetIntegerv(GL_TEXTURE_STACK_DEPTH, &s.textureDepth);
    glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &s.attribDepth);
    glGetIntegerv(GL_CLIENT_ATTRIB_STACK_DEPTH, &s.clientAttribDepth);
    s.texture2D = glIsEnabled(GL_TEXTURE_2D);
    s.lighting = glIsEnabled(GL_LIGHTING);
    glGetIntegerv(GL_BLEND_SRC, &s.blendSrc);
    glGetIntegerv(GL_BLEND_DST, &s.blendDst);
    glGetIntegerv(GL_SHADE_MODEL, &s.shadeModel);
    glGetFloatv(GL_CURRENT_COLOR, s.color);
    glGetFloatv(GL_MODELVIEW_MATRIX, s.modelView);
    glGetFloatv(GL_PROJECTION_MATRIX, s.projection);
  } else {
    // The same blend factors under the names every profile has.
    glGetIntegerv(GL_BLEND_SRC_RGB, &s.blendSrc);
    glGetIntegerv(GL_BLEND_DST_RGB, &s.blendDst);
  }
  s.blend = glIsEnabled(GL_BLEND);
  s.depthTest = glIsEnabled(GL_DEPTH_TEST);
  s.scissorTest = glIsEnabled(GL_SCISSOR_TEST);
  s.cullFace = glIsEnabled(GL_CULL_FACE);
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &s.boundTexture2D);
  glGetIntegerv(GL_VIEWPORT, s.viewport);
  return s;
}

namespace {

template <typename T>
void Compare(std::ostringstream& out, const char* name, const T* a, const T* b, int n) {
  for (int i = 0; i < n; ++i) {
    if (a[i] != b[i]) {
      out << name;
      if (n > 1) out << "[" << i << "]";
      out << ": " << +a[i] << " -> " << +b[i] << "\n";
    }
  }
}

}  // namespace

std::string DiffGLState(const GLStateSnapshot& x, const GLStateSnapshot& y) {
  std::ostringstream out;
#define VRENK_CMP(field) Compare(out, #field, &x.field, &y.field, 1)
#define VRENK_CMPN(field, n) Compare(out, #field, x.field, y.field, n)
  VRENK_CMP(matrixMode);
  VRENK_CMP(modelViewDepth);
  VRENK_CMP(projectionDepth);
  VRENK_CMP(textureDepth);
  VRENK_CMP(attribDepth);
  VRENK_CMP(clientAttribDepth);
  VRENK_CMP(blend);
  VRENK_CMP(texture2D);
  VRENK_CMP(depthTest);
  VRENK_CMP(lighting);
  VRENK_CMP(scissorTest);
  VRENK_CMP(cullFace);
  VRENK_CMP(blendSrc);
  VRENK_CMP(blendDst);
  VRENK_CMP(boundTexture2D);
  VRENK_CMP(shadeModel);
  VRENK_CMPN(color, 4);
  VRENK_CMPN(viewport, 4);
  VRENK_CMPN(modelView, 16);
  VRENK_CMPN(projection, 16);
  if (y.error != GL_NO_ERROR) out << "GL error 0x" << std::hex << y.error << "\n";
#undef VRENK_CMP
#undef VRENK_CMPN
  return out.str();
}

}  // namespace vrenktest
