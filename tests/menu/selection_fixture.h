// selection_fixture.h - a manager over a 640 x 480 window with a clock of
// the test's own, a wheel and a double wheel, and recorders for the
// callbacks; the ground truth of sector geometry, computed in double.
#ifndef VRENK_TESTS_MENU_SELECTION_FIXTURE_H
#define VRENK_TESTS_MENU_SELECTION_FIXTURE_H

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "VrenkGLWidge.h"
#include "menu/double_wheel_fixture.h"
#include "menu/menu_fixture.h"

namespace vrenktest {

constexpr double kPiD = 3.14159265358979323846;
constexpr const char* kNoIcon = nullptr;

// A clock that moves only when the test moves it; it starts just before
// the 32-bit wrap, so that every delay in a test crosses it.
struct FakeClock : VrenkFunctional::IVrenkTimeSourceBase {
  unsigned int GetMilliseconds() override { return now; }
  unsigned int now = 0xFFFFFF00u;
};

struct HighlightRecorder : VrenkFunctional::IVrenkMenuItemHighlightCallbackBase {
  void OnHighlight(int nItemID) override { ids.push_back(nItemID); }
  std::vector<int> ids;
};

// The sector of n items, item 0 beginning at startDegrees, that holds the
// direction (dx, dy): both entries equal, or the two neighbours when the
// direction lies on a sector edge.
inline std::pair<int, int> Sector(double dx, double dy, double startDegrees, int n) {
  const double a = std::atan2(dy, dx) * 180.0 / kPiD;
  const double t = std::fmod(std::fmod(a - startDegrees, 360.0) + 360.0, 360.0);
  const double w = 360.0 / n;
  const int i = static_cast<int>(std::floor(t / w)) % n;
  const double into = t - i * w;
  if (into < 1e-3) return {i, (i + n - 1) % n};
  if (w - into < 1e-3) return {i, (i + 1) % n};
  return {i, i};
}

inline bool InSector(int index, std::pair<int, int> sector) {
  return index == sector.first || index == sector.second;
}

class SelectionTest : public GLTest {
 protected:
  static constexpr int kW = 640;
  static constexpr int kH = 480;

  SelectionTest() : GLTest(kW, kH) {}
  void SetUp() override {
    GLTest::SetUp();
    ASSERT_EQ(m_manager.Init(m_hWnd, kW, kH, m_hRC, 0, 0, kW, kH), 0);
    ASSERT_EQ(m_manager.SetTimeSource(&m_clock), 0);
  }
  void TearDown() override {
    m_wheel.Release();
    m_dwheel.Release();
    m_manager.Release();
    GLTest::TearDown();
  }

  // A wheel of n items with identifiers 100 + index.
  void MakeWheel(int n, float startDegrees, int radius = 80, int x = kW / 2, int y = kH / 2) {
    m_wheel.Init(&m_manager, n, radius, x, y, startDegrees);
    for (int i = 0; i < n; ++i) m_wheel.SetItem(static_cast<unsigned>(i), 100 + i, "", kNoIcon, 0, false, true);
    m_wheel.SetProcessFunction(&m_callback);
  }
  // A double wheel of radius 100: inner identifiers 200 + index, outer
  // 300 + index.
  void MakeDoubleWheel(int inner, int outer, float innerStart, float outerStart, int x = kW / 2, int y = kH / 2) {
    m_dwheel.Init(&m_manager, inner, outer, 100, x, y, innerStart, outerStart);
    for (int i = 0; i < inner; ++i) m_dwheel.SetInnerItem(static_cast<unsigned>(i), 200 + i, "", kNoIcon, 0, false, true);
    for (int i = 0; i < outer; ++i) m_dwheel.SetOuterItem(static_cast<unsigned>(i), 300 + i, "", kNoIcon, 0, false, true);
    m_dwheel.SetProcessFunction(&m_callback);
  }

  // Client point of an overlay point (origin lower left).
  static VrenkGLWidge::POINT At(double x, double y) {
    VrenkGLWidge::POINT pt;
    pt.x = static_cast<VrenkGLWidge::LONG>(std::lround(x));
    pt.y = static_cast<VrenkGLWidge::LONG>(std::lround(kH - y));
    return pt;
  }
  // The overlay point (in whole pixels) at an angle and a distance from a point.
  static std::pair<double, double> From(double x, double y, double degrees, double distance) {
    const double a = degrees * kPiD / 180.0;
    return {std::round(x + std::cos(a) * distance), std::round(y + std::sin(a) * distance)};
  }
  bool Move(double x, double y) { return m_manager.OnMouseMove(0, At(x, y)); }
  bool Down(double x, double y) { return m_manager.OnLButtonDown(0, At(x, y)); }
  bool Up(double x, double y) { return m_manager.OnLButtonUp(0, At(x, y)); }
  bool Key(unsigned int key, VrenkGLWidge::LPARAM lParam = 0) { return m_manager.OnKeyDown(key, lParam); }
  int LastID() const { return m_callback.calls.empty() ? -1 : m_callback.calls.back().first; }

  TestManager m_manager;
  ProbeWheel m_wheel;
  ProbeDoubleWheel m_dwheel;
  RecordingCallback m_callback;
  FakeClock m_clock;
};

}  // namespace vrenktest

#endif  // VRENK_TESTS_MENU_SELECTION_FIXTURE_H
