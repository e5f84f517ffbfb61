// VrenkMenuBase.h - the base of the wheel menus: items, hover bookkeeping
// and the click rule.
#ifndef VRENK_MENU_BASE_H
#define VRENK_MENU_BASE_H

#include <string>
#include <vector>

#include "VrenkMenuItemCallback.h"
#include "VrenkMenuItemHighlightCallback.h"
#include "VrenkWidge.h"

namespace VrenkGLWidge {

class CVrenkImageBase;
class CVrenkTextureText;
class CVrenkMenuSelection;
struct SMenuInteraction;

// A widge with an ordered list of items, the index of the hovered item, a
// tooltip switch and the host's callback. Items borrow their tooltip texts
// and icons from the manager and give them back through it. Derived menus
// supply the geometry: their HitTest reports the item under the cursor with
// UpdateHoveredIndex, and releasing the left button over an enabled item
// flips a toggle item and calls the callback with the item's identifier.
class VRENK_API CVrenkMenuBase : public CVrenkWidge {
 public:
  // One menu item, held by value.
  struct SMenuItem {
    int nType;  // 1: toggle item; anything else: plain item
    bool bToggled;
    bool bEnabled;
    int nID;                      // passed to the callback
    CVrenkTextureText* pTooltip;  // from the manager's CreateText, or null
    float fTooltipRingPoint[3];   // written by the double wheel's tooltip layout
    float fTooltipAnchor[3];      // written by the double wheel's tooltip layout
    CVrenkImageBase* pImage;      // from the manager's AllocateImage, or null
    unsigned int nTextureName;    // the icon's texture, 0 for none
  };

  // The empty text, returned where an item has no tooltip.
  static const std::string strDummy;

  CVrenkMenuBase();
  // Gives every item's text and image back and leaves the manager.
  virtual ~CVrenkMenuBase();

  CVrenkMenuBase(const CVrenkMenuBase&) = delete;
  CVrenkMenuBase& operator=(const CVrenkMenuBase&) = delete;

  using CVrenkWidge::Init;
  // Gives every item's text and image back, zeroes the identifiers and
  // leaves the manager. The items themselves stay.
  void Release() override;

  // Mouse events: hovering is driven by the derived HitTest, so moves,
  // enters, right buttons and the wheel are not handled (false).
  bool OnMouseMove(float x, float y) override;
  bool OnMouseEnter(float x, float y) override;
  // Asks for a redraw and forgets the pressed button; true.
  bool OnMouseLeave(float x, float y) override;
  // Asks for a redraw and remembers the pressed button; true.
  bool OnLButtonDown(float x, float y) override;
  // The click rule: chooses the hovered item (see the source); true when
  // nothing was chosen, else the callback's result.
  bool OnLButtonUp(float x, float y) override;
  bool OnRButtonDown(float x, float y) override;
  bool OnRButtonUp(float x, float y) override;
  bool OnMouseWheel(int nDelta, float x, float y) override;

  // Registers with the manager and sizes the item list to nItemSize new,
  // plain items. A menu that is already initialised is released first. A
  // negative count throws std::length_error before anything changes.
  virtual void Init(CVrenkWidgeManager* pManager, int nItemSize);

 protected:
  // Records the item under the cursor (-1 for none); a change marks the
  // menu dirty and asks the manager for a redraw.
  virtual void UpdateHoveredIndex(int nIndex);
  // The hovered item, or null when none is hovered.
  virtual SMenuItem* GetHoveredItem();

 public:
  virtual void SetShowTooltip(bool bShow);
  // Appends a plain item with the identifier; 0. No redraw, no re-layout.
  virtual int AddItem(int nID);
  // Fills an item: flags, identifier, a new tooltip text (given back and
  // replaced on every call), and the icon from the path (none for a null
  // path). 0 on success, -1 when the icon could not be loaded, -2 for an
  // index out of range.
  virtual int SetItem(unsigned int nIndex, int nID, const std::string& strTooltip, const wchar_t* szImagePath,
                      int nType, bool bToggled, bool bEnabled);
  virtual int SetItem(unsigned int nIndex, int nID, const std::string& strTooltip, const char* szImagePath,
                      int nType, bool bToggled, bool bEnabled);
  // Resizes the item list; items cut off give their texts and images back.
  // 0.
  virtual int SetItemSize(unsigned int nSize);
  virtual int GetItemSize() const;

