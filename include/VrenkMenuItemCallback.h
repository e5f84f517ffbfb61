// VrenkMenuItemCallback.h - the object a host gives a menu to be told which
// item the user chose.
#ifndef VRENK_MENU_ITEM_CALLBACK_H
#define VRENK_MENU_ITEM_CALLBACK_H

#include "VrenkPlatform.h"

namespace VrenkFunctional {

// Implemented by the host. A menu calls Execute synchronously, from inside
// the manager's OnLButtonUp, when the left button is released over one of
// its enabled items. The menu does not own the object.
class VRENK_API IVrenkMenuItemCallbackBase {
 public:
  IVrenkMenuItemCallbackBase() = default;
  IVrenkMenuItemCallbackBase(const IVrenkMenuItemCallbackBase&) = default;
  IVrenkMenuItemCallbackBase& operator=(const IVrenkMenuItemCallbackBase&) = default;
  virtual ~IVrenkMenuItemCallbackBase();

  // Called with the chosen item's identifier and its toggled state (after a
  // toggle item has been flipped). The result becomes the menu's answer to
  // the button release, and so the manager's answer to the host.
  virtual bool Execute(int nItemID, bool bToggled) = 0;
};

}  // namespace VrenkFunctional

#endif  // VRENK_MENU_ITEM_CALLBACK_H
