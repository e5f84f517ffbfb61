// draw_list.h - what a widge draws, as coloured and optionally textured
// vertices in overlay pixels, grouped into commands that a backend turns
// into GL. Internal to the library.
#ifndef VRENK_RENDER_DRAW_LIST_H
#define VRENK_RENDER_DRAW_LIST_H

#include <vector>

namespace VrenkGLWidge {
namespace render {

// One vertex: position in overlay pixels, texture coordinate, RGBA colour
// (straight alpha).
struct SVertex {
  float x, y;
  float s, t;
  unsigned char rgba[4];
};

// The primitives the menus draw. A backend for a context with the
// fixed-function pipeline draws each with the GL primitive of its name.
enum EPrimitive : unsigned char {
  PRIM_TRIANGLES,
  PRIM_TRIANGLE_FAN,
  PRIM_QUADS,
  PRIM_LINES,
  PRIM_LINE_STRIP,
  PRIM_LINE_LOOP,
};

// How a line is drawn. A width of 0 keeps the context's own line width and
// smoothing: the host's, in a context that has them.
struct SLineStyle {
  float fWidth;
  bool bSmooth;
};
constexpr SLineStyle kHostLine = {0.0f, false};
// The 2-pixel smooth outline of rims and marked items.
constexpr SLineStyle kWideSmoothLine = {2.0f, true};
// A 2-pixel line that keeps the context's smoothing.
constexpr SLineStyle kWideLine = {2.0f, false};

// A run of vertices drawn as one primitive with one texture (0: none).
struct SCommand {
  EPrimitive ePrimitive;
  SLineStyle line;
  unsigned int nTexture;
  unsigned int nFirst;
  unsigned int nCount;
};

inline bool IsLine(EPrimitive e) { return e == PRIM_LINES || e == PRIM_LINE_STRIP || e == PRIM_LINE_LOOP; }

// Vertices and commands in drawing order. Vertices are given in a local
// frame and placed with the list's transform (a scale, then a translation),
// so the menus can speak in wheel units while the list holds pixels.
// Consecutive commands of the independent primitives (triangles, quads,
// lines) with the same texture and line style are merged into one.
class CDrawList {
 public:
  // Empties the list; the next contents are a new generation.
  void Clear();
  // Subsequent vertices are (x * fScale + fX, y * fScale + fY).
  void SetTransform(float fX, float fY, float fScale) {
    m_fX = fX;
    m_fY = fY;
    m_fScale = fScale;
  }
  void Begin(EPrimitive ePrimitive, unsigned int nTexture = 0, SLineStyle line = kHostLine);
  void Vertex(float x, float y, const unsigned char* rgba) { Vertex(x, y, 0.0f, 0.0f, rgba); }
  void Vertex(float x, float y, float s, float t, const unsigned char* rgba);
  // A vertex already in pixels: the transform is not applied.
  void PixelVertex(double x, double y, float s, float t, const unsigned char* rgba);
  // Ends the primitive begun last; an empty one leaves no command.
  void End();
  // Appends another list's contents.
  void Append(const CDrawList& other);

  const std::vector<SVertex>& Vertices() const { return m_vecVertices; }
  const std::vector<SCommand>& Commands() const { return m_vecCommands; }
  bool IsEmpty() const { return m_vecCommands.empty(); }
  // Changes whenever the contents are rebuilt, so that a backend can tell a
  // replayed list from a new one; unique among all lists.
  unsigned int Generation() const { return m_nGeneration; }

 private:
  // Adds a command, merged into the last one where the primitive allows.
  void Push(const SCommand& command);

  std::vector<SVertex> m_vecVertices;
  std::vector<SCommand> m_vecCommands;
  SCommand m_open = {PRIM_TRIANGLES, kHostLine, 0, 0, 0};
  float m_fX = 0.0f;
  float m_fY = 0.0f;
  float m_fScale = 1.0f;
  unsigned int m_nGeneration = 0;
};

}  // namespace render
}  // namespace VrenkGLWidge

#endif  // VRENK_RENDER_DRAW_LIST_H
