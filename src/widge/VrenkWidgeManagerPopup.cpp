// VrenkWidgeManagerPopup.cpp - popups at the press point, strokes that hold
// the pointer for one menu, the mark-ahead delay and the clock.
//
// A stroke begins with PopupMenu, or with a left press on a menu that
// selects by direction, and ends with the release. While it lasts the
// pointer is captured: the moves and buttons go to that menu alone, and
// the stroke's highlight follows the pointer (see TrackStroke). The release
// decides: within the dead zone a popup stays open for an ordinary click
// and a menu's stroke chooses nothing; beyond a set cancel distance nothing
// is chosen; anywhere else the highlighted item is chosen by the click rule.
#include <algorithm>
#include <cmath>

#include "VrenkMenuBase.h"
#include "VrenkWidgeManager.h"
#include "menu/VrenkMenuSelection.h"
#include "widge/manager_interaction.h"

namespace VrenkFunctional {

IVrenkTimeSourceBase::~IVrenkTimeSourceBase() {}

}  // namespace VrenkFunctional

namespace VrenkGLWidge {

unsigned int CSystemTimeSource::GetMilliseconds() { return static_cast<unsigned int>(GetTickCount()); }

namespace {

// Delays are compared with differences of wrapping readings, which are
// meaningful up to half the clock's range.
constexpr unsigned int kMaxPopupDelay = 0x7FFFFFFFu;

double Distance(const float* pFrom, float x, float y) {
  const double dx = static_cast<double>(x) - pFrom[0];
  const double dy = static_cast<double>(y) - pFrom[1];
  return std::sqrt(dx * dx + dy * dy);
}

bool Contains(const std::vector<CVrenkWidge*>& list, const CVrenkWidge* pWidge) {
  return std::find(list.begin(), list.end(), pWidge) != list.end();
}

}  // namespace

bool CVrenkWidgeManager::IsListed(const CVrenkWidge* pWidge) const { return Contains(m_vecWidges, pWidge); }

// --- The public operations ------------------------------------------------------

int CVrenkWidgeManager::PopupMenu(CVrenkMenuBase* pMenu, POINT ptClient) {
  if (pMenu == nullptr) return -5;
  CVrenkWidge* pWidge = pMenu;
  if (!IsListed(pWidge) || pWidge->m_pManager != this) return -4;
  if (!CVrenkMenuSelection::IsWheel(*pMenu) || !pWidge->m_bEnable) return -8;

  // Whatever was going on ends with nothing chosen. The highlight hook
  // hears of that and may release menus, this one too.
  SManagerInteraction& state = *m_pInteraction;
  if (state.pPopup != nullptr) ClosePopupMenu();
  if (state.pCapture != nullptr) CancelStroke();
  if (!IsListed(pWidge) || pWidge->m_pManager != this) return -4;

  int x = 0;
  int y = 0;
  ClientWindowsToGLViewport(m_nWndHeight, ptClient, m_nViewport, &x, &y);
  m_fLastX = static_cast<float>(x);
  m_fLastY = static_cast<float>(y);
  if (pWidge->m_bVisible) SetNeedReRender(pWidge);  // the place it leaves
  // A press point off the view (a host's stray coordinates) puts the centre
  // on the view's edge; the menu's placement keeps its box inside from there.
  CVrenkMenuSelection::PlaceAt(*pMenu, std::clamp(x, 0, std::max(0, m_nViewport[2])),
                               std::clamp(y, 0, std::max(0, m_nViewport[3])));
  pWidge->m_bLBtnPressed = false;

  state.pPopup = pMenu;
  state.ePopupState = SManagerInteraction::POPUP_HELD;
  ++state.nPopupSerial;
  state.pCapture = pMenu;
  state.fOrigin[0] = m_fLastX;
  state.fOrigin[1] = m_fLastY;
  state.bSwallowRelease = false;
  state.bShowPending = state.nPopupDelay > 0;
  if (state.bShowPending) {
    state.nRestStart = state.pClock->GetMilliseconds();
    state.fRestAnchor[0] = m_fLastX;
    state.fRestAnchor[1] = m_fLastY;
    pWidge->SetVisible(false);
  } else {
    pWidge->SetVisible(true);
    pWidge->SetDirty();
  }
  CVrenkMenuSelection::SetHighlight(*pMenu, kNoHighlight);
  return 0;
}

int CVrenkWidgeManager::ClosePopup() {
  if (m_pInteraction->pPopup == nullptr) return -4;
  ClosePopupMenu();
  return 0;
}

CVrenkMenuBase* CVrenkWidgeManager::GetPopupMenu() const { return m_pInteraction->pPopup; }

CVrenkMenuBase* CVrenkWidgeManager::GetCaptureMenu() const { return m_pInteraction->pCapture; }

void CVrenkWidgeManager::SetPopupDelay(unsigned int nMilliseconds) {
  m_pInteraction->nPopupDelay = std::min(nMilliseconds, kMaxPopupDelay);
}

unsigned int CVrenkWidgeManager::GetPopupDelay() const { return m_pInteraction->nPopupDelay; }

int CVrenkWidgeManager::SetTimeSource(VrenkFunctional::IVrenkTimeSourceBase* pTimeSource) {
  SManagerInteraction& state = *m_pInteraction;
  state.pClock = pTimeSource != nullptr ? pTimeSource : &state.systemClock;
  // A rest measured on another clock means nothing on this one: it starts
  // again.
  if (state.bShowPending) state.nRestStart = state.pClock->GetMilliseconds();
  return pTimeSource != nullptr ? 0 : -5;
}

int CVrenkWidgeManager::GetTimerDelay() {
  SManagerInteraction& state = *m_pInteraction;
  if (!state.bShowPending || state.pPopup == nullptr) return -1;
  // A host that showed the popup itself has nothing left to wait for.
  if (static_cast<CVrenkWidge*>(state.pPopup)->m_bVisible) {
    state.bShowPending = false;
    return -1;
  }
  const unsigned int nElapsed = state.pClock->GetMilliseconds() - state.nRestStart;
  if (nElapsed >= state.nPopupDelay) return 0;
  return static_cast<int>(state.nPopupDelay - nElapsed);
}

bool CVrenkWidgeManager::OnTimer() {
  SManagerInteraction& state = *m_pInteraction;
  if (GetTimerDelay() < 0) return false;
  if (state.pClock->GetMilliseconds() - state.nRestStart < state.nPopupDelay) return false;
  ShowPendingPopup();
  return true;
}

// --- Strokes ----------------------------------------------------------------------

CVrenkMenuBase* CVrenkWidgeManager::StrokeHolder() {
  SManagerInteraction& state = *m_pInteraction;
  CVrenkMenuBase* pMenu = state.pCapture;
  if (pMenu == nullptr) return nullptr;
  const CVrenkWidge* pWidge = pMenu;
  if (pMenu == state.pPopup) {
    if (pWidge->m_bEnable) return pMenu;
    // A popup the host disabled closes, nothing chosen.
    ClosePopupMenu();
    return nullptr;
  }
  if (pWidge->m_bEnable && pWidge->m_bVisible && CVrenkMenuSelection::IsSelectByDirection(*pMenu)) return pMenu;
  // A menu disabled, hidden or switched to clicks mid-stroke lets the
  // pointer go: from now on the ordinary rules apply to it.
  state.pCapture = nullptr;
  return nullptr;
}

void CVrenkWidgeManager::BeginDirectionStroke(CVrenkWidge* pHandler) {
  // The handler may have released itself: only a listed widge is looked at.
  if (!IsListed(pHandler) || !Contains(m_vecHitWidges, pHandler)) return;
  CVrenkMenuBase* pMenu = dynamic_cast<CVrenkMenuBase*>(pHandler);
  if (pMenu == nullptr || !CVrenkMenuSelection::IsWheel(*pMenu) || !CVrenkMenuSelection::IsSelectByDirection(*pMenu))
    return;
  if (!pHandler->m_bEnable || !pHandler->m_bVisible) return;
  SManagerInteraction& state = *m_pInteraction;
  state.pCapture = pMenu;
  CVrenkMenuSelection::GetCenter(*pMenu, &state.fOrigin[0], &state.fOrigin[1]);
  TrackStroke(pMenu, m_fLastX, m_fLastY);
}

void CVrenkWidgeManager::TrackStroke(CVrenkMenuBase* pMenu, float x, float y) {
  const SManagerInteraction& state = *m_pInteraction;
  const double d = Distance(state.fOrigin, x, y);
  const double dCancel = CVrenkMenuSelection::CancelDistance(*pMenu);
  if (!(d > CVrenkMenuSelection::DeadZone(*pMenu)) || (dCancel > 0.0 && d > dCancel)) {
    CVrenkMenuSelection::SetHighlight(*pMenu, kNoHighlight);
  } else if (CVrenkMenuSelection::IsSelectByDirection(*pMenu)) {
    CVrenkMenuSelection::SetHighlight(
        *pMenu, CVrenkMenuSelection::DirectionItem(*pMenu, x, y, state.fOrigin[0], state.fOrigin[1]));
  } else {
    // A popup of a menu that chooses by position: the item under the
    // pointer, as a move over the menu shows it.
    CVrenkWidge* pWidge = pMenu;
    if (pWidge->IsHitBox(x, y)) {
      pWidge->HitTest(x, y);
    } else {
      CVrenkMenuSelection::SetHighlight(*pMenu, kNoHighlight);
    }
  }
}

bool CVrenkWidgeManager::CheckRest(float x, float y) {
  SManagerInteraction& state = *m_pInteraction;
  const unsigned int nNow = state.pClock->GetMilliseconds();
  // A pointer that rested long enough shows the popup even when the host
  // was not asked back in time and the first news of it is this move.
  if (nNow - state.nRestStart >= state.nPopupDelay) {
    ShowPendingPopup();
    return true;
  }
  if (Distance(state.fRestAnchor, x, y) > kRestPixels) {
    state.fRestAnchor[0] = x;
    state.fRestAnchor[1] = y;
    state.nRestStart = nNow;
  }
  return false;
}

void CVrenkWidgeManager::ShowPendingPopup() {
  SManagerInteraction& state = *m_pInteraction;
  state.bShowPending = false;
  if (state.pPopup != nullptr) static_cast<CVrenkWidge*>(state.pPopup)->SetVisible(true);
}

bool CVrenkWidgeManager::CapturedMove(POINT pt) {
  SManagerInteraction& state = *m_pInteraction;
  CVrenkMenuBase* pMenu = state.pCapture;
  TrackPointer(pt, false);
  if (pMenu == state.pPopup && state.bShowPending) CheckRest(m_fLastX, m_fLastY);
  TrackStroke(pMenu, m_fLastX, m_fLastY);
  if (state.pCapture == pMenu) static_cast<CVrenkWidge*>(pMenu)->OnMouseMove(m_fLastX, m_fLastY);
  return true;
}

bool CVrenkWidgeManager::EndStroke(POINT pt) {
  SManagerInteraction& state = *m_pInteraction;
  CVrenkMenuBase* pMenu = state.pCapture;
  CVrenkWidge* pWidge = pMenu;
  const bool bPopup = pMenu == state.pPopup;
  TrackPointer(pt, false);
  const float x = m_fLastX;
  const float y = m_fLastY;
  if (bPopup && state.bShowPending) CheckRest(x, y);
  TrackStroke(pMenu, x, y);
  // The highlight hook may have released the menu.
  if (state.pCapture != pMenu) return true;
  state.pCapture = nullptr;

  const double d = Distance(state.fOrigin, x, y);
  const double dCancel = CVrenkMenuSelection::CancelDistance(*pMenu);
  if (!(d > CVrenkMenuSelection::DeadZone(*pMenu))) {
    if (bPopup) {
      // A tap: the popup stays, shown now if it was waiting, for a click.
      // Nothing is highlighted until the pointer moves onto an item; the
      // other widges' hover is still that of the press point.
      state.ePopupState = SManagerInteraction::POPUP_OPEN;
      state.bShowPending = false;
      pWidge->SetVisible(true);
      return true;
    }
    pWidge->m_bLBtnPressed = false;
    pWidge->SetDirty();
    SyncAfterStroke(pWidge, pt);
    return true;
  }
  if (dCancel > 0.0 && d > dCancel) {
    if (bPopup) {
      ClosePopupMenu();
    } else {
      pWidge->m_bLBtnPressed = false;
      pWidge->SetDirty();
    }
    SyncAfterStroke(pWidge, pt);
    return true;
  }
  // The choice, by the click rule. Its callback may do anything, even open
  // this menu again as a new popup.
  const unsigned int nSerial = state.nPopupSerial;
  const bool result = pWidge->OnLButtonUp(x, y);
  if (bPopup && state.pPopup == pMenu && state.nPopupSerial == nSerial) ClosePopupMenu();
  SyncAfterStroke(pWidge, pt);
  return result;
}

void CVrenkWidgeManager::SyncAfterStroke(CVrenkWidge* pWidge, POINT pt) {
  // The widges' hover follows the pointer again, as a move there shows it,
  // unless a handler has begun another stroke.
  if (m_pInteraction->pCapture != nullptr) return;
  DispatchMove(pt);
  // A stroke that ended away from its menu leaves nothing highlighted.
  if (!IsListed(pWidge) || Contains(m_vecHitWidges, pWidge)) return;
  CVrenkMenuBase* pMenu = dynamic_cast<CVrenkMenuBase*>(pWidge);
  if (pMenu != nullptr && CVrenkMenuSelection::IsWheel(*pMenu)) CVrenkMenuSelection::SetHighlight(*pMenu, kNoHighlight);
}

void CVrenkWidgeManager::ClosePopupMenu() {
  SManagerInteraction& state = *m_pInteraction;
  CVrenkMenuBase* pMenu = state.pPopup;
  if (pMenu == nullptr) return;
  state.pPopup = nullptr;
  state.ePopupState = SManagerInteraction::POPUP_NONE;
  state.bShowPending = false;
  if (state.pCapture == pMenu) state.pCapture = nullptr;
  CVrenkWidge* pWidge = pMenu;
  pWidge->m_bLBtnPressed = false;
  pWidge->SetVisible(false);
  SetNeedReRender(pWidge);
  // Last: the hook may release the menu.
  CVrenkMenuSelection::SetHighlight(*pMenu, kNoHighlight);
}

void CVrenkWidgeManager::CancelStroke() {
  SManagerInteraction& state = *m_pInteraction;
  CVrenkMenuBase* pMenu = state.pCapture;
  if (pMenu == nullptr) return;
  if (pMenu == state.pPopup) {
    ClosePopupMenu();
    return;
  }
  state.pCapture = nullptr;
  CVrenkWidge* pWidge = pMenu;
  pWidge->m_bLBtnPressed = false;
  pWidge->SetDirty();
  CVrenkMenuSelection::SetHighlight(*pMenu, kNoHighlight);
}

void CVrenkWidgeManager::ForgetInteraction(const CVrenkWidge* pWidge) {
  // Only addresses are compared: the widge may be on its way out.
  SManagerInteraction& state = *m_pInteraction;
  if (state.pPopup != nullptr && (pWidge == nullptr || pWidge == state.pPopup)) {
    state.pPopup = nullptr;
    state.ePopupState = SManagerInteraction::POPUP_NONE;
    state.bShowPending = false;
    m_bNeedReRender = true;
  }
  if (pWidge == nullptr || pWidge == state.pCapture) state.pCapture = nullptr;
}

}  // namespace VrenkGLWidge
