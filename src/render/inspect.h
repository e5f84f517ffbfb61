// inspect.h - for the project's tests and benchmarks: the draw list a
// library menu recorded at its last render pass. Exported from the library
// but not part of its interface.
#ifndef VRENK_RENDER_INSPECT_H
#define VRENK_RENDER_INSPECT_H

#include "VrenkPlatform.h"
#include "render/draw_list.h"

namespace VrenkGLWidge {

class CVrenkWidge;

namespace render {

// The list the wheel or double wheel recorded; null for any other widge
// and before the first pass.
VRENK_API const CDrawList* RecordedDrawList(const CVrenkWidge* pWidge);

}  // namespace render
}  // namespace VrenkGLWidge

#endif  // VRENK_RENDER_INSPECT_H
