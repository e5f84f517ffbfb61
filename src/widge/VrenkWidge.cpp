// VrenkWidge.cpp - the widge base: attachment, flags and colour helpers.
#include "VrenkWidge.h"

#include "common/color.h"

#include "VrenkWidgeManager.h"

namespace VrenkGLWidge {

CVrenkWidge::CVrenkWidge()
    : m_pManager(nullptr),
      m_bRecevingHitMsgOnly(true),
      m_bEnable(true),
      m_bVisible(true),
      m_bDirty(true),
      m_bHovered(false),
      m_bLBtnPressed(false) {}

CVrenkWidge::~CVrenkWidge() { CVrenkWidge::Release(); }

void CVrenkWidge::Init(CVrenkWidgeManager* pManager) {
  // Moving to another manager leaves the old one's list, which would
  // otherwise keep the address of a widge it no longer hears from.
  if (m_pManager != nullptr && m_pManager != pManager) CVrenkWidge::Release();
  m_pManager = pManager;
  if (pManager != nullptr) pManager->AddWidge(this);
}

// The pointer is cleared before the manager hears of it, so the manager
// knows the widge no longer points at it.
void CVrenkWidge::Release() {
  if (m_pManager == nullptr) return;
  CVrenkWidgeManager* manager = m_pManager;
  m_pManager = nullptr;
  manager->RemoveWidge(this);
}

bool CVrenkWidge::OnMouseLeave(float, float) {
  m_bLBtnPressed = false;
  return true;
}

bool CVrenkWidge::OnLButtonDown(float, float) {
  m_bLBtnPressed = true;
  return true;
}

bool CVrenkWidge::OnLButtonUp(float, float) {
  m_bLBtnPressed = false;
  return true;
}

void CVrenkWidge::Render() {
  RenderActually();
  m_bDirty = false;
}

void CVrenkWidge::SetEnable(bool bEnable) {
  if (m_bEnable == bEnable) return;
  m_bEnable = bEnable;
  SetDirty();
}

void CVrenkWidge::SetVisible(bool bVisible) {
  if (m_bVisible == bVisible) return;
  m_bVisible = bVisible;
  SetDirty();
}

void CVrenkWidge::SetDirty() {
  m_bDirty = true;
  if (m_pManager != nullptr) m_pManager->SetNeedReRender(this);
}

void CVrenkWidge::AssignColor4(unsigned char* dst, unsigned char r, unsigned char g, unsigned char b,
                               unsigned char a) {
  dst[0] = r;
  dst[1] = g;
  dst[2] = b;
  dst[3] = a;
}

void CVrenkWidge::AssignColor4(unsigned char* dst, const unsigned char* src) {
  for (int i = 0; i < 4; ++i) dst[i] = src[i];
}

void CVrenkWidge::AssignColor4(unsigned char* dst, unsigned char grey, unsigned char alpha) {
  dst[0] = dst[1] = dst[2] = grey;
  dst[3] = alpha;
}

void CVrenkWidge::InterpolateColor4(unsigned char* dst, const unsigned char* colorA, float fWeightA,
                                    float fAlphaWeightA, const unsigned char* colorB, float fWeightB,
                                    float fAlphaWeightB) {
  color::Interpolate4(dst, colorA, fWeightA, fAlphaWeightA, colorB, fWeightB, fAlphaWeightB);
}

}  // namespace VrenkGLWidge
