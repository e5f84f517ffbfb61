// Mouse dispatch with recording widges: what each widge is offered, in
// which order, and how the hovered flags follow the moves.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "VrenkGLWidge.h"
#include "widge/recording_widge.h"

using namespace VrenkGLWidge;
using vrenktest::RecordingWidge;
using Log = std::vector<std::string>;

namespace {

// Client height 100 and viewport origin (0, 0): client (x, y) is overlay
// (x, 100 - y). No context is needed: dispatch does no GL work.
class DispatchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_hWnd = CreateOffscreenWindow(8, 8);
    ASSERT_NE(m_hWnd, nullptr);
    ASSERT_EQ(m_manager.Init(m_hWnd, 100, 100, nullptr, 0, 0, 100, 100), 0);
    a.SetBox(0, 0, 50, 50);
    b.SetBox(25, 25, 75, 75);
  }
  void TearDown() override {
    m_manager.Release();
    DestroyOffscreenWindow(m_hWnd);
  }
  // Client point for an overlay point.
  static POINT At(int x, int y) { return POINT{x, 100 - y}; }
  bool Move(int x, int y) { return m_manager.OnMouseMove(0, At(x, y)); }
  // The log without the precise hit tests.
  Log Events() const {
    Log out;
    for (const std::string& e : log) {
      if (e.find(":hit") == std::string::npos) out.push_back(e);
    }
    return out;
  }

  HWND m_hWnd = nullptr;
  CVrenkWidgeManager m_manager;
  Log log;
  RecordingWidge a{&log, "a"};
  RecordingWidge b{&log, "b"};
};

TEST_F(DispatchTest, EnterThenMoveUnlessEnterHandlesIt) {
  a.Init(&m_manager);
  EXPECT_FALSE(Move(10, 10));
  EXPECT_EQ(Events(), (Log{"a:enter", "a:move"}));
  EXPECT_TRUE(a.IsHovered());
  EXPECT_EQ(a.lastX, 10.0f);
  EXPECT_EQ(a.lastY, 10.0f);

  log.clear();
  Move(20, 20);
  EXPECT_EQ(Events(), (Log{"a:move"}));

  log.clear();
  Move(90, 90);  // leaves: only the leave, as it takes hit messages only
  EXPECT_EQ(Events(), (Log{"a:leave"}));
  EXPECT_FALSE(a.IsHovered());

  log.clear();
  a.enterResult = true;
  EXPECT_TRUE(Move(10, 10));
  EXPECT_EQ(Events(), (Log{"a:enter"}));
}

TEST_F(DispatchTest, FirstHandlerWinsButHoverFlagsFollowTheCursor) {
  a.Init(&m_manager);
  b.Init(&m_manager);
  a.enterResult = true;
  EXPECT_TRUE(Move(30, 30));  // over both
  EXPECT_EQ(Events(), (Log{"a:enter"}));
  EXPECT_TRUE(a.IsHovered());
  EXPECT_TRUE(b.IsHovered());  // hovered without a call

  log.clear();
  a.moveResult = false;
  Move(40, 40);  // b is already hovered: it gets a move, never an enter
  EXPECT_EQ(Events(), (Log{"a:move", "b:move"}));

  // Both are asked for their precise test whenever the box passes.
  log.clear();
  m_manager.OnLButtonDown(0, At(40, 40));
  EXPECT_EQ(log, (Log{"a:hit", "b:hit", "a:ldown"}));
}

TEST_F(DispatchTest, PreciseMissCountsAsMissAndLeaveFallsBackToMoveForAllMessageWidges) {
  a.Init(&m_manager);
  Move(10, 10);
  a.preciseHit = false;
  a.SetRecevingHitMsgOnly(false);
  log.clear();
  Move(11, 11);  // inside the box, outside the shape: a leave, then a move
  EXPECT_EQ(Events(), (Log{"a:leave", "a:move"}));
  EXPECT_FALSE(a.IsHovered());

  log.clear();
  Move(99, 99);  // elsewhere: widges taking all messages get moves
  EXPECT_EQ(Events(), (Log{"a:move"}));
  log.clear();
  a.leaveResult = true;
  a.preciseHit = true;
  Move(10, 10);
  log.clear();
  Move(99, 99);
  EXPECT_EQ(Events(), (Log{"a:leave"}));
}

