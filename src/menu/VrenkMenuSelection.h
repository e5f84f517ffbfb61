// VrenkMenuSelection.h - selection by direction, the keyboard's item rules
// and the highlight hook, for both wheel menus. Internal to the library:
// the manager drives strokes, popups and keys through these operations, and
// the menus report their highlight changes through them.
#ifndef VRENK_MENU_SELECTION_H
#define VRENK_MENU_SELECTION_H

#include "VrenkMenuBase.h"

namespace VrenkGLWidge {

// Which of the library's menus an object is, set by the menus' constructors.
// A host's own menu derived from CVrenkMenuBase is MENU_KIND_OTHER: it keeps
// the highlight hook but has no geometry to select by direction or key.
enum EMenuKind { MENU_KIND_OTHER, MENU_KIND_WHEEL, MENU_KIND_DOUBLE_WHEEL };

// A highlighted item. Ring 0 is a wheel's only ring and a double wheel's
// outer ring (the base's item list), ring 1 a double wheel's inner ring.
struct SMenuHighlight {
  int nRing;
  int nIndex;  // -1: nothing highlighted

  bool operator==(const SMenuHighlight& o) const {
    return nIndex < 0 ? o.nIndex < 0 : nRing == o.nRing && nIndex == o.nIndex;
  }
  bool operator!=(const SMenuHighlight& o) const { return !(*this == o); }
};

constexpr SMenuHighlight kNoHighlight = {0, -1};

struct SMenuInteraction {
  EMenuKind eKind = MENU_KIND_OTHER;
  bool bSelectByDirection = false;
  float fDeadZone = -1.0f;       // pixels; negative: the default fraction of the radius
  float fCancelDistance = 0.0f;  // pixels; 0: no limit
  VrenkFunctional::IVrenkMenuItemHighlightCallbackBase* pHighlightFunction = nullptr;
  SMenuHighlight reported = kNoHighlight;  // what the hook was last told
  int nKeyboardRing = 0;                   // where keys act while nothing is highlighted
};

class CVrenkMenuSelection {
 public:
  // Sets the kind; each menu's constructor (and destructor) calls it.
  static void SetKind(CVrenkMenuBase& menu, EMenuKind eKind) { menu.m_pInteraction->eKind = eKind; }
  static EMenuKind Kind(const CVrenkMenuBase& menu) { return menu.m_pInteraction->eKind; }
  // True for the library's wheel menus, which have the geometry.
  static bool IsWheel(const CVrenkMenuBase& menu) { return Kind(menu) != MENU_KIND_OTHER; }
  static bool IsSelectByDirection(const CVrenkMenuBase& menu) { return menu.m_pInteraction->bSelectByDirection; }

  // Centre and radius in overlay pixels; (0, 0) and 0 for other menus.
  static void GetCenter(const CVrenkMenuBase& menu, float* pX, float* pY);
  static float GetRadius(const CVrenkMenuBase& menu);
  // Centres the menu at an overlay point with its own placement rules.
  static void PlaceAt(CVrenkMenuBase& menu, int x, int y);
  // The dead zone and the cancel distance in pixels (0: no limit).
  static double DeadZone(const CVrenkMenuBase& menu);
  // The cancel distance in pixels at the menu's screen scale; 0: no limit.
  static double CancelDistance(const CVrenkMenuBase& menu);
  // The screen scale the menu's pixel sizes are at.
  static float Scale(const CVrenkMenuBase& menu);

  // The item a stroke from the origin (ox, oy) to (x, y) highlights, the
  // dead zone and the cancel distance aside: a wheel's sector of the
  // direction; on a double wheel the ring under the point inside its radius
  // and the outer ring's sector of the direction beyond it.
  static SMenuHighlight DirectionItem(const CVrenkMenuBase& menu, float x, float y, float ox, float oy);

  static SMenuHighlight GetHighlight(const CVrenkMenuBase& menu);
  // Highlights an item (or nothing): a change marks the menu dirty, asks
  // for a redraw and tells the hook. The hook may release the menu.
  static void SetHighlight(CVrenkMenuBase& menu, SMenuHighlight highlight);
  // Tells the hook when the highlight differs from what it was last told.
  static void ReportHighlight(CVrenkMenuBase& menu);
  // True when the highlighted item is an enabled one, so that a click
  // would choose it.
  static bool IsHighlightChoosable(const CVrenkMenuBase& menu);

  // Keyboard rules on one ring: the ring count (1 or 2; 0 for other menus),
  // the ring the keys act on, and the items they pick.
  static int RingCount(const CVrenkMenuBase& menu);
  static int RingSize(const CVrenkMenuBase& menu, int nRing);
  static bool IsRingItemEnabled(const CVrenkMenuBase& menu, int nRing, int nIndex);
  static int KeyboardRing(CVrenkMenuBase& menu);
  static void SetKeyboardRing(CVrenkMenuBase& menu, int nRing) { menu.m_pInteraction->nKeyboardRing = nRing; }
  // The enabled item whose centre direction is nearest dDegrees
  // (counter-clockwise from +x), the lower index on a tie; -1 for none.
  static int NearestItem(const CVrenkMenuBase& menu, int nRing, double dDegrees);
  // The direction of an item's centre in degrees; NaN when the ring has no
  // usable start angle.
  static double ItemCenterDegrees(const CVrenkMenuBase& menu, int nRing, int nIndex);
  // The next enabled item after nFrom (-1: before the first) in index
  // order, or before it for a negative step, wrapping; -1 for none.
  static int StepItem(const CVrenkMenuBase& menu, int nRing, int nFrom, int nStep);

 private:
  static float RingStartAngle(const CVrenkMenuBase& menu, int nRing);
  static const CVrenkMenuBase::SMenuItem* RingItem(const CVrenkMenuBase& menu, int nRing, int nIndex);
};

}  // namespace VrenkGLWidge

#endif  // VRENK_MENU_SELECTION_H
