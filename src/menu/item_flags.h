// item_flags.h - storing and reading an item's toggled and enabled flags,
// for every list of items a menu has. Internal to the library.
#ifndef VRENK_MENU_ITEM_FLAGS_H
#define VRENK_MENU_ITEM_FLAGS_H

#include "VrenkMenuBase.h"
#include "VrenkResult.h"

namespace VrenkGLWidge {
namespace menu {

using SMenuItem = CVrenkMenuBase::SMenuItem;

// Stores a flag of an item (null for a bad index); the stored value as 1 or
// 0, or RESULT_BAD_INDEX.
inline int StoreFlag(SMenuItem* pItem, bool SMenuItem::*pFlag, bool bValue) {
  if (pItem == nullptr) return RESULT_BAD_INDEX;
  pItem->*pFlag = bValue;
  return bValue ? 1 : 0;
}

// A flag of an item; false for a bad index.
inline bool ReadFlag(const SMenuItem* pItem, bool SMenuItem::*pFlag) { return pItem != nullptr && pItem->*pFlag; }

// The item at nIndex of a list, or null.
inline SMenuItem* ItemOf(std::vector<SMenuItem>& items, unsigned int nIndex) {
  return nIndex < items.size() ? &items[nIndex] : nullptr;
}
inline const SMenuItem* ItemOf(const std::vector<SMenuItem>& items, unsigned int nIndex) {
  return nIndex < items.size() ? &items[nIndex] : nullptr;
}

}  // namespace menu
}  // namespace VrenkGLWidge

#endif  // VRENK_MENU_ITEM_FLAGS_H
