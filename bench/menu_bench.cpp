// The wheel menu: a mouse move that keeps the hovered item, and one render
// pass of an 8-item wheel with icons against the same triangles, lines and
// textured quads drawn from vertex arrays in as few calls as possible.
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>
#include <vector>

#include "VrenkGLWidge.h"
#include "bench_context.h"
#include "image/png_files.h"

using namespace VrenkGLWidge;

namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 260;
constexpr int kItems = 8;

// Reads the wheel's geometry and colours for the vertex-array baseline.
class OpenWheel : public CVrenkWheelMenu {
 public:
  using CVrenkWheelMenu::m_colorEdge;
  using CVrenkWheelMenu::m_colorEdgeEnd;
  using CVrenkWheelMenu::m_colorItem;
  using CVrenkWheelMenu::m_colorItemCenter;
  using CVrenkWheelMenu::m_colorItemLit;
  using CVrenkWheelMenu::m_colorRimLit;
  using CVrenkWheelMenu::m_colorRimShadow;
  using CVrenkWheelMenu::m_fCenter;
  using CVrenkWheelMenu::m_fRadius;
  using CVrenkWheelMenu::m_pCircleVertices;
  using CVrenkWheelMenu::m_pItemIndices;
  using CVrenkWheelMenu::m_pShadingRatio;
  void Blend(unsigned char* dst, const unsigned char* lit, const unsigned char* shadow, int k) const {
    const float s = m_pShadingRatio[k];
    InterpolateColor4(dst, lit, 1.0f - s, 1.0f - s, shadow, s, s);
  }
};

struct Scene {
  vrenkbench::BenchContext context{kWidth, kHeight};
  vrenktest::ScratchDir dir;
  CVrenkWidgeManager manager;
  OpenWheel wheel;
  Scene() {
    manager.Init(context.m_hWnd, kWidth, kHeight, context.m_hRC, 0, 0, kWidth, kHeight);
    wheel.Init(&manager, kItems, 100, 270, 130, 45.0f);
    for (int i = 0; i < kItems; ++i) {
      const std::string path = dir.Path("icon" + std::to_string(i) + ".png");
      vrenktest::WritePng(path, vrenktest::Rgba8Pattern(32, 32));
      wheel.SetItem(static_cast<unsigned>(i), i, "", path.c_str(), 0, false, true);
    }
    glViewport(0, 0, kWidth, kHeight);
  }
  ~Scene() {
    wheel.Release();
    manager.Release();
  }
};

// Two points over item 0 (light tracing off): the hit test runs, the
// hovered item stays, nothing is redrawn.
void BM_WheelMouseMoveSameItem(benchmark::State& state) {
  Scene scene;
  const POINT a{270 + 20, kHeight - 200};  // 74 and 63 degrees: item 0
  const POINT b{270 + 30, kHeight - 190};
  scene.manager.OnMouseMove(0, a);
  bool flip = false;
  for (auto _ : state) {
    benchmark::DoNotOptimize(scene.manager.OnMouseMove(0, flip ? a : b));
    flip = !flip;
  }
  if (scene.wheel.GetHoveredIndex() != 0) state.SkipWithError("the hovered item changed");
}
BENCHMARK(BM_WheelMouseMoveSameItem);

// A stroke on a wheel that selects by direction: the pointer is captured,
// and the moves go far outside the wheel (and the window). The first keeps
// the highlighted item (nothing to redraw); the second changes it on every
// move, which marks the wheel dirty and asks for a redraw each time.
void BM_WheelCapturedDragMove(benchmark::State& state) {
  Scene scene;
  scene.wheel.SetSelectByDirection(true);
  const POINT centre{270, kHeight - 130};
  scene.manager.OnMouseMove(0, centre);
  scene.manager.OnLButtonDown(0, centre);
  const bool bChange = state.range(0) != 0;
  // 70 and 80 degrees (item 0), or 70 and 200 degrees (items 0 and 3).
  const POINT a{270 + 103, kHeight - (130 + 282)};
  const POINT b = bChange ? POINT{270 - 282, kHeight - (130 - 103)} : POINT{270 + 52, kHeight - (130 + 295)};
  bool flip = false;
  for (auto _ : state) {
    benchmark::DoNotOptimize(scene.manager.OnMouseMove(0, flip ? a : b));
    flip = !flip;
  }
  if (scene.manager.GetCaptureMenu() != &scene.wheel) state.SkipWithError("the stroke lost the pointer");
  if (!bChange && scene.wheel.GetHoveredIndex() != 0) state.SkipWithError("the highlighted item changed");
  scene.manager.OnLButtonUp(0, a);
}
BENCHMARK(BM_WheelCapturedDragMove)->Arg(0)->Arg(1)->ArgName("changing");

void BM_WheelRenderPass(benchmark::State& state) {
  Scene scene;
  for (auto _ : state) {
    glClear(GL_COLOR_BUFFER_BIT);
    scene.manager.Render();
    glFinish();
  }
}
BENCHMARK(BM_WheelRenderPass)->Unit(benchmark::kMicrosecond);

// The same picture from prepared arrays: the disc's triangles, the rim
// loop, the separators, one quad per icon texture and the panel quads.
struct Arrays {
  struct Vertex {
    float x, y;
    unsigned char rgba[4];
  };
  std::vector<Vertex> triangles, rim, separators, panel;
  std::vector<float> iconQuads;  // x y s t per corner
  std::vector<unsigned> textures;

