// VrenkWidge.h - the base of every control the manager drives and draws.
#ifndef VRENK_WIDGE_H
#define VRENK_WIDGE_H

#include "VrenkWidgeBoundTest.h"

namespace VrenkGLWidge {

class CVrenkWidgeManager;

// A widge has a box in overlay coordinates, a manager it is registered
// with, and six state flags. The manager hit-tests it by its box first and
// its precise HitTest second, offers it mouse events, and draws it with
// RenderActually. Mouse operations take overlay coordinates and return true
// when they handled the event.
class VRENK_API CVrenkWidge : public CVrenkWidgeBoundTest<2> {
  friend class CVrenkWidgeManager;

 public:
  CVrenkWidge();
  // Leaves the manager's list when still attached.
  virtual ~CVrenkWidge();

  CVrenkWidge(const CVrenkWidge&) = delete;
  CVrenkWidge& operator=(const CVrenkWidge&) = delete;

  // Attaches the widge to a manager and appends it to the manager's list.
  virtual void Init(CVrenkWidgeManager* pManager);
  // Leaves the manager's list and forgets the manager.
  virtual void Release();

 protected:
  // Precise hit test, called only after the box test passed.
  virtual bool HitTest(float x, float y) = 0;
  // Recomputes geometry and box after a viewport change.
  virtual void RecalculateLayout() = 0;
  // Issues the GL drawing calls, restoring every state it changes.
  virtual void RenderActually() = 0;

 public:
  virtual bool OnMouseMove(float x, float y) = 0;
  virtual bool OnMouseEnter(float x, float y) = 0;
  // Clears the pressed flag; overrides call it. Returns true.
  virtual bool OnMouseLeave(float x, float y) = 0;
  // Sets the pressed flag; returns true.
  virtual bool OnLButtonDown(float x, float y);
  // Clears the pressed flag; returns true.
  virtual bool OnLButtonUp(float x, float y);
  virtual bool OnRButtonDown(float x, float y) = 0;
  virtual bool OnRButtonUp(float x, float y) = 0;
  virtual bool OnMouseWheel(int nDelta, float x, float y) = 0;

  // Draws the widge whatever its flags, then marks it clean.
  void Render();
  void SetEnable(bool bEnable);
  bool IsEnable() const { return m_bEnable; }
  void SetVisible(bool bVisible);
  bool IsVisible() const { return m_bVisible; }
  bool IsHovered() const { return m_bHovered; }
  bool IsLBtnPressed() const { return m_bLBtnPressed; }

 protected:
  // Marks the widge dirty and asks its manager for a redraw of its box. A
  // widge without a manager only marks itself.
  void SetDirty();
  bool IsDirty() const { return m_bDirty; }
  void SetRecevingHitMsgOnly(bool bOnly) { m_bRecevingHitMsgOnly = bOnly; }
  bool IsRecevingHitMsgOnly() const { return m_bRecevingHitMsgOnly; }

  // Colours are four bytes: red, green, blue, alpha (straight alpha).
  static void AssignColor4(unsigned char* dst, unsigned char r, unsigned char g, unsigned char b, unsigned char a);
  static void AssignColor4(unsigned char* dst, const unsigned char* src);
  static void AssignColor4(unsigned char* dst, unsigned char grey, unsigned char alpha);
  // dst = colorA * fWeightA + colorB * fWeightB per colour channel, and the
  // same with the alpha weights for alpha; truncated, low 8 bits kept.
  static void InterpolateColor4(unsigned char* dst, const unsigned char* colorA, float fWeightA, float fAlphaWeightA,
                                const unsigned char* colorB, float fWeightB, float fAlphaWeightB);

  CVrenkWidgeManager* m_pManager;
  bool m_bRecevingHitMsgOnly;
  bool m_bEnable;
  bool m_bVisible;
  bool m_bDirty;
  bool m_bHovered;
  bool m_bLBtnPressed;
};

}  // namespace VrenkGLWidge

#endif  // VRENK_WIDGE_H
