// VrenkWidgeManagerMouse.cpp - the host's mouse messages: hit tests, hover
// bookkeeping and the offering of events to widges.
#include <vector>

#include "VrenkMenuBase.h"
#include "VrenkWidge.h"
#include "VrenkWidgeManager.h"
#include "menu/VrenkMenuSelection.h"
#include "widge/manager_interaction.h"

namespace VrenkGLWidge {

void CVrenkWidgeManager::HitTest(float x, float y, std::vector<CVrenkWidge*>* pHit,
                                 std::vector<CVrenkWidge*>* pMiss) {
  if (pHit == nullptr || pMiss == nullptr) return;
  pHit->clear();
  pMiss->clear();
  for (size_t i = 0; i < m_vecWidges.size(); ++i) {
    CVrenkWidge* widge = m_vecWidges[i];
    if (!widge->m_bEnable || !widge->m_bVisible) continue;
    if (widge->IsHitBox(x, y) && widge->HitTest(x, y)) {
      pHit->push_back(widge);
    } else {
      pMiss->push_back(widge);
    }
  }
}

void CVrenkWidgeManager::HitTest(float x, float y) { HitTest(x, y, &m_vecHitWidges, &m_vecMissWidges); }

void CVrenkWidgeManager::HitTestByClientWindowPoint(POINT pt, float* pX, float* pY) {
  int x = 0;
  int y = 0;
  ClientWindowsToGLViewport(m_nWndHeight, pt, m_nViewport, &x, &y);
  m_fLastX = static_cast<float>(x);
  m_fLastY = static_cast<float>(y);
  if (pX != nullptr) *pX = m_fLastX;
  if (pY != nullptr) *pY = m_fLastY;
  HitTest(m_fLastX, m_fLastY);
}

void CVrenkWidgeManager::TrackPointer(POINT pt, bool bScreenPoint) {
  if (bScreenPoint) ScreenToClient(m_hWnd, &pt);
  int x = 0;
  int y = 0;
  ClientWindowsToGLViewport(m_nWndHeight, pt, m_nViewport, &x, &y);
  m_fLastX = static_cast<float>(x);
  m_fLastY = static_cast<float>(y);
}

void CVrenkWidgeManager::HitTestByScreenWindowPoint(POINT pt, float* pX, float* pY) {
  ScreenToClient(m_hWnd, &pt);
  HitTestByClientWindowPoint(pt, pX, pY);
}

namespace {

bool Contains(const std::vector<CVrenkWidge*>& list, const CVrenkWidge* widge) {
  for (const CVrenkWidge* w : list) {
    if (w == widge) return true;
  }
  return false;
}

}  // namespace

// NOTE: a handler may register, release or even destroy widges (a menu's
// callback can do anything). The lists are walked by index with the size
// read every step, and once the widge list has changed, each widge is
// looked up by address before it is touched, so a released or destroyed
// widge is never called.
bool CVrenkWidgeManager::OnMouseMove(unsigned int, POINT pt) {
  // A stroke owns the pointer: no other widge sees its moves.
  if (StrokeHolder() != nullptr) return CapturedMove(pt);
  return DispatchMove(pt);
}

bool CVrenkWidgeManager::DispatchMove(POINT pt) {
  HitTestByClientWindowPoint(pt, nullptr, nullptr);
  const float x = m_fLastX;
  const float y = m_fLastY;
  const unsigned int version = m_nListVersion;
  auto alive = [this, version](CVrenkWidge* widge) {
    return version == m_nListVersion || Contains(m_vecWidges, widge);
  };
  bool handled = false;

  for (size_t i = 0; i < m_vecHitWidges.size(); ++i) {
    CVrenkWidge* widge = m_vecHitWidges[i];
    if (!alive(widge)) continue;
    if (!handled && widge->m_bEnable && widge->m_bVisible) {
      if (widge->m_bHovered) {
        handled = widge->OnMouseMove(x, y);
      } else {
        handled = widge->OnMouseEnter(x, y);
        if (!handled && alive(widge)) handled = widge->OnMouseMove(x, y);
      }
      if (!alive(widge)) continue;
    }
    widge->m_bHovered = true;
  }

  for (size_t i = 0; i < m_vecMissWidges.size(); ++i) {
    CVrenkWidge* widge = m_vecMissWidges[i];
    if (!alive(widge)) continue;
    if (!handled) {
      if (widge->m_bEnable && widge->m_bVisible && !widge->m_bRecevingHitMsgOnly) {
        if (widge->m_bHovered) {
          handled = widge->OnMouseLeave(x, y);
          if (!handled && alive(widge)) handled = widge->OnMouseMove(x, y);
        } else {
          handled = widge->OnMouseMove(x, y);
        }
      } else if (widge->m_bHovered) {
        handled = widge->OnMouseLeave(x, y);
      }
      if (!alive(widge)) continue;
    }
    widge->m_bHovered = false;
  }
  return handled;
}

template <typename Offer>
bool CVrenkWidgeManager::DispatchButton(POINT pt, bool bScreenPoint, Offer offer, CVrenkWidge** ppHandler) {
  if (bScreenPoint) {
    HitTestByScreenWindowPoint(pt, nullptr, nullptr);
  } else {
    HitTestByClientWindowPoint(pt, nullptr, nullptr);
  }
  const float x = m_fLastX;
  const float y = m_fLastY;
  bool handled = false;
  // The offering ends with the first handler, so the list is read live: no
  // widge is called after a handler has changed it.
  for (size_t i = 0; i < m_vecWidges.size() && !handled; ++i) {
    CVrenkWidge* widge = m_vecWidges[i];
    if (!widge->m_bEnable || !widge->m_bVisible) continue;
    if (widge->m_bHovered || !widge->m_bRecevingHitMsgOnly) handled = offer(widge, x, y);
    if (handled && ppHandler != nullptr) *ppHandler = widge;
  }
  return handled;
}

// NOTE: while a stroke holds the pointer (a held popup, or a press on a
// menu that selects by direction) every button and wheel message goes to
// that menu alone, and the release that ends the stroke is its choice. A
// popup left open by a tap takes the presses over it and closes on a press
// anywhere else, which nobody else is offered (nor its release).
bool CVrenkWidgeManager::OnLButtonDown(unsigned int, POINT pt) {
  SManagerInteraction& state = *m_pInteraction;
  state.bSwallowRelease = false;
  if (CVrenkMenuBase* pHolder = StrokeHolder()) {
    TrackPointer(pt, false);
    return static_cast<CVrenkWidge*>(pHolder)->OnLButtonDown(m_fLastX, m_fLastY);
  }
  if (state.ePopupState == SManagerInteraction::POPUP_OPEN) return PopupOpenPress(pt, true);
  CVrenkWidge* pHandler = nullptr;
  const bool handled =
      DispatchButton(pt, false, [](CVrenkWidge* w, float x, float y) { return w->OnLButtonDown(x, y); }, &pHandler);
  if (pHandler != nullptr) BeginDirectionStroke(pHandler);
  return handled;
}

bool CVrenkWidgeManager::OnLButtonUp(unsigned int, POINT pt) {
  SManagerInteraction& state = *m_pInteraction;
  if (StrokeHolder() != nullptr) return EndStroke(pt);
  if (state.bSwallowRelease) {
    state.bSwallowRelease = false;
    TrackPointer(pt, false);
    return true;
  }
  if (state.ePopupState == SManagerInteraction::POPUP_OPEN) return PopupOpenRelease(pt, true);
  return DispatchButton(pt, false, [](CVrenkWidge* w, float x, float y) { return w->OnLButtonUp(x, y); });
}

bool CVrenkWidgeManager::OnRButtonDown(unsigned int, POINT pt) {
  SManagerInteraction& state = *m_pInteraction;
  state.bSwallowRelease = false;
  if (CVrenkMenuBase* pHolder = StrokeHolder()) {
    TrackPointer(pt, false);
    return static_cast<CVrenkWidge*>(pHolder)->OnRButtonDown(m_fLastX, m_fLastY);
  }
  if (state.ePopupState == SManagerInteraction::POPUP_OPEN) return PopupOpenPress(pt, false);
  return DispatchButton(pt, false, [](CVrenkWidge* w, float x, float y) { return w->OnRButtonDown(x, y); });
}

bool CVrenkWidgeManager::OnRButtonUp(unsigned int, POINT pt) {
  SManagerInteraction& state = *m_pInteraction;
  if (CVrenkMenuBase* pHolder = StrokeHolder()) {
    // A popup may have been opened from either button: either ends it.
    if (pHolder == state.pPopup) return EndStroke(pt);
    TrackPointer(pt, false);
    return static_cast<CVrenkWidge*>(pHolder)->OnRButtonUp(m_fLastX, m_fLastY);
  }
  if (state.bSwallowRelease) {
    state.bSwallowRelease = false;
    TrackPointer(pt, false);
    return true;
  }
  if (state.ePopupState == SManagerInteraction::POPUP_OPEN) return PopupOpenRelease(pt, false);
  return DispatchButton(pt, false, [](CVrenkWidge* w, float x, float y) { return w->OnRButtonUp(x, y); });
}

bool CVrenkWidgeManager::OnMouseWheel(unsigned int, short nDelta, POINT pt) {
  const int delta = nDelta;
  if (CVrenkMenuBase* pHolder = StrokeHolder()) {
    TrackPointer(pt, true);
    return static_cast<CVrenkWidge*>(pHolder)->OnMouseWheel(delta, m_fLastX, m_fLastY);
  }
  return DispatchButton(pt, true,
                        [delta](CVrenkWidge* w, float x, float y) { return w->OnMouseWheel(delta, x, y); });
}

// --- A popup left open by a tap -------------------------------------------------------

bool CVrenkWidgeManager::IsOverPopup(float x, float y) {
  CVrenkMenuBase* pMenu = m_pInteraction->pPopup;
  CVrenkWidge* pWidge = pMenu;
  if (!pWidge->m_bEnable || !pWidge->m_bVisible || !pWidge->IsHitBox(x, y)) return false;
  const bool bHit = pWidge->HitTest(x, y);
  // The highlight hook may have released it.
  return bHit && m_pInteraction->pPopup == pMenu;
}

bool CVrenkWidgeManager::PopupOpenPress(POINT pt, bool bLeft) {
  TrackPointer(pt, false);
  CVrenkWidge* pPopup = m_pInteraction->pPopup;
  if (IsOverPopup(m_fLastX, m_fLastY)) {
    return bLeft ? pPopup->OnLButtonDown(m_fLastX, m_fLastY) : pPopup->OnRButtonDown(m_fLastX, m_fLastY);
  }
  // A press anywhere else closes it; that click is over.
  if (m_pInteraction->pPopup != nullptr) ClosePopupMenu();
  m_pInteraction->bSwallowRelease = true;
  return true;
}

bool CVrenkWidgeManager::PopupOpenRelease(POINT pt, bool bLeft) {
  SManagerInteraction& state = *m_pInteraction;
  TrackPointer(pt, false);
  CVrenkMenuBase* pMenu = state.pPopup;
  CVrenkWidge* pWidge = pMenu;
  if (!IsOverPopup(m_fLastX, m_fLastY)) {
    if (bLeft) return DispatchButton(pt, false, [](CVrenkWidge* w, float x, float y) { return w->OnLButtonUp(x, y); });
    return DispatchButton(pt, false, [](CVrenkWidge* w, float x, float y) { return w->OnRButtonUp(x, y); });
  }
  if (!bLeft) return pWidge->OnRButtonUp(m_fLastX, m_fLastY);
  const bool bChoice = CVrenkMenuSelection::IsHighlightChoosable(*pMenu);
  const unsigned int nSerial = state.nPopupSerial;
  const bool result = pWidge->OnLButtonUp(m_fLastX, m_fLastY);
  if (bChoice && state.pPopup == pMenu && state.nPopupSerial == nSerial) ClosePopupMenu();
  return result;
}

}  // namespace VrenkGLWidge