  // Readers: a bad index gives -2, the empty text, null, 0 or false.
  virtual int GetItemID(unsigned int nIndex) const;
  virtual const std::string& GetItemTooltip(unsigned int nIndex) const;
  virtual CVrenkImageBase* GetItemImage(unsigned int nIndex) const;
  virtual unsigned int GetItemTextureName(unsigned int nIndex) const;
  // The first item with the identifier; -4 when none has it.
  virtual int GetItemIndexByID(unsigned int nID) const;
  // Setters return the value stored (1 or 0 for flags), -2 for a bad index.
  // None of them asks for a redraw.
  virtual int SetItemType(unsigned int nIndex, int nType);
  virtual int GetItemType(unsigned int nIndex) const;
  virtual int SetItemToggled(unsigned int nIndex, bool bToggled);
  virtual bool IsItemToggled(unsigned int nIndex) const;
  virtual int SetItemEnabled(unsigned int nIndex, bool bEnabled);
  virtual bool IsItemEnabled(unsigned int nIndex) const;
  virtual int GetHoveredIndex() const;
  virtual bool IsItemHovered(unsigned int nIndex) const;

  bool IsShowTooltip() const { return m_bShowTooltip; }
  // Sets the callback (not owned); 0, or -5 for null, which clears it.
  int SetProcessFunction(VrenkFunctional::IVrenkMenuItemCallbackBase* pFunction);

  // Switches selection by direction on or off (off by default): while a
  // left button pressed over the menu is held, the manager sends every move
  // and the release to this menu alone, the item whose sector holds the
  // direction from the menu's centre to the pointer is highlighted at any
  // distance beyond the dead zone, and the release chooses it.
  void SetSelectByDirection(bool bDirection);
  // True while the menu selects by direction.
  bool IsSelectByDirection() const;
  // Sets the dead zone around a stroke's origin, in pixels at the screen
  // scale 1 (the manager's SetScale multiplies it): a release within it
  // chooses nothing. A negative or NaN value restores the default,
  // DEFAULT_DEAD_ZONE_RATIO of the radius.
  void SetDeadZone(float fPixels);
  // The dead zone in pixels as it applies now (the default follows the
  // radius; both follow the screen scale).
  float GetDeadZone() const;
  // Sets how far from a stroke's origin a release may be, in pixels at the
  // screen scale 1; one further away chooses nothing. 0 (the default), a
  // negative or a NaN value sets no limit.
  void SetCancelDistance(float fPixels);
  // The cancel distance as set, in pixels at the scale 1; 0 for no limit.
  float GetCancelDistance() const;
  // Sets the object told of every change of the highlighted item (not
  // owned); 0, or -5 for null, which clears it.
  int SetHighlightFunction(VrenkFunctional::IVrenkMenuItemHighlightCallbackBase* pFunction);

  // The default dead zone as a fraction of the radius.
  static const float DEFAULT_DEAD_ZONE_RATIO;

 protected:
  bool IsCallbackValid() const { return m_pProcessFunction != nullptr; }
  // The callback's result; false without a callback.
  bool ExecuteCallback(int nID, bool bToggled) const;
  // The item at nIndex; throws std::out_of_range for a bad index.
  SMenuItem* _GetItem(unsigned int nIndex);
  const SMenuItem* _GetItem(unsigned int nIndex) const;
  CVrenkTextureText* _GetItemTooltipObject(unsigned int nIndex) const;
  // c × f, clamped to 0..255 and truncated; NaN gives 0.
  static unsigned char ScaleColor(unsigned char c, float f);

  // What SetItem and SetItemSize do, on any list of this menu's items (a
  // menu with a second ring keeps its other items in a list of its own).
  int SetItemOf(std::vector<SMenuItem>& vecItems, unsigned int nIndex, int nID, const std::string& strTooltip,
                const wchar_t* szImagePath, int nType, bool bToggled, bool bEnabled);
  int SetItemOf(std::vector<SMenuItem>& vecItems, unsigned int nIndex, int nID, const std::string& strTooltip,
                const char* szImagePath, int nType, bool bToggled, bool bEnabled);
  void ResizeItemsOf(std::vector<SMenuItem>& vecItems, unsigned int nSize);
  // Gives an item's text and image back to the manager and forgets them.
  void GiveBackResources(SMenuItem& item);

  std::vector<SMenuItem> m_vecItems;
  bool m_bShowTooltip;
  int m_nHoveredIndex;
  VrenkFunctional::IVrenkMenuItemCallbackBase* m_pProcessFunction;

 private:
  template <typename Char>
  int SetItemImpl(std::vector<SMenuItem>& vecItems, unsigned int nIndex, int nID, const std::string& strTooltip,
                  const Char* szImagePath, int nType, bool bToggled, bool bEnabled);

  // Direction selection, highlight reporting and the keyboard live in the
  // library's selection code, which reads the menus' geometry and items.
  friend class CVrenkMenuSelection;
  // The state of those: options, the highlight hook, the keyboard's ring.
  SMenuInteraction* m_pInteraction;
};

}  // namespace VrenkGLWidge

#endif  // VRENK_MENU_BASE_H
