// Boxes, widge flags and the colour helpers.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "VrenkGLWidge.h"
#include "widge/recording_widge.h"

using namespace VrenkGLWidge;
using vrenktest::RecordingWidge;

namespace {

class Box3 : public CVrenkWidgeBoundTest<3> {
 public:
  using CVrenkWidgeBoundTest<3>::UpdateBox;
};

TEST(BoundTest, FacesAreInclusiveAndAFloatStepOutsideMisses) {
  RecordingWidge w;
  w.SetBox(10.0f, 20.0f, 50.0f, 60.0f);
  EXPECT_TRUE(w.IsHitBox(10.0f, 20.0f));
  EXPECT_TRUE(w.IsHitBox(50.0f, 60.0f));
  EXPECT_TRUE(w.IsHitBox(10.0f, 60.0f));
  EXPECT_TRUE(w.IsHitBox(30.0f, 40.0f));
  const float inf = std::numeric_limits<float>::infinity();
  EXPECT_FALSE(w.IsHitBox(std::nextafter(10.0f, -inf), 40.0f));
  EXPECT_FALSE(w.IsHitBox(std::nextafter(50.0f, inf), 40.0f));
  EXPECT_FALSE(w.IsHitBox(30.0f, std::nextafter(20.0f, -inf)));
  EXPECT_FALSE(w.IsHitBox(30.0f, std::nextafter(60.0f, inf)));
  const float onFace[2] = {50.0f, 20.0f};
  EXPECT_TRUE(w.IsHitBox(onFace));

  const float nan = std::numeric_limits<float>::quiet_NaN();
  EXPECT_FALSE(w.IsHitBox(nan, 40.0f));
  EXPECT_FALSE(w.IsHitBox(30.0f, nan));
  const float nanPoint[2] = {nan, nan};
  EXPECT_FALSE(w.IsHitBox(nanPoint));
  EXPECT_FALSE(w.IsHitBox(inf, 40.0f));

  // Inverted on one axis: nothing hits, not even the stored corners.
  w.SetBox(50.0f, 20.0f, 10.0f, 60.0f);
  EXPECT_FALSE(w.IsHitBox(30.0f, 40.0f));
  EXPECT_FALSE(w.IsHitBox(50.0f, 20.0f));
  EXPECT_EQ(w.GetLowerBound()[0], 50.0f);
  EXPECT_EQ(w.GetUpperBound()[0], 10.0f);

  // A NaN stored in the box hits nothing either.
  w.SetBox(nan, 0.0f, 100.0f, 100.0f);
  EXPECT_FALSE(w.IsHitBox(50.0f, 50.0f));
}

TEST(BoundTest, ThreeAxesAndCopies) {
  Box3 box;
  const float lower[3] = {0, 0, -1};
  const float upper[3] = {1, 1, 1};
  box.UpdateBox(lower, upper);
  EXPECT_TRUE(box.IsHitBox(1.0f, 0.0f, -1.0f));
  EXPECT_FALSE(box.IsHitBox(0.5f, 0.5f, 1.5f));
  const float p[3] = {0.5f, 0.5f, std::numeric_limits<float>::quiet_NaN()};
  EXPECT_FALSE(box.IsHitBox(p));
  Box3 copy(box);
  EXPECT_TRUE(copy.IsHitBox(0.5f, 0.5f, 0.0f));
  box.UpdateBox(5, 5, 5, 6, 6, 6);
  EXPECT_FALSE(box.IsHitBox(0.5f, 0.5f, 0.0f));
  EXPECT_TRUE(copy.IsHitBox(0.5f, 0.5f, 0.0f));
}

TEST(ColorHelpers, AssignAndInterpolate) {
  unsigned char c[4];
  RecordingWidge::AssignColor4(c, 1, 2, 3, 4);
  EXPECT_EQ(c[0] + c[1] * 10 + c[2] * 100 + c[3] * 1000, 4321);
  unsigned char d[4];
  RecordingWidge::AssignColor4(d, c);
  EXPECT_EQ(d[3], 4);
  RecordingWidge::AssignColor4(d, 90, 200);
  EXPECT_TRUE(d[0] == 90 && d[1] == 90 && d[2] == 90 && d[3] == 200);

  const unsigned char red[4] = {255, 0, 0, 255};
  const unsigned char blue[4] = {0, 0, 255, 0};
  RecordingWidge::InterpolateColor4(d, red, 0.75f, 0.5f, blue, 0.25f, 0.5f);
  EXPECT_EQ(d[0], 191);
  EXPECT_EQ(d[1], 0);
  EXPECT_EQ(d[2], 63);
  EXPECT_EQ(d[3], 127);
  // Sums above 255 keep their low 8 bits, as documented; absurd weights do
  // not make the conversion undefined.
  RecordingWidge::InterpolateColor4(d, red, 1.0f, 1.0f, red, 1.0f, 1.0f);
  EXPECT_EQ(d[0], 254);
  RecordingWidge::InterpolateColor4(d, red, 1e30f, std::nanf(""), blue, 0.0f, 0.0f);
  EXPECT_EQ(d[0], 0);
}

TEST(Widge, FlagsAskTheManagerForRedrawsOnlyOnChange) {
  CVrenkWidgeManager manager;
  RecordingWidge w;
  w.SetBox(0, 0, 10, 10);
  w.Init(&manager);
  EXPECT_TRUE(w.IsDirty());
  EXPECT_TRUE(w.IsEnable());
  EXPECT_TRUE(w.IsVisible());
  EXPECT_FALSE(w.IsHovered());
  EXPECT_FALSE(w.IsLBtnPressed());

  w.Render();  // no context: draws nothing visible, but clears the flag
  EXPECT_FALSE(w.IsDirty());
  EXPECT_EQ(w.renders, 1);
  w.SetVisible(true);
  EXPECT_FALSE(w.IsDirty());
  w.SetVisible(false);
  EXPECT_TRUE(w.IsDirty());
  EXPECT_TRUE(manager.IsNeedReRender());

  // Render draws hidden and disabled widges too.
  w.SetEnable(false);
  w.Render();
  EXPECT_EQ(w.renders, 2);
  EXPECT_FALSE(w.IsDirty());

  // Button handlers of the base keep the pressed flag.
  EXPECT_TRUE(w.CVrenkWidge::OnLButtonDown(0, 0));
  EXPECT_TRUE(w.IsLBtnPressed());
  EXPECT_TRUE(w.CVrenkWidge::OnMouseLeave(0, 0));
  EXPECT_FALSE(w.IsLBtnPressed());
  w.CVrenkWidge::OnLButtonDown(0, 0);
  EXPECT_TRUE(w.CVrenkWidge::OnLButtonUp(0, 0));
  EXPECT_FALSE(w.IsLBtnPressed());
}

TEST(Widge, DestroyingAnAttachedWidgeLeavesTheList) {
  CVrenkWidgeManager manager;
  RecordingWidge kept;
  kept.Init(&manager);
  {
    RecordingWidge gone;
    gone.Init(&manager);
  }
  // Only one entry left: removing it works once.
  EXPECT_EQ(manager.RemoveWidge(&kept), 0);
  EXPECT_EQ(manager.RemoveWidge(&kept), -4);
  // A released widge touches no manager when destroyed or flagged.
  RecordingWidge detached;
  detached.Init(&manager);
  detached.Release();
  detached.Release();
  detached.SetVisible(false);
  detached.SetDirty();
  EXPECT_TRUE(detached.IsDirty());
  EXPECT_EQ(manager.RemoveWidge(&detached), -4);
}

TEST(Widge, WidgesOutlivingTheirManagerAreDetached) {
  RecordingWidge registered;
  RecordingWidge released;
  RecordingWidge removedByHost;
  RecordingWidge moved;
  CVrenkWidgeManager survivor;
  {
    CVrenkWidgeManager manager;
    registered.Init(&manager);
    released.Init(&manager);
    manager.RemoveAllWidges();  // list emptied, widges not told
    registered.Init(&manager);
    removedByHost.Init(&manager);
    EXPECT_EQ(manager.RemoveWidge(&removedByHost), 0);  // the widge still points here
    moved.Init(&manager);
    moved.Init(&survivor);  // leaves the first manager's list
    EXPECT_EQ(manager.RemoveWidge(&moved), -4);
  }
  // The manager is gone: these must not call into it.
  registered.SetVisible(false);
  released.SetEnable(false);
  removedByHost.SetVisible(false);
  registered.Release();
  released.Release();
  removedByHost.Release();
  EXPECT_EQ(survivor.RemoveWidge(&moved), 0);
  SUCCEED();
}

}  // namespace
