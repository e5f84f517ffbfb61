// double_wheel_fixture.h - a double wheel with its insides in reach, texts
// of chosen sizes to put into its items, and a manager over a real context.
#ifndef VRENK_TESTS_DOUBLE_WHEEL_FIXTURE_H
#define VRENK_TESTS_DOUBLE_WHEEL_FIXTURE_H

#include <cmath>
#include <memory>
#include <utility>
#include <vector>

#include "VrenkGLWidge.h"
#include "menu/menu_fixture.h"

namespace vrenktest {

class ProbeDoubleWheel : public VrenkGLWidge::CVrenkDoubleWheelMenu {
 public:
  using CVrenkDoubleWheelMenu::_GetInnerItem;
  using CVrenkDoubleWheelMenu::_GetMaximumTooltipTextRowWidth;
  using CVrenkDoubleWheelMenu::BuildTooltipDuckingPosition;
  using CVrenkDoubleWheelMenu::HitTest;
  using CVrenkDoubleWheelMenu::m_colorHighlight;
  using CVrenkDoubleWheelMenu::m_colorHighlightLit;
  using CVrenkDoubleWheelMenu::m_colorInnerItem;
  using CVrenkDoubleWheelMenu::m_colorInnerItemCenter;
  using CVrenkDoubleWheelMenu::m_colorInnerItemLit;
  using CVrenkDoubleWheelMenu::m_colorOuterItem;
  using CVrenkDoubleWheelMenu::m_colorOuterItemLit;
  using CVrenkDoubleWheelMenu::m_colorToggled;
  using CVrenkDoubleWheelMenu::m_colorToggledLit;
  using CVrenkDoubleWheelMenu::m_dTooltipPanelPosition;
  using CVrenkDoubleWheelMenu::m_dTooltipTextOrigin;
  using CVrenkDoubleWheelMenu::m_fCenter;
  using CVrenkDoubleWheelMenu::m_fTooltipContentSize;
  using CVrenkDoubleWheelMenu::m_fTooltipPanelSize;
  using CVrenkDoubleWheelMenu::m_pInnerCircleVertices;
  using CVrenkDoubleWheelMenu::m_pOuterCircleVertices;
  using CVrenkDoubleWheelMenu::m_pShadingRatio;
  using CVrenkDoubleWheelMenu::m_vecInnerItems;
  using CVrenkDoubleWheelMenu::m_vecItems;
  using CVrenkDoubleWheelMenu::m_vecTooltipDuckingPositions;
  using CVrenkDoubleWheelMenu::UpdateInnerItemTooltipLayout;
  using CVrenkDoubleWheelMenu::UpdateOuterItemTooltipLayout;

  // Readers answered differently from the stored items, as a host's
  // derived class may: -1 leaves the item to the base class.
  int nReportToggledOuter = -1;
  int nReportNoImageOuter = -1;
  int nReportDisabledInner = -1;
  bool IsOuterItemToggled(unsigned int n) const override {
    return static_cast<int>(n) == nReportToggledOuter || CVrenkDoubleWheelMenu::IsOuterItemToggled(n);
  }
  VrenkGLWidge::CVrenkImageBase* GetOuterItemImage(unsigned int n) const override {
    return static_cast<int>(n) == nReportNoImageOuter ? nullptr : CVrenkDoubleWheelMenu::GetOuterItemImage(n);
  }
  bool IsInnerItemEnabled(unsigned int n) const override {
    return static_cast<int>(n) != nReportDisabledInner && CVrenkDoubleWheelMenu::IsInnerItemEnabled(n);
  }

  std::vector<unsigned> InnerStarts() const { return Starts(m_pInnerItemIndices, GetInnerItemSize()); }
  std::vector<unsigned> OuterStarts() const { return Starts(m_pOuterItemIndices, GetOuterItemSize()); }
  std::pair<double, double> PanelPosition() const { return {m_dTooltipPanelPosition[0], m_dTooltipPanelPosition[1]}; }
  // Puts a text into an item of a ring and lays it out as the setters do.
  void PutText(bool bInner, unsigned nIndex, VrenkGLWidge::CVrenkTextureText* pText) {
    (bInner ? m_vecInnerItems : m_vecItems)[nIndex].pTooltip = pText;
    if (bInner) {
      UpdateInnerItemTooltipLayout(nIndex);
    } else {
      UpdateOuterItemTooltipLayout(nIndex);
    }
  }

 private:
  static std::vector<unsigned> Starts(const unsigned* p, int n) {
    return p == nullptr ? std::vector<unsigned>{} : std::vector<unsigned>(p, p + n);
  }
};

// A one-row text of a chosen size, drawn from the given texture (or none).
class SizedText : public VrenkGLWidge::CVrenkTextureText {
 public:
  SizedText(unsigned width, unsigned height, GLuint texture = 0)
      : CVrenkTextureText(nullptr, "sized", texture, 4, 0, 0, nullptr, 1) {
    SetWordRect(0, width, height, 0.0f, 1.0f, 1.0f, 0.0f);
  }
  ~SizedText() override = default;
};

// A manager with the given viewport over a 400 x 260 window; the double
// wheel's radius is 100.
class DoubleWheelTest : public GLTest {
 protected:
  explicit DoubleWheelTest(int vpWidth = 400, int vpHeight = 260)
      : GLTest(400, 260), m_nVpWidth(vpWidth), m_nVpHeight(vpHeight) {}
  void SetUp() override {
    GLTest::SetUp();
    ASSERT_EQ(m_manager.Init(m_hWnd, m_nVpWidth, m_nVpHeight, m_hRC, 0, 0, m_nVpWidth, m_nVpHeight), 0);
    h = static_cast<float>(m_manager.GetFontHeight());
  }
  void TearDown() override {
    m_menu.Release();  // while the context is still there
    m_texts.clear();
    m_manager.Release();
    GLTest::TearDown();
  }
  VrenkGLWidge::CVrenkTextureText* Text(unsigned width, GLuint texture = 0) {
    m_texts.emplace_back(new SizedText(width, static_cast<unsigned>(h), texture));
    return m_texts.back().get();
  }
  VrenkGLWidge::POINT At(double x, double y) const {
    VrenkGLWidge::POINT pt;
    pt.x = static_cast<VrenkGLWidge::LONG>(std::lround(x));
    pt.y = static_cast<VrenkGLWidge::LONG>(std::lround(m_nVpHeight - y));
    return pt;
  }
  // The overlay point at an angle (degrees) and a fraction of the radius.
  std::pair<double, double> Polar(double degrees, double fraction) const {
    const double a = degrees * 3.14159265358979 / 180.0;
    return {m_menu.m_fCenter[0] + std::cos(a) * fraction * 100, m_menu.m_fCenter[1] + std::sin(a) * fraction * 100};
  }
  bool MoveTo(double degrees, double fraction) {
    const auto p = Polar(degrees, fraction);
    return m_manager.OnMouseMove(0, At(p.first, p.second));
  }

  int m_nVpWidth;
  int m_nVpHeight;
  float h = 0;  // the font height: one tooltip row
  TestManager m_manager;
  ProbeDoubleWheel m_menu;
  std::vector<std::unique_ptr<SizedText>> m_texts;
};

}  // namespace vrenktest

#endif  // VRENK_TESTS_DOUBLE_WHEEL_FIXTURE_H
