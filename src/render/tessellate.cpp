// tessellate.cpp - turning a draw list's primitives into triangles.
#include "render/tessellate.h"

#include <cmath>

namespace VrenkGLWidge {
namespace render {
namespace {

class CTriangles {
 public:
  CTriangles(std::vector<SVertex>* pOut, std::vector<SBatch>* pBatches) : m_pOut(pOut), m_pBatches(pBatches) {}

  // Starts the triangles of one command.
  void Texture(unsigned int nTexture) {
    // A batch that got no triangles takes the new texture, or goes when the
    // batch before it has that texture already.
    if (!m_pBatches->empty() && m_pBatches->back().nCount == 0) m_pBatches->pop_back();
    if (m_pBatches->empty() || m_pBatches->back().nTexture != nTexture) {
      m_pBatches->push_back({nTexture, static_cast<unsigned int>(m_pOut->size()), 0});
    }
  }
  void Triangle(const SVertex& a, const SVertex& b, const SVertex& c) {
    m_pOut->push_back(a);
    m_pOut->push_back(b);
    m_pOut->push_back(c);
    m_pBatches->back().nCount += 3;
  }
  // A quad a b c d (in order around it) as two triangles.
  void Quad(const SVertex& a, const SVertex& b, const SVertex& c, const SVertex& d) {
    Triangle(a, b, c);
    Triangle(a, c, d);
  }

  // One line segment of the given width; with a fringe, the solid core is
  // one pixel narrower and a pixel-wide band on each side fades out.
  void Segment(const SVertex& p0, const SVertex& p1, float fWidth, bool bSmooth) {
    const float dx = p1.x - p0.x;
    const float dy = p1.y - p0.y;
    const float fLength = std::sqrt(dx * dx + dy * dy);
    if (!(fLength > 0.0f)) return;  // also NaN
    const float nx = -dy / fLength;
    const float ny = dx / fLength;
    const float fCore = bSmooth ? (fWidth > 1.0f ? (fWidth - 1.0f) / 2.0f : 0.0f) : fWidth / 2.0f;
    auto offset = [nx, ny](const SVertex& v, float d, bool bClear) {
      SVertex out = v;
      out.x += nx * d;
      out.y += ny * d;
      if (bClear) out.rgba[3] = 0;
      return out;
    };
    if (fCore > 0.0f) {
      Quad(offset(p0, -fCore, false), offset(p1, -fCore, false), offset(p1, fCore, false),
           offset(p0, fCore, false));
    }
    if (!bSmooth) return;
    const float fOuter = fCore + 1.0f;
    Quad(offset(p0, fCore, false), offset(p1, fCore, false), offset(p1, fOuter, true), offset(p0, fOuter, true));
    Quad(offset(p0, -fOuter, true), offset(p1, -fOuter, true), offset(p1, -fCore, false),
         offset(p0, -fCore, false));
  }

 private:
  std::vector<SVertex>* m_pOut;
  std::vector<SBatch>* m_pBatches;
};

}  // namespace

void Tessellate(const CDrawList& list, std::vector<SVertex>* pTriangles, std::vector<SBatch>* pBatches) {
  pTriangles->clear();
  pBatches->clear();
  CTriangles out(pTriangles, pBatches);
  const SVertex* v = list.Vertices().data();
  for (const SCommand& command : list.Commands()) {
    const SVertex* p = v + command.nFirst;
    const unsigned int n = command.nCount;
    out.Texture(command.nTexture);
    switch (command.ePrimitive) {
      case PRIM_TRIANGLES:
        for (unsigned int i = 0; i + 2 < n; i += 3) out.Triangle(p[i], p[i + 1], p[i + 2]);
        break;
      case PRIM_TRIANGLE_FAN:
        for (unsigned int i = 1; i + 1 < n; ++i) out.Triangle(p[0], p[i], p[i + 1]);
        break;
      case PRIM_QUADS:
        for (unsigned int i = 0; i + 3 < n; i += 4) out.Quad(p[i], p[i + 1], p[i + 2], p[i + 3]);
        break;
      case PRIM_LINES:
      case PRIM_LINE_STRIP:
      case PRIM_LINE_LOOP: {
        // A line that keeps the context's width is a hard one-pixel line.
        const bool bHost = command.line.fWidth <= 0.0f;
        const float fWidth = bHost ? 1.0f : command.line.fWidth;
        const bool bSmooth = !bHost && command.line.bSmooth;
        const unsigned int nStep = command.ePrimitive == PRIM_LINES ? 2 : 1;
        for (unsigned int i = 0; i + 1 < n; i += nStep) out.Segment(p[i], p[i + 1], fWidth, bSmooth);
        if (command.ePrimitive == PRIM_LINE_LOOP && n > 2) out.Segment(p[n - 1], p[0], fWidth, bSmooth);
        break;
      }
    }
  }
  // A last command that gave no triangles leaves no empty batch behind.
  if (!pBatches->empty() && pBatches->back().nCount == 0) pBatches->pop_back();
}

}  // namespace render
}  // namespace VrenkGLWidge
