// menu_fixture.h - a wheel menu with its insides in reach, a recording
// callback, and a manager over a real context.
#ifndef VRENK_TESTS_MENU_FIXTURE_H
#define VRENK_TESTS_MENU_FIXTURE_H

#include <cmath>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "VrenkGLWidge.h"
#include "support/gl_fixture.h"

namespace vrenktest {

class ProbeWheel : public VrenkGLWidge::CVrenkWheelMenu {
 public:
  using CVrenkWheelMenu::HitTest;
  using CVrenkWheelMenu::IsDirty;
  using CVrenkWheelMenu::m_colorEdgeEnd;
  using CVrenkWheelMenu::m_colorHighlight;
  using CVrenkWheelMenu::m_colorHighlightLit;
  using CVrenkWheelMenu::m_colorItem;
  using CVrenkWheelMenu::m_colorItemCenter;
  using CVrenkWheelMenu::m_colorItemLit;
  using CVrenkWheelMenu::m_colorToggled;
  using CVrenkWheelMenu::m_colorToggledLit;
  using CVrenkWheelMenu::m_fCenter;
  using CVrenkWheelMenu::m_fRelativeCenter;
  using CVrenkWheelMenu::m_nLightVertex;
  using CVrenkWheelMenu::m_pAuxIndices;
  using CVrenkWheelMenu::m_pCircleVertices;
  using CVrenkWheelMenu::m_pItemIndices;
  using CVrenkWheelMenu::m_pShadingRatio;
  using CVrenkWheelMenu::ScaleColor;
  using CVrenkWheelMenu::UpdateHoveredIndex;
  std::vector<unsigned> Starts() const {
    if (m_pItemIndices == nullptr) return {};
    return std::vector<unsigned>(m_pItemIndices, m_pItemIndices + GetItemSize());
  }
  std::pair<int, int> Center() const {
    int x, y;
    GetCenter(x, y);
    return {x, y};
  }
};

struct RecordingCallback : VrenkFunctional::IVrenkMenuItemCallbackBase {
  bool Execute(int nItemID, bool bToggled) override {
    calls.emplace_back(nItemID, bToggled);
    return result;
  }
  std::vector<std::pair<int, bool>> calls;
  bool result = true;
};

// Reads the reference counts of the manager's pool and font manager through
// pointers to their protected members.
class TestManager : public VrenkGLWidge::CVrenkWidgeManager {
  struct PoolPeek : VrenkGLWidge::CVrenkImagePool {
    static const std::map<ImageKey, SImageSlot>& Of(const CVrenkImagePool* p) {
      return p->*(&PoolPeek::m_mapImageSlots);
    }
  };
  struct FontPeek : VrenkGLWidge::CVrenkTextureFontManager {
    static const std::map<std::string, STextSlot>& Of(const CVrenkTextureFontManager* f) {
      return f->*(&FontPeek::m_mapTexts);
    }
  };

 public:
  int ImageRefs(const VrenkGLWidge::CVrenkImageBase* image) const {
    for (const auto& entry : PoolPeek::Of(m_pImagePool))
      if (entry.second.pImage == image) return static_cast<int>(entry.second.nRefCount);
    return -1;
  }
  int TextRefs(const std::string& text) const {
    const auto& texts = FontPeek::Of(m_pFontManager);
    auto it = texts.find(text);
    return it == texts.end() ? -1 : static_cast<int>(it->second.nRefCount);
  }
};

// A manager over the whole 400 x 260 offscreen window: overlay and window
// pixels coincide.
class MenuTest : public GLTest {
 protected:
  MenuTest() : GLTest(400, 260) {}
  void SetUp() override {
    GLTest::SetUp();
    ASSERT_EQ(m_manager.Init(m_hWnd, m_nWidth, m_nHeight, m_hRC, 0, 0, m_nWidth, m_nHeight), 0);
  }
  void TearDown() override {
    m_wheel.Release();  // while the context is still there
    m_manager.Release();
    GLTest::TearDown();
  }
  VrenkGLWidge::POINT At(float x, float y) const {
    VrenkGLWidge::POINT pt;
    pt.x = static_cast<VrenkGLWidge::LONG>(std::lround(x));
    pt.y = static_cast<VrenkGLWidge::LONG>(std::lround(m_nHeight - y));
    return pt;
  }
  bool Move(float x, float y) { return m_manager.OnMouseMove(0, At(x, y)); }
  bool Down(float x, float y) { return m_manager.OnLButtonDown(0, At(x, y)); }
  bool Up(float x, float y) { return m_manager.OnLButtonUp(0, At(x, y)); }
  // The overlay point at an angle (degrees) and a fraction of the radius.
  std::pair<float, float> Polar(float degrees, float fraction) const {
    const double a = degrees * 3.14159265358979 / 180.0;
    const double r = fraction * m_wheel.GetRadius();
    return {static_cast<float>(m_wheel.m_fCenter[0] + std::cos(a) * r),
            static_cast<float>(m_wheel.m_fCenter[1] + std::sin(a) * r)};
  }
  bool MoveTo(float degrees, float fraction) {
    const auto p = Polar(degrees, fraction);
    return Move(p.first, p.second);
  }
  bool HitAt(float degrees, float fraction) {
    const auto p = Polar(degrees, fraction);
    return m_wheel.HitTest(p.first, p.second);
  }

  TestManager m_manager;
  ProbeWheel m_wheel;
};

}  // namespace vrenktest

#endif  // VRENK_TESTS_MENU_FIXTURE_H
