// manager_interaction.h - what the manager keeps for popups, captured
// strokes, its clock and the keyboard. Internal to the library.
#ifndef VRENK_WIDGE_MANAGER_INTERACTION_H
#define VRENK_WIDGE_MANAGER_INTERACTION_H

#include <cstdint>

#include "VrenkTimeSource.h"

namespace VrenkGLWidge {

class CVrenkMenuBase;

// The default clock: the platform's GetTickCount.
class CSystemTimeSource : public VrenkFunctional::IVrenkTimeSourceBase {
 public:
  unsigned int GetMilliseconds() override;
};

struct SManagerInteraction {
  enum EPopupState {
    POPUP_NONE,
    POPUP_HELD,  // the button that opened it is still down: the pointer is captured
    POPUP_OPEN,  // a tap left it open for an ordinary click
  };

  // The popup, and where its stroke started (overlay pixels).
  CVrenkMenuBase* pPopup = nullptr;
  EPopupState ePopupState = POPUP_NONE;
  // Counts PopupMenu calls, so that a handler that opens a popup anew is
  // told apart from the popup it was called for.
  unsigned int nPopupSerial = 0;

  // The menu the pointer is captured for, and the origin of its stroke.
  CVrenkMenuBase* pCapture = nullptr;
  float fOrigin[2] = {0.0f, 0.0f};
  // The next button release belongs to a press already dealt with (one
  // that closed a popup, or a stroke ended by a key): nobody is offered it.
  bool bSwallowRelease = false;

  // Mark-ahead: a held popup is drawn once the pointer has rested (moved no
  // further than kRestPixels from fRestAnchor) for nPopupDelay.
  unsigned int nPopupDelay = 0;
  bool bShowPending = false;
  unsigned int nRestStart = 0;
  float fRestAnchor[2] = {0.0f, 0.0f};

  CSystemTimeSource systemClock;
  VrenkFunctional::IVrenkTimeSourceBase* pClock = &systemClock;

  // Shift keys held (bits: VK_SHIFT, left, right), and the key-down
  // messages a menu used, by virtual-key code, so that their key-ups are
  // answered alike.
  unsigned int nShiftKeys = 0;
  uint32_t nUsedKeys[8] = {0, 0, 0, 0, 0, 0, 0, 0};
};

// How far the pointer may wander and still count as resting, in pixels.
constexpr double kRestPixels = 2.0;

}  // namespace VrenkGLWidge

#endif  // VRENK_WIDGE_MANAGER_INTERACTION_H
