// The shader backend draws the pictures of the fixed-function one: the same
// scenes in one compatibility context, once through each backend.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "image/png_files.h"
#include "menu/double_wheel_fixture.h"

using namespace VrenkGLWidge;

namespace {

class BackendCompareTest : public vrenktest::MenuTest {
 protected:
  void SetUp() override {
    MenuTest::SetUp();
    if (!HasFixedFunction()) GTEST_SKIP() << "compares with the fixed-function backend";
    vrenktest::PngPicture icon;  // a gradient with a transparent corner
    icon.width = icon.height = 8;
    for (unsigned y = 0; y < 8; ++y)
      for (unsigned x = 0; x < 8; ++x) icon.samples.insert(icon.samples.end(), {x * 32, y * 32, 255u - x * 16, x + y < 3 ? 0u : 255u});
    ASSERT_TRUE(vrenktest::WritePng(m_dir.Path("icon.png"), icon));
    const std::string path = m_dir.Path("icon.png");
    m_wheel.Init(&m_manager, 8, 90, 110, 130, 45.0f);
    for (unsigned i = 0; i < 8; ++i) m_wheel.SetItem(i, static_cast<int>(i), "", path.c_str(), i == 2 ? 1 : 0, i == 2, i != 5);
    m_double.Init(&m_manager, 4, 8, 80, 300, 140, 45.0f, 0.0f);
    for (unsigned i = 0; i < 8; ++i) m_double.SetOuterItem(i, 10 + static_cast<int>(i), "Outer " + std::to_string(i), path.c_str(), 0, i == 3, true);
    for (unsigned i = 0; i < 4; ++i) m_double.SetInnerItem(i, 20 + static_cast<int>(i), "In " + std::to_string(i), path.c_str(), 0, false, i != 1);
    m_double.SetShowTooltip(true);
  }
  void TearDown() override {
    m_double.Release();
    MenuTest::TearDown();
  }
  std::vector<uint8_t> Picture(bool bShaders) {
    m_manager.SetShaderRendering(bShaders);
    glClearColor(0.2f, 0.3f, 0.4f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    m_manager.Render();
    return ReadAll();
  }
  // The share of pixels within nLevels of each other, channel by channel.
  static double Agreement(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b, int nLevels) {
    size_t nSame = 0;
    for (size_t i = 0; i < a.size(); i += 4) {
      bool bSame = true;
      for (size_t c = 0; c < 3; ++c) bSame = bSame && std::abs(a[i + c] - b[i + c]) <= nLevels;
      nSame += bSame ? 1 : 0;
    }
    return static_cast<double>(nSame) / static_cast<double>(a.size() / 4);
  }
  vrenktest::ScratchDir m_dir;
  vrenktest::ProbeDoubleWheel m_double;
};

TEST_F(BackendCompareTest, BothBackendsDrawTheSamePictureInEveryTooltipStyle) {
  MoveTo(100, 0.6f);  // a wheel item hovered
  m_manager.OnLButtonDown(0, At(300 + 70, 140));  // and an outer item pressed
  for (int style : {0, 1, 2}) {
    m_double.SetTooltipStyle(style);
    MoveTo(100, 0.6f);
    const std::vector<uint8_t> fixed = Picture(false);
    const std::vector<uint8_t> shaders = Picture(true);
    const double agreement = Agreement(fixed, shaders, 4);
    EXPECT_GE(agreement, 0.99) << "style " << style;
    const std::vector<uint8_t> background = [&] {
      std::vector<uint8_t> v(fixed.size());
      for (size_t i = 0; i < v.size(); i += 4) v[i] = 51, v[i + 1] = 76, v[i + 2] = 102, v[i + 3] = 255;
      return v;
    }();
    EXPECT_LT(Agreement(shaders, background, 4), 0.8) << "the menus are drawn, style " << style;
  }
}

}  // namespace