  explicit Arrays(const OpenWheel& w) {
    unsigned char color[4];
    for (int i = 0; i < kItems; ++i) {
      const unsigned a = w.m_pItemIndices[i];
      const unsigned b = w.m_pItemIndices[(i + 1) % kItems];
      for (unsigned k = a; k != b; k = (k + 1) % 128) {
        w.Blend(color, w.m_colorItemLit, w.m_colorItem, static_cast<int>(k));
        const float* v0 = w.m_pCircleVertices + 3 * k;
        const float* v1 = w.m_pCircleVertices + 3 * ((k + 1) % 128);
        triangles.push_back(Make(0, 0, w.m_colorItemCenter));
        triangles.push_back(Make(v0[0], v0[1], color));
        triangles.push_back(Make(v1[0], v1[1], color));
      }
      const float* s = w.m_pCircleVertices + 3 * a;
      separators.push_back(Make(0, 0, w.m_colorEdgeEnd));
      separators.push_back(Make(s[0] * 0.5f, s[1] * 0.5f, w.m_colorEdge));
      separators.push_back(Make(s[0] * 0.5f, s[1] * 0.5f, w.m_colorEdge));
      separators.push_back(Make(s[0], s[1], w.m_colorEdgeEnd));
      textures.push_back(w.GetItemTextureName(static_cast<unsigned>(i)));
      const float angle = CVrenkWheelMenu::QUADRANT_PI + CVrenkWheelMenu::DOUBLE_PI / kItems * (i + 0.5f);
      const float x = 0.99f * 0.68f * std::cos(angle), y = 0.99f * 0.68f * std::sin(angle), h = 0.1645f;
      const float quad[16] = {x - h, y - h, 0, 1, x + h, y - h, 1, 1, x + h, y + h, 1, 0, x - h, y + h, 0, 0};
      iconQuads.insert(iconQuads.end(), quad, quad + 16);
    }
    for (int k = 0; k < 128; ++k) {
      w.Blend(color, w.m_colorRimLit, w.m_colorRimShadow, k);
      rim.push_back(Make(w.m_pCircleVertices[3 * k], w.m_pCircleVertices[3 * k + 1], color));
    }
    const struct {
      unsigned char c[4];
      float l, r, b, t;
    } quads[4] = {{{100, 100, 255, 160}, -2.48f, -1.02f, -0.78f, -0.42f},
                  {{150, 150, 255, 120}, -2.5f, -1.0f, -0.8f, -0.4f},
                  {{50, 50, 55, 160}, -2.48f, -0.98f, -0.82f, -0.8f},
                  {{50, 50, 55, 160}, -1.0f, -0.98f, -0.8f, -0.42f}};
    for (const auto& q : quads) {
      panel.push_back(Make(q.l, q.b, q.c));
      panel.push_back(Make(q.r, q.b, q.c));
      panel.push_back(Make(q.r, q.t, q.c));
      panel.push_back(Make(q.l, q.t, q.c));
    }
  }
  static Vertex Make(float x, float y, const unsigned char* c) {
    return Vertex{x, y, {c[0], c[1], c[2], c[3]}};
  }
  static void Draw(GLenum mode, const std::vector<Vertex>& v) {
    glVertexPointer(2, GL_FLOAT, sizeof(Vertex), &v[0].x);
    glColorPointer(4, GL_UNSIGNED_BYTE, sizeof(Vertex), v[0].rgba);
    glDrawArrays(mode, 0, static_cast<GLsizei>(v.size()));
  }
};

void BM_VertexArrayBaseline(benchmark::State& state) {
  Scene scene;
  const Arrays arrays(scene.wheel);
  for (auto _ : state) {
    glClear(GL_COLOR_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, kWidth, 0, kHeight, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glTranslatef(scene.wheel.m_fCenter[0], scene.wheel.m_fCenter[1], 0);
    glScalef(scene.wheel.m_fRadius, scene.wheel.m_fRadius, 1);
    glPushAttrib(GL_COLOR_BUFFER_BIT | GL_CURRENT_BIT | GL_LINE_BIT | GL_ENABLE_BIT | GL_TEXTURE_BIT);
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    Arrays::Draw(GL_TRIANGLES, arrays.triangles);
    Arrays::Draw(GL_LINES, arrays.separators);
    glLineWidth(2.0f);
    glEnable(GL_LINE_SMOOTH);
    Arrays::Draw(GL_LINE_LOOP, arrays.rim);
    Arrays::Draw(GL_QUADS, arrays.panel);
    glDisableClientState(GL_COLOR_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnable(GL_TEXTURE_2D);
    glColor4ub(255, 255, 255, 217);
    glVertexPointer(2, GL_FLOAT, 4 * sizeof(float), &arrays.iconQuads[0]);
    glTexCoordPointer(2, GL_FLOAT, 4 * sizeof(float), &arrays.iconQuads[2]);
    for (int i = 0; i < kItems; ++i) {
      glBindTexture(GL_TEXTURE_2D, arrays.textures[i]);
      glDrawArrays(GL_QUADS, 4 * i, 4);
    }
    glPopClientAttrib();
    glPopAttrib();
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glFinish();
  }
}
BENCHMARK(BM_VertexArrayBaseline)->Unit(benchmark::kMicrosecond);

}  // namespace
