// The double wheel: a mouse move that keeps the hovered item, and one render
// pass of a wheel with 6 inner and 12 outer items, icons and the list panel
// of tooltips, against the same triangles, lines and textured quads drawn
// from vertex arrays in as few calls as possible.
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>
#include <vector>

#include "VrenkGLWidge.h"
#include "bench_context.h"
#include "image/png_files.h"

using namespace VrenkGLWidge;

namespace {

constexpr int kWidth = 480;
constexpr int kHeight = 300;
constexpr int kInner = 6;
constexpr int kOuter = 12;

// Reads the wheel's geometry, colours and panel for the baseline.
class OpenDoubleWheel : public CVrenkDoubleWheelMenu {
 public:
  using CVrenkDoubleWheelMenu::m_colorEdge;
  using CVrenkDoubleWheelMenu::m_colorEdgeEnd;
  using CVrenkDoubleWheelMenu::m_colorInnerItem;
  using CVrenkDoubleWheelMenu::m_colorInnerItemCenter;
  using CVrenkDoubleWheelMenu::m_colorInnerItemLit;
  using CVrenkDoubleWheelMenu::m_colorOuterItem;
  using CVrenkDoubleWheelMenu::m_colorOuterItemLit;
  using CVrenkDoubleWheelMenu::m_colorRimFade;
  using CVrenkDoubleWheelMenu::m_colorRimShadow;
  using CVrenkDoubleWheelMenu::m_dTooltipPanelPosition;
  using CVrenkDoubleWheelMenu::m_dTooltipTextOrigin;
  using CVrenkDoubleWheelMenu::m_fCenter;
  using CVrenkDoubleWheelMenu::m_fRadius;
  using CVrenkDoubleWheelMenu::m_fTooltipPanelSize;
  using CVrenkDoubleWheelMenu::m_pInnerCircleVertices;
  using CVrenkDoubleWheelMenu::m_pInnerItemIndices;
  using CVrenkDoubleWheelMenu::m_pOuterCircleVertices;
  using CVrenkDoubleWheelMenu::m_pOuterItemIndices;
  using CVrenkDoubleWheelMenu::m_pShadingRatio;
  using CVrenkDoubleWheelMenu::m_vecInnerItems;
  using CVrenkDoubleWheelMenu::m_vecItems;
  void Blend(unsigned char* dst, const unsigned char* lit, const unsigned char* shadow, unsigned k) const {
    const float s = m_pShadingRatio[k];
    InterpolateColor4(dst, lit, 1.0f - s, 1.0f - s, shadow, s, s);
  }
};

// A text's texture name, for the baseline's quads.
struct TextPeek : CVrenkTextureText {
  static unsigned Texture(const CVrenkTextureText* t) { return t->*(&TextPeek::m_nTextureName); }
};

struct Scene {
  vrenkbench::BenchContext context{kWidth, kHeight};
  vrenktest::ScratchDir dir;
  CVrenkWidgeManager manager;
  OpenDoubleWheel wheel;
  Scene() {
    manager.Init(context.m_hWnd, kWidth, kHeight, context.m_hRC, 0, 0, kWidth, kHeight);
    wheel.Init(&manager, kInner, kOuter, 100, 320, 150, 45.0f, 0.0f);
    wheel.SetTooltipStyle(1);
    wheel.SetShowTooltip(true);
    for (int i = 0; i < kInner + kOuter; ++i) {
      const std::string path = dir.Path("icon" + std::to_string(i) + ".png");
      vrenktest::WritePng(path, vrenktest::Rgba8Pattern(32, 32));
      const std::string tip = "Item number " + std::to_string(i);
      if (i < kInner) {
        wheel.SetInnerItem(static_cast<unsigned>(i), i, tip, path.c_str(), 0, false, true);
      } else {
        wheel.SetOuterItem(static_cast<unsigned>(i - kInner), i, tip, path.c_str(), 0, false, true);
      }
    }
    glViewport(0, 0, kWidth, kHeight);
  }
  ~Scene() {
    wheel.Release();
    manager.Release();
  }
};

// Two points over outer item 0 (light tracing off): the hit test runs, the
// hovered item stays, nothing is redrawn.
void BM_DoubleWheelMouseMoveSameItem(benchmark::State& state) {
  Scene scene;
  const POINT a{320 + 80, kHeight - (150 + 10)};  // 7 and 11 degrees, 0.8 radii
  const POINT b{320 + 78, kHeight - (150 + 15)};
  scene.manager.OnMouseMove(0, a);
  bool flip = false;
  for (auto _ : state) {
    benchmark::DoNotOptimize(scene.manager.OnMouseMove(0, flip ? a : b));
    flip = !flip;
  }
  if (scene.wheel.GetOuterHoveredIndex() != 0) state.SkipWithError("the hovered item changed");
}
BENCHMARK(BM_DoubleWheelMouseMoveSameItem);

// A stroke on the double wheel opened as a popup: the pointer is captured
// and the moves go far past the rim, where the outer ring is chosen by the
// stroke's direction; the highlighted item stays.
void BM_DoubleWheelCapturedDragMove(benchmark::State& state) {
  Scene scene;
  scene.wheel.SetSelectByDirection(true);
  scene.manager.PopupMenu(&scene.wheel, POINT{320, kHeight - 150});
  const POINT a{320 + 290, kHeight - (150 + 20)};  // 4 and 8 degrees, about 3 radii out
  const POINT b{320 + 280, kHeight - (150 + 40)};
  bool flip = false;
  for (auto _ : state) {
    benchmark::DoNotOptimize(scene.manager.OnMouseMove(0, flip ? a : b));
    flip = !flip;
  }
  if (scene.wheel.GetOuterHoveredIndex() != 0) state.SkipWithError("the highlighted item changed");
  scene.manager.OnLButtonUp(0, a);
}
BENCHMARK(BM_DoubleWheelCapturedDragMove);

void BM_DoubleWheelRenderPass(benchmark::State& state) {
  Scene scene;
  for (auto _ : state) {
    glClear(GL_COLOR_BUFFER_BIT);
    scene.manager.Render();
    glFinish();
  }
}
BENCHMARK(BM_DoubleWheelRenderPass)->Unit(benchmark::kMicrosecond);

// The same picture from prepared arrays.
struct Arrays {
  struct Vertex {
    float x, y;
    unsigned char rgba[4];
  };
  std::vector<Vertex> triangles, lines, innerRim, outerRim, panel;
  std::vector<float> quads;  // x y s t per corner, in pixels from the centre
  std::vector<unsigned> textures;

