// demo_app.h - the demo host's scene and menus, shared by its headless,
// X11 (GLFW) and Win32 front ends. The front ends own the window, the
// context and the message loop; this part owns what a host application
// would: its own 3D scene, one manager, a wheel and a double wheel, and the
// callback object.
#ifndef VRENK_EXAMPLES_DEMO_APP_H
#define VRENK_EXAMPLES_DEMO_APP_H

#include <string>
#include <vector>

#include "VrenkGLWidge.h"

namespace vrenkdemo {

using namespace VrenkGLWidge;

// Identifiers of the wheel's items: 100 + index. Item 2 and 3 are toggle
// items, item 5 is disabled.
constexpr int kWheelItems = 8;
constexpr int kWheelBaseID = 100;
constexpr int kToggleItemA = 2;
constexpr int kToggleItemB = 3;
constexpr int kDisabledItem = 5;
// Double wheel: inner items 200 + index, outer items 300 + index.
constexpr int kInnerItems = 4;
constexpr int kOuterItems = 8;

// Prints every choice as it arrives and keeps it for the checks.
class Callback : public VrenkFunctional::IVrenkMenuItemCallbackBase {
 public:
  struct Call {
    int id;
    bool toggled;
  };
  bool Execute(int nItemID, bool bToggled) override;
  std::vector<Call> calls;
};

// Keeps every change of a menu's highlighted item (the host's status bar).
class Highlights : public VrenkFunctional::IVrenkMenuItemHighlightCallbackBase {
 public:
  void OnHighlight(int nItemID) override { ids.push_back(nItemID); }
  std::vector<int> ids;
};

// A clock the headless script moves by hand, so that its mark-ahead stroke
// takes the same time on every machine.
class StepClock : public VrenkFunctional::IVrenkTimeSourceBase {
 public:
  unsigned int GetMilliseconds() override { return now; }
  unsigned int now = 0;
};

// Writes the demo's icons (48 x 48 RGBA pictograms with alpha) into dir and
// returns their paths; empty on failure.
std::vector<std::string> WriteIcons(const std::string& dir);

class DemoApp {
 public:
  DemoApp() = default;
  DemoApp(const DemoApp&) = delete;
  DemoApp& operator=(const DemoApp&) = delete;

  // Sets up the manager and both menus for a client area of the given size.
  bool Init(HWND hWnd, HGLRC hRC, int width, int height, const std::vector<std::string>& icons);
  void Release();

  void OnSize(int width, int height);
  // Draws the host's scene (a lit, rotating object with the depth test on),
  // then the overlay.
  void Frame();
  // Whether Frame draws the host's scene (the rotating object and the
  // stroke's trail). They are drawn with the fixed-function pipeline, so a
  // context without it shows the menus over a plain background.
  void SetDrawScene(bool bDraw) { m_bDrawScene = bDraw; }
  bool HasFixedFunction() const { return m_bFixedFunction; }
  void Advance(float degrees) { m_fAngle += degrees; }

  // Client point (origin top left) at the middle of a wheel item.
  POINT WheelItemPoint(int index) const;
  POINT InnerItemPoint(int index) const;
  POINT OuterItemPoint(int index) const;
  // Opens the double wheel as a popup at a client point, from a button
  // press: a stroke chooses by direction, a tap leaves it open.
  void PopupDoubleWheel(POINT pt);
  // The client point at an angle (degrees, counter-clockwise) and a
  // distance from a client point.
  static POINT Toward(POINT from, float degrees, float distance);
  // The direction (degrees) of the middle of an outer item.
  float OuterItemDegrees(int index) const;
  // A stroke for the host to draw over the overlay (its own drawing): the
  // points the pointer went through, empty for none.
  std::vector<POINT>& Stroke() { return m_stroke; }

  CVrenkWidgeManager& Manager() { return m_manager; }
  CVrenkWheelMenu& Wheel() { return m_wheel; }
  CVrenkDoubleWheelMenu& DoubleWheel() { return m_doubleWheel; }
  Callback& Calls() { return m_callback; }
  Highlights& HighlightLog() { return m_highlights; }
  StepClock& Clock() { return m_clock; }
  int Width() const { return m_nWidth; }
  int Height() const { return m_nHeight; }

 private:
  POINT RingPoint(float cx, float cy, float radius, float startDegree, int count, int index, float at) const;
  bool m_bDrawScene = true;
  bool m_bFixedFunction = true;
  void DrawStroke() const;

  CVrenkWidgeManager m_manager;
  CVrenkWheelMenu m_wheel;
  CVrenkDoubleWheelMenu m_doubleWheel;
  Callback m_callback;
  Highlights m_highlights;
  StepClock m_clock;
  std::vector<POINT> m_stroke;
  int m_nWidth = 0;
  int m_nHeight = 0;
  float m_fAngle = 0;
};

// Reads the current colour buffer (bottom row first).
std::vector<unsigned char> ReadFrame(int width, int height);

// Whether the current context has the fixed-function pipeline.
bool CurrentContextHasFixedFunction();

}  // namespace vrenkdemo

#endif  // VRENK_EXAMPLES_DEMO_APP_H
