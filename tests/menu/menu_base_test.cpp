// The item model, the texts and icons items borrow from the manager, hover
// bookkeeping and the click rule, driven through the manager's messages.
#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>
#include <string>

#include "image/png_files.h"
#include "menu/menu_fixture.h"

using namespace VrenkGLWidge;
using vrenktest::ProbeWheel;

namespace {

using MenuBaseTest = vrenktest::MenuTest;
using Calls = std::vector<std::pair<int, bool>>;
const char* const kNoIcon = nullptr;

TEST_F(MenuBaseTest, ItemModelCodesAndNeutralReaders) {
  m_wheel.Init(&m_manager, 2, 60, 200, 130, 45.0f);
  EXPECT_EQ(m_wheel.SetItem(2, 5, "x", kNoIcon, 0, false, true), -2);
  EXPECT_EQ(m_wheel.GetItemID(2), -2);
  EXPECT_EQ(m_wheel.GetItemType(2), -2);
  EXPECT_EQ(&m_wheel.GetItemTooltip(2), &CVrenkMenuBase::strDummy);
  EXPECT_EQ(&m_wheel.GetItemTooltip(1), &CVrenkMenuBase::strDummy);  // never given a text
  EXPECT_EQ(m_wheel.GetItemImage(2), nullptr);
  EXPECT_FALSE(m_wheel.IsItemEnabled(2));
  EXPECT_TRUE(m_wheel.IsItemEnabled(1));
  EXPECT_EQ(m_wheel.SetItemToggled(2, true), -2);
  EXPECT_EQ(m_wheel.SetItemType(0, 7), 7);
  EXPECT_EQ(m_wheel.SetItemEnabled(0, false), 0);
  EXPECT_EQ(m_wheel.SetItemEnabled(0, true), 1);

  EXPECT_EQ(m_wheel.AddItem(42), 0);
  EXPECT_EQ(m_wheel.AddItem(42), 0);
  EXPECT_EQ(m_wheel.GetItemIndexByID(42), 2);
  EXPECT_EQ(m_wheel.GetItemIndexByID(43), -4);
  vrenktest::RecordingCallback callback;
  EXPECT_EQ(m_wheel.SetProcessFunction(&callback), 0);
  EXPECT_EQ(m_wheel.SetProcessFunction(nullptr), -5);

  EXPECT_EQ(ProbeWheel::ScaleColor(200, 1.5f), 255);
  EXPECT_EQ(ProbeWheel::ScaleColor(200, -1.0f), 0);
  EXPECT_EQ(ProbeWheel::ScaleColor(3, 0.5f), 1);
  EXPECT_EQ(ProbeWheel::ScaleColor(9, std::numeric_limits<float>::quiet_NaN()), 0);

  EXPECT_THROW(m_wheel.Init(&m_manager, -1, 60, 200, 130, 0.0f), std::length_error);
  m_wheel.Init(&m_manager, 3, 60, 200, 130, 0.0f);  // again: registered once
  EXPECT_EQ(m_manager.RemoveWidge(&m_wheel), 0);
  EXPECT_EQ(m_manager.RemoveWidge(&m_wheel), -4);
}

TEST_F(MenuBaseTest, ItemsBorrowTextsAndIconsThroughTheManagerAndGiveThemBack) {
  vrenktest::ScratchDir dir;
  const std::string icon = dir.Path("icon.png"), other = dir.Path("other.png");
  ASSERT_TRUE(vrenktest::WritePng(icon, vrenktest::Rgba8Pattern(4, 4)));
  ASSERT_TRUE(vrenktest::WritePng(other, vrenktest::Rgba8Pattern(2, 2)));
  m_wheel.Init(&m_manager, 2, 60, 200, 130, 45.0f);

  ASSERT_EQ(m_wheel.SetItem(0, 7, "Open", icon.c_str(), 1, true, false), 0);
  CVrenkImageBase* first = m_wheel.GetItemImage(0);
  ASSERT_NE(first, nullptr);
  EXPECT_NE(m_wheel.GetItemTextureName(0), 0u);
  EXPECT_EQ(m_wheel.GetItemTooltip(0), "Open");
  EXPECT_EQ(m_manager.ImageRefs(first), 1);
  EXPECT_EQ(m_manager.TextRefs("Open"), 1);

  // Setting again gives the old text and icon back before taking new ones.
  ASSERT_EQ(m_wheel.SetItem(0, 8, "Save", vrenktest::Widen(other).c_str(), 0, false, true), 0);
  EXPECT_EQ(m_manager.ImageRefs(first), 0);
  EXPECT_EQ(m_manager.TextRefs("Open"), 0);
  EXPECT_EQ(m_wheel.GetItemTooltip(0), "Save");
  CVrenkImageBase* second = m_wheel.GetItemImage(0);
  EXPECT_EQ(m_wheel.SetItem(0, 9, "Save", kNoIcon, 0, false, true), 0);
  EXPECT_EQ(m_wheel.GetItemImage(0), nullptr);
  EXPECT_EQ(m_manager.ImageRefs(second), 0);

  // A bad path reports -1 but keeps the rest of the item.
  EXPECT_EQ(m_wheel.SetItem(1, 11, "Gone", dir.Path("missing.png").c_str(), 1, true, false), -1);
  EXPECT_EQ(m_wheel.GetItemID(1), 11);
  EXPECT_FALSE(m_wheel.IsItemEnabled(1));
  EXPECT_EQ(m_wheel.GetItemTooltip(1), "Gone");

  // Shrinking gives the cut items' texts and icons back; Release the rest,
  // zeroing identifiers and leaving the manager, as often as it is called.
  ASSERT_EQ(m_wheel.SetItem(1, 11, "Gone", icon.c_str(), 1, true, false), 0);
  EXPECT_EQ(m_wheel.SetItemSize(1), 0);
  EXPECT_EQ(m_manager.TextRefs("Gone"), 0);
  EXPECT_EQ(m_manager.ImageRefs(first), 0);
  m_wheel.Release();
  m_wheel.Release();
  EXPECT_EQ(m_manager.TextRefs("Save"), 0);
  EXPECT_EQ(m_wheel.GetItemSize(), 1);
  EXPECT_EQ(m_wheel.GetItemID(0), 0);
  EXPECT_EQ(m_manager.RemoveWidge(&m_wheel), -4);
}

// Four items from 45 degrees: item 0 on top, 1 left, 2 bottom, 3 right.
class MenuClickTest : public vrenktest::MenuTest {
 protected:
  void SetUp() override {
    MenuTest::SetUp();
    m_wheel.Init(&m_manager, 4, 60, 200, 130, 45.0f);
    m_wheel.SetItem(0, 10, "", kNoIcon, 0, false, true);
    m_wheel.SetItem(1, 11, "", kNoIcon, 1, false, true);
    m_wheel.SetItem(2, 12, "", kNoIcon, 0, false, false);
    m_wheel.SetItem(3, 13, "", kNoIcon, 0, true, true);
    m_wheel.SetProcessFunction(&m_callback);
  }
  bool Click(int item) {
    const auto p = Polar(90.0f * (item + 1), 0.5f);
    Move(p.first, p.second);
    Down(p.first, p.second);
    return Up(p.first, p.second);
  }
  vrenktest::RecordingCallback m_callback;
};

TEST_F(MenuClickTest, ReleaseChoosesTheHoveredEnabledItem) {
  EXPECT_TRUE(Click(0));
  m_callback.result = false;
  EXPECT_FALSE(Click(3));  // the callback's answer reaches the host
  EXPECT_TRUE(Click(2));   // disabled: handled, nothing called
  Click(1);                // a toggle item flips and reports its new state
  Click(1);
  EXPECT_EQ(m_callback.calls, (Calls{{10, false}, {13, true}, {11, true}, {11, false}}));
  EXPECT_FALSE(m_wheel.IsLBtnPressed());

  m_wheel.SetProcessFunction(nullptr);
  EXPECT_FALSE(Click(1));  // flips all the same
  EXPECT_TRUE(m_wheel.IsItemToggled(1));

  // Off the disc the hit test finds no item and the manager offers the
  // release to nobody; offered anyway, it is handled without a call.
  m_wheel.SetProcessFunction(&m_callback);
  MoveTo(60.0f, 1.1f);
  EXPECT_EQ(m_wheel.GetHoveredIndex(), -1);
  EXPECT_TRUE(m_wheel.OnLButtonUp(0, 0));
  EXPECT_EQ(m_callback.calls.size(), 4u);
}

TEST_F(MenuClickTest, HoverChangesAloneAskForRedraws) {
  MoveTo(100.0f, 0.5f);
  EXPECT_TRUE(m_wheel.IsItemHovered(0));
  m_manager.Render();
  MoveTo(80.0f, 0.7f);  // same item
  m_wheel.UpdateHoveredIndex(0);
  EXPECT_FALSE(m_manager.IsNeedReRender());
  EXPECT_FALSE(m_wheel.IsDirty());
  MoveTo(180.0f, 0.5f);
  EXPECT_EQ(m_wheel.GetHoveredIndex(), 1);
  EXPECT_TRUE(m_manager.IsNeedReRender());
  EXPECT_TRUE(m_wheel.IsDirty());

  // Pressing and leaving ask for redraws; leaving keeps the hovered index
  // and forgets the button.
  m_manager.Render();
  const auto p = Polar(180.0f, 0.5f);
  Down(p.first, p.second);
  EXPECT_TRUE(m_manager.IsNeedReRender());
  m_manager.Render();
  Move(5, 5);
  EXPECT_TRUE(m_manager.IsNeedReRender());
  EXPECT_FALSE(m_wheel.IsLBtnPressed());
  EXPECT_EQ(m_wheel.GetHoveredIndex(), 1);

  // A list that shrank under the hovered index offers no item to click.
  m_wheel.SetItemSize(1);
  EXPECT_TRUE(m_wheel.OnLButtonUp(0, 0));
  EXPECT_TRUE(m_callback.calls.empty());
}

}  // namespace
