// draw_list.cpp - building the list: vertices placed by the list's
// transform, commands merged where the primitive allows it.
#include "render/draw_list.h"

namespace VrenkGLWidge {
namespace render {
namespace {

// Primitives whose vertices stand alone in groups, so two runs of them can
// be drawn as one.
bool IsIndependent(EPrimitive e) { return e == PRIM_TRIANGLES || e == PRIM_QUADS || e == PRIM_LINES; }

bool SameStyle(const SCommand& a, const SCommand& b) {
  return a.ePrimitive == b.ePrimitive && a.nTexture == b.nTexture && a.line.fWidth == b.line.fWidth &&
         a.line.bSmooth == b.line.bSmooth;
}

}  // namespace

void CDrawList::Clear() {
  // Generations are unique across all lists (the library runs on one
  // thread), so a backend that caches by list and generation never takes a
  // new list at a freed one's address for the old.
  static unsigned int s_nLastGeneration = 0;
  m_vecVertices.clear();
  m_vecCommands.clear();
  m_fX = 0.0f;
  m_fY = 0.0f;
  m_fScale = 1.0f;
  m_nGeneration = ++s_nLastGeneration;
}

void CDrawList::Begin(EPrimitive ePrimitive, unsigned int nTexture, SLineStyle line) {
  m_open.ePrimitive = ePrimitive;
  m_open.line = IsLine(ePrimitive) ? line : kHostLine;
  m_open.nTexture = nTexture;
  m_open.nFirst = static_cast<unsigned int>(m_vecVertices.size());
  m_open.nCount = 0;
}

void CDrawList::Vertex(float x, float y, float s, float t, const unsigned char* rgba) {
  SVertex v;
  v.x = x * m_fScale + m_fX;
  v.y = y * m_fScale + m_fY;
  v.s = s;
  v.t = t;
  for (int c = 0; c < 4; ++c) v.rgba[c] = rgba[c];
  m_vecVertices.push_back(v);
}

void CDrawList::PixelVertex(double x, double y, float s, float t, const unsigned char* rgba) {
  SVertex v;
  v.x = static_cast<float>(x);
  v.y = static_cast<float>(y);
  v.s = s;
  v.t = t;
  for (int c = 0; c < 4; ++c) v.rgba[c] = rgba[c];
  m_vecVertices.push_back(v);
}

void CDrawList::End() {
  m_open.nCount = static_cast<unsigned int>(m_vecVertices.size()) - m_open.nFirst;
  Push(m_open);
}

void CDrawList::Append(const CDrawList& other) {
  const unsigned int nBase = static_cast<unsigned int>(m_vecVertices.size());
  m_vecVertices.insert(m_vecVertices.end(), other.m_vecVertices.begin(), other.m_vecVertices.end());
  for (SCommand command : other.m_vecCommands) {
    command.nFirst += nBase;
    Push(command);
  }
}

void CDrawList::Push(const SCommand& command) {
  if (command.nCount == 0) return;
  if (!m_vecCommands.empty() && IsIndependent(command.ePrimitive)) {
    SCommand& last = m_vecCommands.back();
    if (SameStyle(last, command) && last.nFirst + last.nCount == command.nFirst) {
      last.nCount += command.nCount;
      return;
    }
  }
  m_vecCommands.push_back(command);
}

}  // namespace render
}  // namespace VrenkGLWidge
