// VrenkWidgeManagerKeyboard.cpp - key messages: which menu a key goes to,
// and what the menus do with it.
#include <cstdint>

#include "VrenkMenuBase.h"
#include "VrenkWidgeManager.h"
#include "menu/VrenkMenuSelection.h"
#include "widge/manager_interaction.h"

namespace VrenkGLWidge {

namespace {

constexpr unsigned int kLeftShift = 1;
constexpr unsigned int kRightShift = 2;
// The right Shift key's scan code, in bits 16 to 23 of a key message's
// lParam: Windows names both Shift keys VK_SHIFT.
constexpr unsigned int kRightShiftScanCode = 0x36;

unsigned int LParamBits(LPARAM lParam) { return static_cast<unsigned int>(static_cast<uintptr_t>(lParam)); }

// The Shift key a message is about (0 for other keys).
unsigned int ShiftBit(unsigned int nKey, LPARAM lParam) {
  if (nKey == VK_LSHIFT) return kLeftShift;
  if (nKey == VK_RSHIFT) return kRightShift;
  if (nKey == VK_SHIFT) return ((LParamBits(lParam) >> 16) & 0xFFu) == kRightShiftScanCode ? kRightShift : kLeftShift;
  return 0;
}

// The direction (degrees, counter-clockwise from +x) an arrow or numpad
// digit points in.
bool KeyDirection(unsigned int nKey, double* pDegrees) {
  switch (nKey) {
    case VK_RIGHT:
    case VK_NUMPAD6:
      *pDegrees = 0.0;
      return true;
    case VK_NUMPAD9:
      *pDegrees = 45.0;
      return true;
    case VK_UP:
    case VK_NUMPAD8:
      *pDegrees = 90.0;
      return true;
    case VK_NUMPAD7:
      *pDegrees = 135.0;
      return true;
    case VK_LEFT:
    case VK_NUMPAD4:
      *pDegrees = 180.0;
      return true;
    case VK_NUMPAD1:
      *pDegrees = 225.0;
      return true;
    case VK_DOWN:
    case VK_NUMPAD2:
      *pDegrees = 270.0;
      return true;
    case VK_NUMPAD3:
      *pDegrees = 315.0;
      return true;
    default:
      return false;
  }
}

bool IsKeyUsed(const SManagerInteraction& state, unsigned int nKey) {
  return (state.nUsedKeys[nKey >> 5] >> (nKey & 31)) & 1u;
}

void MarkKeyUsed(SManagerInteraction& state, unsigned int nKey, bool bUsed) {
  const uint32_t nBit = 1u << (nKey & 31);
  if (bUsed) {
    state.nUsedKeys[nKey >> 5] |= nBit;
  } else {
    state.nUsedKeys[nKey >> 5] &= ~nBit;
  }
}

}  // namespace

bool CVrenkWidgeManager::OnKeyDown(WPARAM nVirtKey, LPARAM lParam) {
  if (nVirtKey > 0xFF) return false;
  SManagerInteraction& state = *m_pInteraction;
  const unsigned int nKey = static_cast<unsigned int>(nVirtKey);
  if (const unsigned int nShift = ShiftBit(nKey, lParam)) {
    state.nShiftKeys |= nShift;
    return false;
  }
  // Bit 30: the key was down before, so this is an auto-repeat.
  const bool bRepeat = ((LParamBits(lParam) >> 30) & 1u) != 0;
  CVrenkMenuBase* pMenu = KeyTarget();
  const bool bUsed = pMenu != nullptr && HandleKey(pMenu, nKey, bRepeat);
  MarkKeyUsed(state, nKey, bUsed);
  return bUsed;
}

bool CVrenkWidgeManager::OnKeyUp(WPARAM nVirtKey, LPARAM lParam) {
  if (nVirtKey > 0xFF) return false;
  SManagerInteraction& state = *m_pInteraction;
  const unsigned int nKey = static_cast<unsigned int>(nVirtKey);
  if (const unsigned int nShift = ShiftBit(nKey, lParam)) {
    state.nShiftKeys &= ~nShift;
    return false;
  }
  const bool bUsed = IsKeyUsed(state, nKey);
  MarkKeyUsed(state, nKey, false);
  return bUsed;
}

CVrenkMenuBase* CVrenkWidgeManager::KeyTarget() const {
  const SManagerInteraction& state = *m_pInteraction;
  if (state.pPopup != nullptr) return static_cast<CVrenkWidge*>(state.pPopup)->m_bEnable ? state.pPopup : nullptr;
  if (state.pCapture != nullptr) return state.pCapture;
  // The menu under the pointer: the first hovered one, as buttons go.
  for (CVrenkWidge* pWidge : m_vecWidges) {
    if (!pWidge->m_bEnable || !pWidge->m_bVisible || !pWidge->m_bHovered) continue;
    CVrenkMenuBase* pMenu = dynamic_cast<CVrenkMenuBase*>(pWidge);
    if (pMenu != nullptr && CVrenkMenuSelection::IsWheel(*pMenu)) return pMenu;
  }
  return nullptr;
}

bool CVrenkWidgeManager::HandleKey(CVrenkMenuBase* pMenu, unsigned int nKey, bool bRepeat) {
  SManagerInteraction& state = *m_pInteraction;
  const int nRing = CVrenkMenuSelection::KeyboardRing(*pMenu);

  double dDegrees = 0.0;
  if (KeyDirection(nKey, &dDegrees)) {
    const int nIndex = CVrenkMenuSelection::NearestItem(*pMenu, nRing, dDegrees);
    if (nIndex < 0) return false;
    CVrenkMenuSelection::SetHighlight(*pMenu, {nRing, nIndex});
    return true;
  }

  // Auto-repeats choose nothing more: holding Enter is one choice.
  const bool bChooses = nKey == VK_RETURN || nKey == VK_SPACE || nKey == VK_NUMPAD5 || (nKey >= '0' && nKey <= '9');
  if (bChooses && bRepeat) return IsKeyUsed(state, nKey);

  switch (nKey) {
    case VK_TAB: {
      const SMenuHighlight current = CVrenkMenuSelection::GetHighlight(*pMenu);
      const int nStep = state.nShiftKeys != 0 ? -1 : 1;
      const int nIndex = CVrenkMenuSelection::StepItem(*pMenu, nRing, current.nIndex, nStep);
      if (nIndex < 0) return false;
      CVrenkMenuSelection::SetHighlight(*pMenu, {nRing, nIndex});
      return true;
    }
    case VK_RETURN:
    case VK_SPACE:
    case VK_NUMPAD5:
      return ActivateHighlighted(pMenu);
    case VK_ESCAPE:
      if (pMenu == state.pPopup) {
        const bool bHeld = state.ePopupState == SManagerInteraction::POPUP_HELD;
        ClosePopupMenu();
        // The button of a held popup is still down; its release is over.
        if (bHeld) state.bSwallowRelease = true;
        return true;
      }
      if (pMenu == state.pCapture) {
        CancelStroke();
        state.bSwallowRelease = true;
        return true;
      }
      return false;
    case VK_PRIOR:
    case VK_NEXT: {
      // Page Up is the outer ring, Page Down the inner one.
      const int nTarget = nKey == VK_PRIOR ? 0 : 1;
      if (CVrenkMenuSelection::RingCount(*pMenu) < 2 || nTarget == nRing) return false;
      const SMenuHighlight current = CVrenkMenuSelection::GetHighlight(*pMenu);
      CVrenkMenuSelection::SetKeyboardRing(*pMenu, nTarget);
      if (current.nIndex >= 0) {
        // The highlight crosses to the item of the other ring in its
        // direction.
        const double dAt = CVrenkMenuSelection::ItemCenterDegrees(*pMenu, current.nRing, current.nIndex);
        const int nIndex = CVrenkMenuSelection::NearestItem(*pMenu, nTarget, dAt);
        CVrenkMenuSelection::SetHighlight(*pMenu, {nTarget, nIndex});
      }
      return true;
    }
    default:
      break;
  }

  if (nKey >= '0' && nKey <= '9') {
    // '1' is the first item, '0' the tenth.
    const int nIndex = nKey == '0' ? 9 : static_cast<int>(nKey - '1');
    if (!CVrenkMenuSelection::IsRingItemEnabled(*pMenu, nRing, nIndex)) return false;
    CVrenkMenuSelection::SetHighlight(*pMenu, {nRing, nIndex});
    // The highlight hook may have released the menu.
    if (IsListed(pMenu)) ActivateHighlighted(pMenu);
    return true;
  }
  return false;
}

bool CVrenkWidgeManager::ActivateHighlighted(CVrenkMenuBase* pMenu) {
  if (!CVrenkMenuSelection::IsHighlightChoosable(*pMenu)) return false;
  SManagerInteraction& state = *m_pInteraction;
  const bool bPopup = pMenu == state.pPopup;
  if (pMenu == state.pCapture) {
    // The key ends the stroke; the button's release is over.
    state.pCapture = nullptr;
    state.bSwallowRelease = true;
  }
  const unsigned int nSerial = state.nPopupSerial;
  static_cast<CVrenkWidge*>(pMenu)->OnLButtonUp(m_fLastX, m_fLastY);
  if (bPopup && state.pPopup == pMenu && state.nPopupSerial == nSerial) ClosePopupMenu();
  return true;
}

}  // namespace VrenkGLWidge
