// recording_widge.h - a widge that records what the manager asks of it.
#ifndef VRENK_TESTS_RECORDING_WIDGE_H
#define VRENK_TESTS_RECORDING_WIDGE_H

#include <string>
#include <vector>

#include "VrenkGLWidge.h"

namespace vrenktest {

class RecordingWidge : public VrenkGLWidge::CVrenkWidge {
 public:
  explicit RecordingWidge(std::vector<std::string>* log = nullptr, const char* name = "w")
      : m_log(log), m_name(name) {}

  // Box in overlay coordinates.
  void SetBox(float x0, float y0, float x1, float y1) { UpdateBox(x0, y0, x1, y1); }
  using CVrenkWidge::IsDirty;
  using CVrenkWidge::SetDirty;
  using CVrenkWidge::SetRecevingHitMsgOnly;
  using CVrenkWidge::AssignColor4;
  using CVrenkWidge::InterpolateColor4;
  void ForceHovered(bool hovered) { m_bHovered = hovered; }

  // What each handler returns; HitTest's precise answer.
  bool preciseHit = true;
  bool enterResult = false;
  bool moveResult = false;
  bool leaveResult = false;
  bool buttonResult = true;
  // Drawing: a filled rectangle over the box in this colour, when set.
  bool drawBox = false;
  unsigned char color[4] = {255, 255, 255, 255};

  int layouts = 0;
  int renders = 0;
  VrenkGLWidge::HGLRC contextDuringRender = nullptr;
  float lastX = 0;
  float lastY = 0;
  int lastDelta = 0;

 protected:
  bool HitTest(float x, float y) override {
    Log("hit", x, y);
    return preciseHit;
  }
  void RecalculateLayout() override { ++layouts; }
  void RenderActually() override;
  bool OnMouseMove(float x, float y) override { return Log("move", x, y), moveResult; }
  bool OnMouseEnter(float x, float y) override { return Log("enter", x, y), enterResult; }
  bool OnMouseLeave(float x, float y) override {
    Log("leave", x, y);
    CVrenkWidge::OnMouseLeave(x, y);
    return leaveResult;
  }
  bool OnLButtonDown(float x, float y) override {
    Log("ldown", x, y);
    CVrenkWidge::OnLButtonDown(x, y);
    return buttonResult;
  }
  bool OnLButtonUp(float x, float y) override {
    Log("lup", x, y);
    CVrenkWidge::OnLButtonUp(x, y);
    return buttonResult;
  }
  bool OnRButtonDown(float x, float y) override { return Log("rdown", x, y), buttonResult; }
  bool OnRButtonUp(float x, float y) override { return Log("rup", x, y), buttonResult; }
  bool OnMouseWheel(int delta, float x, float y) override {
    lastDelta = delta;
    return Log("wheel", x, y), buttonResult;
  }

 private:
  void Log(const char* what, float x, float y) {
    lastX = x;
    lastY = y;
    if (m_log != nullptr) m_log->push_back(m_name + ":" + what);
  }
  std::vector<std::string>* m_log;
  std::string m_name;
};

inline void RecordingWidge::RenderActually() {
  ++renders;
  contextDuringRender = VrenkGLWidge::wglGetCurrentContext();
  if (m_log != nullptr) m_log->push_back(m_name + ":render");
  if (!drawBox) return;
  glPushAttrib(GL_CURRENT_BIT);
  glColor4ubv(color);
  glRectf(m_fLowerBound[0], m_fLowerBound[1], m_fUpperBound[0], m_fUpperBound[1]);
  glPopAttrib();
}

}  // namespace vrenktest

#endif  // VRENK_TESTS_RECORDING_WIDGE_H