  explicit Arrays(const OpenDoubleWheel& w) {
    unsigned char color[4];
    const float* in = w.m_pInnerCircleVertices;
    const float* out = w.m_pOuterCircleVertices;
    const float r = w.m_fRadius;
    auto at = [r](const float* rim, unsigned k, float* x, float* y) {
      *x = rim[3 * (k % 128)] * r;
      *y = rim[3 * (k % 128) + 1] * r;
    };
    float x0, y0, x1, y1, x2, y2, x3, y3;
    for (int i = 0; i < kInner; ++i) {
      const unsigned a = w.m_pInnerItemIndices[i], b = w.m_pInnerItemIndices[(i + 1) % kInner];
      for (unsigned k = a; k != b; k = (k + 1) % 128) {
        w.Blend(color, w.m_colorInnerItemLit, w.m_colorInnerItem, k);
        at(in, k, &x0, &y0);
        at(in, k + 1, &x1, &y1);
        triangles.push_back(Make(0, 0, w.m_colorInnerItemCenter));
        triangles.push_back(Make(x0, y0, color));
        triangles.push_back(Make(x1, y1, color));
      }
      const float* s = in + 3 * a;
      lines.push_back(Make(0, 0, w.m_colorEdgeEnd));
      lines.push_back(Make(s[0] * r * 0.5f, s[1] * r * 0.5f, w.m_colorEdge));
      lines.push_back(Make(s[0] * r * 0.5f, s[1] * r * 0.5f, w.m_colorEdge));
      lines.push_back(Make(s[0] * r, s[1] * r, w.m_colorEdgeEnd));
    }
    for (int i = 0; i < kOuter; ++i) {
      const unsigned a = w.m_pOuterItemIndices[i], b = w.m_pOuterItemIndices[(i + 1) % kOuter];
      for (unsigned k = a; k != b; k = (k + 1) % 128) {
        w.Blend(color, w.m_colorOuterItemLit, w.m_colorOuterItem, k);
        at(in, k, &x0, &y0);
        at(out, k, &x1, &y1);
        at(out, k + 1, &x2, &y2);
        at(in, k + 1, &x3, &y3);
        for (const auto& v : {std::make_pair(x0, y0), std::make_pair(x1, y1), std::make_pair(x2, y2),
                              std::make_pair(x2, y2), std::make_pair(x3, y3), std::make_pair(x0, y0)}) {
          triangles.push_back(Make(v.first, v.second, color));
        }
      }
      at(in, a, &x0, &y0);
      at(out, a, &x1, &y1);
      lines.push_back(Make(x0, y0, w.m_colorEdgeEnd));
      lines.push_back(Make((x0 + x1) / 2, (y0 + y1) / 2, w.m_colorEdge));
      lines.push_back(Make((x0 + x1) / 2, (y0 + y1) / 2, w.m_colorEdge));
      lines.push_back(Make(x1, y1, w.m_colorEdgeEnd));
    }
    for (unsigned k = 0; k < 128; ++k) {
      w.Blend(color, w.m_colorRimShadow, w.m_colorRimFade, k);
      at(in, k, &x0, &y0);
      innerRim.push_back(Make(x0, y0, color));
      w.Blend(color, w.m_colorRimFade, w.m_colorRimShadow, k);
      at(out, k, &x0, &y0);
      outerRim.push_back(Make(x0, y0, color));
    }
    // Icons on the rings, then the panel, its rows' icons and texts.
    const float fInnerIcon = 0.58f * 0.667f * r, fOuterIcon = 0.79f * r, hs = 0.116f * r;
    for (int i = 0; i < kInner + kOuter; ++i) {
      const bool inner = i < kInner;
      const int j = inner ? i : i - kInner;
      const float step = CVrenkDoubleWheelMenu::DOUBLE_PI / (inner ? kInner : kOuter);
      const float angle = (inner ? CVrenkDoubleWheelMenu::QUADRANT_PI : 0.0f) + step * (j + 0.5f);
      const float rad = inner ? fInnerIcon : fOuterIcon;
      AddQuad(rad * std::cos(angle) - hs, rad * std::sin(angle) - hs, 2 * hs, 2 * hs);
      textures.push_back((inner ? w.m_vecInnerItems[j] : w.m_vecItems[j]).nTextureName);
    }
    const float px = static_cast<float>(w.m_dTooltipPanelPosition[0]);
    const float py = static_cast<float>(w.m_dTooltipPanelPosition[1]);
    const float W = w.m_fTooltipPanelSize[0], H = w.m_fTooltipPanelSize[1];
    const unsigned char top[4] = {254, 254, 254, 240}, bottom[4] = {200, 200, 200, 240};
    for (const auto& v : {Make(px, py - H, bottom), Make(px + W, py - H, bottom), Make(px + W, py, top),
                          Make(px, py - H, bottom), Make(px + W, py, top), Make(px, py, top)}) {
      panel.push_back(v);
    }
    const float ox = static_cast<float>(w.m_dTooltipTextOrigin[0]);
    float oy = static_cast<float>(w.m_dTooltipTextOrigin[1]);
    const float h = 16.0f;
    for (int i = 0; i < kInner + kOuter; ++i) {
      const CVrenkMenuBase::SMenuItem& item = i < kOuter ? w.m_vecItems[i] : w.m_vecInnerItems[i - kOuter];
      AddQuad(ox, oy - h, h, h);
      textures.push_back(item.nTextureName);
      AddQuad(ox + h + 5, oy - h, item.pTooltip->GetBottomWidth() - 10, h);
      textures.push_back(TextPeek::Texture(item.pTooltip));
      oy -= h;
    }
  }
  void AddQuad(float x, float y, float wd, float ht) {
    const float q[16] = {x, y, 0, 1, x + wd, y, 1, 1, x + wd, y + ht, 1, 0, x, y + ht, 0, 0};
    quads.insert(quads.end(), q, q + 16);
  }
  static Vertex Make(float x, float y, const unsigned char* c) { return Vertex{x, y, {c[0], c[1], c[2], c[3]}}; }
  static void Draw(GLenum mode, const std::vector<Vertex>& v) {
    glVertexPointer(2, GL_FLOAT, sizeof(Vertex), &v[0].x);
    glColorPointer(4, GL_UNSIGNED_BYTE, sizeof(Vertex), v[0].rgba);
    glDrawArrays(mode, 0, static_cast<GLsizei>(v.size()));
  }
};

void BM_DoubleWheelVertexArrayBaseline(benchmark::State& state) {
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
    glPushAttrib(GL_COLOR_BUFFER_BIT | GL_CURRENT_BIT | GL_LINE_BIT | GL_ENABLE_BIT | GL_TEXTURE_BIT);
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    Arrays::Draw(GL_TRIANGLES, arrays.triangles);
    Arrays::Draw(GL_LINES, arrays.lines);
    glLineWidth(2.0f);
    glEnable(GL_LINE_SMOOTH);
    Arrays::Draw(GL_LINE_LOOP, arrays.innerRim);
    Arrays::Draw(GL_LINE_LOOP, arrays.outerRim);
    Arrays::Draw(GL_TRIANGLES, arrays.panel);
    glDisableClientState(GL_COLOR_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnable(GL_TEXTURE_2D);
    glColor4ub(255, 255, 255, 217);
    glVertexPointer(2, GL_FLOAT, 4 * sizeof(float), &arrays.quads[0]);
    glTexCoordPointer(2, GL_FLOAT, 4 * sizeof(float), &arrays.quads[2]);
    for (size_t i = 0; i < arrays.textures.size(); ++i) {
      glBindTexture(GL_TEXTURE_2D, arrays.textures[i]);
      glDrawArrays(GL_QUADS, static_cast<GLint>(4 * i), 4);
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
BENCHMARK(BM_DoubleWheelVertexArrayBaseline)->Unit(benchmark::kMicrosecond);

}  // namespace