TEST_F(DispatchTest, ButtonsReachHoveredWidgesOrThoseTakingAllMessages) {
  a.Init(&m_manager);
  b.Init(&m_manager);
  // No move before: nothing is hovered, so nothing gets the press.
  EXPECT_FALSE(m_manager.OnLButtonDown(0, At(10, 10)));
  EXPECT_EQ(Events(), Log{});

  Move(10, 10);
  log.clear();
  EXPECT_TRUE(m_manager.OnLButtonDown(0, At(10, 10)));
  EXPECT_TRUE(a.IsLBtnPressed());
  EXPECT_TRUE(m_manager.OnLButtonUp(0, At(60, 60)));  // hovering decided by moves only
  EXPECT_TRUE(m_manager.OnRButtonDown(0, At(10, 10)));
  EXPECT_TRUE(m_manager.OnRButtonUp(0, At(10, 10)));
  EXPECT_EQ(Events(), (Log{"a:ldown", "a:lup", "a:rdown", "a:rup"}));
  EXPECT_EQ(a.lastX, 10.0f);

  // A widge taking all messages gets buttons anywhere, after a declining
  // hovered one.
  log.clear();
  a.buttonResult = false;
  b.SetRecevingHitMsgOnly(false);
  EXPECT_TRUE(m_manager.OnRButtonDown(0, At(95, 5)));
  EXPECT_EQ(Events(), (Log{"a:rdown", "b:rdown"}));
  EXPECT_EQ(b.lastX, 95.0f);
  EXPECT_EQ(b.lastY, 5.0f);
}

TEST_F(DispatchTest, WheelTakesAScreenPointAndSignExtendsTheDelta) {
  a.Init(&m_manager);
  Move(10, 10);
  log.clear();
  // Offscreen windows sit at the screen origin, so the screen point is the
  // client point here; the delta keeps its sign.
  EXPECT_TRUE(m_manager.OnMouseWheel(0, -120, At(12, 14)));
  EXPECT_EQ(Events(), (Log{"a:wheel"}));
  EXPECT_EQ(a.lastDelta, -120);
  EXPECT_EQ(a.lastX, 12.0f);
  EXPECT_EQ(a.lastY, 14.0f);
}

TEST_F(DispatchTest, DisabledHoveredWidgeKeepsItsFlagAndGetsNothing) {
  a.Init(&m_manager);
  Move(10, 10);
  a.SetEnable(false);
  log.clear();
  Move(90, 90);
  EXPECT_TRUE(a.IsHovered());
  EXPECT_FALSE(m_manager.OnLButtonDown(0, At(10, 10)));
  EXPECT_EQ(log, Log{});
  a.SetEnable(true);
  Move(90, 90);
  EXPECT_FALSE(a.IsHovered());
  EXPECT_EQ(Events(), (Log{"a:leave"}));
}

TEST_F(DispatchTest, NoWidgesAndExtremePointsHandleNothing) {
  EXPECT_FALSE(Move(10, 10));
  EXPECT_FALSE(m_manager.OnLButtonDown(0, At(10, 10)));
  a.Init(&m_manager);
  a.SetRecevingHitMsgOnly(false);
  EXPECT_FALSE(m_manager.OnMouseMove(0, POINT{-2147483647 - 1, 2147483647}));
  EXPECT_FALSE(a.IsHovered());
  EXPECT_FALSE(m_manager.OnMouseWheel(0, 32767, POINT{2147483647, -2147483647 - 1}) && a.IsHovered());
}

// A handler that releases widges during dispatch must not make the
// manager touch them afterwards.
class SelfReleasingWidge : public RecordingWidge {
 public:
  using RecordingWidge::RecordingWidge;
  CVrenkWidge* victim = nullptr;

 protected:
  bool OnMouseEnter(float, float) override {
    if (victim != nullptr) victim->Release();
    Release();
    return false;
  }
};

TEST_F(DispatchTest, HandlersMayReleaseWidgesDuringDispatch) {
  SelfReleasingWidge first(&log, "first");
  first.SetBox(0, 0, 50, 50);
  first.victim = &b;
  first.Init(&m_manager);
  b.Init(&m_manager);
  Move(30, 30);
  EXPECT_EQ(Events(), Log{});
  EXPECT_FALSE(first.IsHovered());
  EXPECT_FALSE(b.IsHovered());
}

}  // namespace
