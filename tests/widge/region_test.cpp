// The dirty region's rules.
#include <gtest/gtest.h>

#include <cmath>

#include "VrenkGLWidge.h"
#include "widge/recording_widge.h"

using namespace VrenkGLWidge;
using vrenktest::RecordingWidge;

namespace {

class RegionManager : public CVrenkWidgeManager {
 public:
  using CVrenkWidgeManager::ClearDirty;
  const int* Box() const { return m_nDirtyBox; }
  bool Is(int x0, int y0, int x1, int y1) const {
    return m_nDirtyBox[0] == x0 && m_nDirtyBox[1] == y0 && m_nDirtyBox[2] == x1 && m_nDirtyBox[3] == y1;
  }
};

::testing::AssertionResult RegionIs(const RegionManager& m, int x0, int y0, int x1, int y1) {
  if (m.Is(x0, y0, x1, y1)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "region is (" << m.Box()[0] << ", " << m.Box()[1] << ", " << m.Box()[2]
                                       << ", " << m.Box()[3] << ")";
}

TEST(DirtyRegion, BoxesAfterAPassReplaceThenWidenTheViewport) {
  RegionManager m;
  ASSERT_EQ(m.Init(nullptr, 800, 600, nullptr, 0, 0, 800, 600), 0);
  EXPECT_TRUE(RegionIs(m, 0, 0, 800, 600));  // set by Init
  m.ClearDirty();                              // as a render pass ends
  RecordingWidge first;
  RecordingWidge second;
  first.SetBox(10.7f, 20.2f, 50.9f, 60.5f);
  second.SetBox(40, 50, 100, 70);
  m.SetNeedReRender(&first);
  EXPECT_TRUE(RegionIs(m, 10, 20, 50, 60));
  EXPECT_TRUE(m.IsNeedReRender());
  m.SetNeedReRender(&second);
  EXPECT_TRUE(RegionIs(m, 10, 20, 100, 70));

  // A request without a box keeps the whole viewport; boxes inside it
  // leave it so.
  m.ClearDirty();
  m.SetNeedReRender(nullptr);
  EXPECT_TRUE(RegionIs(m, 0, 0, 800, 600));
  m.SetNeedReRender(&first);
  EXPECT_TRUE(RegionIs(m, 0, 0, 800, 600));

  // Boxes reaching outside widen the region beyond the viewport; -0.5
  // truncates to 0.
  m.ClearDirty();
  RecordingWidge outside;
  outside.SetBox(-0.5f, 10, 900, 750);
  m.SetNeedReRender(&outside);
  EXPECT_TRUE(RegionIs(m, 0, 10, 900, 750));
}

TEST(DirtyRegion, WidgesRequestRedrawsThroughTheirFlags) {
  RegionManager m;
  ASSERT_EQ(m.Init(nullptr, 800, 600, nullptr, 100, 50, 400, 300), 0);
  RecordingWidge w;
  w.SetBox(120, 80, 160, 90);
  w.Init(&m);
  m.ClearDirty();
  w.SetVisible(true);  // no change, no request
  EXPECT_FALSE(m.IsNeedReRender());
  w.SetVisible(false);
  // The box is in overlay coordinates: it enters the region (window
  // pixels) moved by the viewport origin (100, 50).
  EXPECT_TRUE(RegionIs(m, 220, 130, 260, 140));
  // A box of non-finite or huge values saturates instead of misbehaving.
  m.ClearDirty();
  w.SetBox(std::nanf(""), -1e30f, 1e30f, 90);
  w.SetVisible(true);
  EXPECT_TRUE(RegionIs(m, 100, -2147483647 - 1, 2147483647, 140));
}

}  // namespace
