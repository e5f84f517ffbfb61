// text_draw.cpp - a text's rows into a draw list.
#include "text/text_draw.h"

namespace VrenkGLWidge {
namespace render {

void STextEmitter::Emit(CDrawList& list, const CVrenkTextureText& text, const unsigned char* rgba, double x,
                        double y) {
  if (text.m_pWordRects == nullptr) return;
  const double* m = text.m_dTransform;
  auto place = [&](const float* corner, float s, float t) {
    const double px = m[0] * corner[0] + m[4] * corner[1] + m[8] * corner[2] + m[12];
    const double py = m[1] * corner[0] + m[5] * corner[1] + m[9] * corner[2] + m[13];
    list.PixelVertex(px + x, py + y, s, t, rgba);
  };
  list.Begin(PRIM_TRIANGLES, text.m_nTextureName);
  for (const CVrenkTextureText::SWordRect* r = text.m_pWordRects; r != text.m_pWordRectsEnd; ++r) {
    place(r->fCorner[CVrenkTextureText::QUAD_BOTTOM_LEFT], r->fTexLeft, r->fTexBottom);
    place(r->fCorner[CVrenkTextureText::QUAD_BOTTOM_RIGHT], r->fTexRight, r->fTexBottom);
    place(r->fCorner[CVrenkTextureText::QUAD_TOP_RIGHT], r->fTexRight, r->fTexTop);
    place(r->fCorner[CVrenkTextureText::QUAD_BOTTOM_LEFT], r->fTexLeft, r->fTexBottom);
    place(r->fCorner[CVrenkTextureText::QUAD_TOP_RIGHT], r->fTexRight, r->fTexTop);
    place(r->fCorner[CVrenkTextureText::QUAD_TOP_LEFT], r->fTexLeft, r->fTexTop);
  }
  list.End();
}

}  // namespace render
}  // namespace VrenkGLWidge
