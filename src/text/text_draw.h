// text_draw.h - a text's laid-out rows as textured triangles in a draw
// list, the same triangles the text's own Render draws. Internal to the
// library.
#ifndef VRENK_TEXT_TEXT_DRAW_H
#define VRENK_TEXT_TEXT_DRAW_H

#include "VrenkTextureText.h"
#include "render/draw_list.h"

namespace VrenkGLWidge {
namespace render {

struct STextEmitter {
  // Appends the text's rows, placed by its layout transform and then moved
  // by (x, y) pixels, in the colour rgba (the glyphs are white).
  static void Emit(CDrawList& list, const CVrenkTextureText& text, const unsigned char* rgba, double x, double y);
  // The texture the rows are drawn from.
  static unsigned int TextureOf(const CVrenkTextureText& text) { return text.m_nTextureName; }
};

}  // namespace render
}  // namespace VrenkGLWidge

#endif  // VRENK_TEXT_TEXT_DRAW_H
