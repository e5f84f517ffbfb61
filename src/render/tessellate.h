// tessellate.h - a draw list as plain triangles, for contexts without the
// fixed-function pipeline: fans and quads split, lines widened into quads
// with an antialiasing fringe where they are smooth. Internal to the
// library; exported for the project's benchmarks.
#ifndef VRENK_RENDER_TESSELLATE_H
#define VRENK_RENDER_TESSELLATE_H

#include <vector>

#include "VrenkPlatform.h"
#include "render/draw_list.h"

namespace VrenkGLWidge {
namespace render {

// A run of triangles drawn with one texture (0: none).
struct SBatch {
  unsigned int nTexture;
  unsigned int nFirst;
  unsigned int nCount;
};

// The list's commands as triangles in drawing order, with consecutive runs
// of one texture merged into one batch. Lines that keep the context's own
// width are one pixel wide and hard-edged; smooth lines get a one-pixel
// fringe on each side that fades to transparent, as antialiased lines do.
VRENK_API void Tessellate(const CDrawList& list, std::vector<SVertex>* pTriangles, std::vector<SBatch>* pBatches);

}  // namespace render
}  // namespace VrenkGLWidge

#endif  // VRENK_RENDER_TESSELLATE_H
