// VrenkMenuItemHighlightCallback.h - the object a host gives a menu to be
// told which item is highlighted.
#ifndef VRENK_MENU_ITEM_HIGHLIGHT_CALLBACK_H
#define VRENK_MENU_ITEM_HIGHLIGHT_CALLBACK_H

#include "VrenkPlatform.h"

namespace VrenkFunctional {

// Implemented by the host, for a status bar or to tell assistive
// technology what the pointer or the keyboard is on. A menu calls
// OnHighlight once for every change of its highlighted item, whether the
// mouse or the keyboard made it, and never when nothing changed. The menu
// does not own the object. The call comes from inside the menu's own
// operation: the host may read and change menus there, and release them,
// but must not destroy the menu that calls it.
class VRENK_API IVrenkMenuItemHighlightCallbackBase {
 public:
  IVrenkMenuItemHighlightCallbackBase() = default;
  IVrenkMenuItemHighlightCallbackBase(const IVrenkMenuItemHighlightCallbackBase&) = default;
  IVrenkMenuItemHighlightCallbackBase& operator=(const IVrenkMenuItemHighlightCallbackBase&) = default;
  virtual ~IVrenkMenuItemHighlightCallbackBase();

  // Called with the identifier of the item now highlighted, or -1 when no
  // item is highlighted any more.
  virtual void OnHighlight(int nItemID) = 0;
};

}  // namespace VrenkFunctional

#endif  // VRENK_MENU_ITEM_HIGHLIGHT_CALLBACK_H
