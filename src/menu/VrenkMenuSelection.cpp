// VrenkMenuSelection.cpp - the direction, keyboard and highlight rules of
// the wheel menus, read from each menu's own geometry and items.
#include "menu/VrenkMenuSelection.h"

#include <cmath>

#include "VrenkDoubleWheelMenu.h"
#include "VrenkWheelMenu.h"
#include "menu/wheel_shared.h"

namespace VrenkFunctional {

IVrenkMenuItemHighlightCallbackBase::~IVrenkMenuItemHighlightCallbackBase() {}

}  // namespace VrenkFunctional

namespace VrenkGLWidge {

namespace {

const CVrenkWheelMenu& AsWheel(const CVrenkMenuBase& menu) { return static_cast<const CVrenkWheelMenu&>(menu); }
CVrenkWheelMenu& AsWheel(CVrenkMenuBase& menu) { return static_cast<CVrenkWheelMenu&>(menu); }
const CVrenkDoubleWheelMenu& AsDouble(const CVrenkMenuBase& menu) {
  return static_cast<const CVrenkDoubleWheelMenu&>(menu);
}
CVrenkDoubleWheelMenu& AsDouble(CVrenkMenuBase& menu) { return static_cast<CVrenkDoubleWheelMenu&>(menu); }

// Two item directions closer than this (in degrees) to a key's direction
// count as equally near. The menus' angle constant lies a hair below pi, so
// sectors that are symmetric about a key's direction miss it by a few
// millionths of a degree.
constexpr double kTieDegrees = 1e-3;

}  // namespace

// --- Geometry -----------------------------------------------------------------

void CVrenkMenuSelection::GetCenter(const CVrenkMenuBase& menu, float* pX, float* pY) {
  switch (Kind(menu)) {
    case MENU_KIND_WHEEL:
      *pX = AsWheel(menu).m_fCenter[0];
      *pY = AsWheel(menu).m_fCenter[1];
      return;
    case MENU_KIND_DOUBLE_WHEEL:
      *pX = AsDouble(menu).m_fCenter[0];
      *pY = AsDouble(menu).m_fCenter[1];
      return;
    default:
      *pX = 0.0f;
      *pY = 0.0f;
      return;
  }
}

float CVrenkMenuSelection::GetRadius(const CVrenkMenuBase& menu) {
  switch (Kind(menu)) {
    case MENU_KIND_WHEEL:
      return AsWheel(menu).m_fRadius;
    case MENU_KIND_DOUBLE_WHEEL:
      return AsDouble(menu).m_fRadius;
    default:
      return 0.0f;
  }
}

void CVrenkMenuSelection::PlaceAt(CVrenkMenuBase& menu, int x, int y) {
  if (Kind(menu) == MENU_KIND_WHEEL) AsWheel(menu).SetCenter(x, y);
  if (Kind(menu) == MENU_KIND_DOUBLE_WHEEL) AsDouble(menu).SetCenter(x, y);
}

float CVrenkMenuSelection::Scale(const CVrenkMenuBase& menu) {
  switch (Kind(menu)) {
    case MENU_KIND_WHEEL:
      return AsWheel(menu).m_fAppliedScale;
    case MENU_KIND_DOUBLE_WHEEL:
      return AsDouble(menu).m_fAppliedScale;
    default:
      return 1.0f;
  }
}

double CVrenkMenuSelection::CancelDistance(const CVrenkMenuBase& menu) {
  return static_cast<double>(menu.m_pInteraction->fCancelDistance) * Scale(menu);
}

double CVrenkMenuSelection::DeadZone(const CVrenkMenuBase& menu) {
  // A dead zone the host set is in pixels at the scale 1.
  const float fSet = menu.m_pInteraction->fDeadZone;
  if (fSet >= 0.0f) return static_cast<double>(fSet) * Scale(menu);
  const double dRadius = std::fabs(static_cast<double>(GetRadius(menu)));
  return std::isfinite(dRadius) ? dRadius * CVrenkMenuBase::DEFAULT_DEAD_ZONE_RATIO : 0.0;
}

float CVrenkMenuSelection::RingStartAngle(const CVrenkMenuBase& menu, int nRing) {
  switch (Kind(menu)) {
    case MENU_KIND_WHEEL:
      return AsWheel(menu).m_fItemStartAngle;
    case MENU_KIND_DOUBLE_WHEEL:
      return nRing == 1 ? AsDouble(menu).m_fInnerItemStartAngle : AsDouble(menu).m_fOuterItemStartAngle;
    default:
      return std::nanf("");
  }
}

// --- Direction ----------------------------------------------------------------

SMenuHighlight CVrenkMenuSelection::DirectionItem(const CVrenkMenuBase& menu, float x, float y, float ox, float oy) {
  const float fStrokeX = x - ox;
  const float fStrokeY = y - oy;
  if (Kind(menu) == MENU_KIND_WHEEL) {
    const CVrenkWheelMenu& wheel = AsWheel(menu);
    return {0, wheel::SectorAt(fStrokeX, fStrokeY, wheel.m_fItemStartAngle, RingSize(menu, 0))};
  }
  if (Kind(menu) != MENU_KIND_DOUBLE_WHEEL) return kNoHighlight;

  // Inside its radius the double wheel answers as its hit test does: the
  // ring under the point. Beyond it the outer ring is chosen by direction.
  const CVrenkDoubleWheelMenu& dwheel = AsDouble(menu);
  const float dx = x - dwheel.m_fCenter[0];
  const float dy = y - dwheel.m_fCenter[1];
  const float q = static_cast<float>((static_cast<double>(dx) * dx + static_cast<double>(dy) * dy) /
                                     dwheel.m_fRadius / dwheel.m_fRadius);
  const double dInner =
      static_cast<double>(dwheel.m_fInnerRadiusRatio) * static_cast<double>(dwheel.m_fInnerRadiusRatio);
  if (q <= dInner) return {1, wheel::SectorAt(dx, dy, dwheel.m_fInnerItemStartAngle, RingSize(menu, 1))};
  if (q <= 1.0f) return {0, wheel::SectorAt(dx, dy, dwheel.m_fOuterItemStartAngle, RingSize(menu, 0))};
  return {0, wheel::SectorAt(fStrokeX, fStrokeY, dwheel.m_fOuterItemStartAngle, RingSize(menu, 0))};
}

// --- Highlight ----------------------------------------------------------------

SMenuHighlight CVrenkMenuSelection::GetHighlight(const CVrenkMenuBase& menu) {
  // An index left behind by a list that shrank, for the moment until the
  // menu clears it, highlights nothing.
  SMenuHighlight current = kNoHighlight;
  if (Kind(menu) == MENU_KIND_DOUBLE_WHEEL) {
    const CVrenkDoubleWheelMenu& dwheel = AsDouble(menu);
    if (dwheel.m_nInnerHoveredIndex >= 0) {
      current = {1, dwheel.m_nInnerHoveredIndex};
    } else if (dwheel.m_nOuterHoveredIndex >= 0) {
      current = {0, dwheel.m_nOuterHoveredIndex};
    }
  } else if (menu.m_nHoveredIndex >= 0) {
    current = {0, menu.m_nHoveredIndex};
  }
  return RingItem(menu, current.nRing, current.nIndex) != nullptr ? current : kNoHighlight;
}

void CVrenkMenuSelection::SetHighlight(CVrenkMenuBase& menu, SMenuHighlight highlight) {
  if (Kind(menu) == MENU_KIND_DOUBLE_WHEEL) {
    CVrenkDoubleWheelMenu& dwheel = AsDouble(menu);
    const int nInner = highlight.nIndex >= 0 && highlight.nRing == 1 ? highlight.nIndex : -1;
    const int nOuter = highlight.nIndex >= 0 && highlight.nRing == 0 ? highlight.nIndex : -1;
    if (nInner == dwheel.m_nInnerHoveredIndex && nOuter == dwheel.m_nOuterHoveredIndex) return;
    dwheel.m_nInnerHoveredIndex = nInner;
    dwheel.m_nOuterHoveredIndex = nOuter;
    dwheel.SetDirty();
    ReportHighlight(menu);
    return;
  }
  // The wheel goes the way its hit test goes, so that a menu overriding the
  // hover bookkeeping hears of it.
  const int nIndex = highlight.nIndex >= 0 && highlight.nRing == 0 ? highlight.nIndex : -1;
  if (nIndex != menu.m_nHoveredIndex) menu.UpdateHoveredIndex(nIndex);
}

const CVrenkMenuBase::SMenuItem* CVrenkMenuSelection::RingItem(const CVrenkMenuBase& menu, int nRing, int nIndex) {
  if (nIndex < 0) return nullptr;
  const std::vector<CVrenkMenuBase::SMenuItem>* pItems = nullptr;
  if (nRing == 0) pItems = &menu.m_vecItems;
  if (nRing == 1 && Kind(menu) == MENU_KIND_DOUBLE_WHEEL) pItems = &AsDouble(menu).m_vecInnerItems;
  if (pItems == nullptr || static_cast<size_t>(nIndex) >= pItems->size()) return nullptr;
  return &(*pItems)[static_cast<size_t>(nIndex)];
}

void CVrenkMenuSelection::ReportHighlight(CVrenkMenuBase& menu) {
  SMenuInteraction& state = *menu.m_pInteraction;
  if (state.pHighlightFunction == nullptr) return;
  const SMenuHighlight current = GetHighlight(menu);
  if (current == state.reported) return;
  state.reported = current;
  const CVrenkMenuBase::SMenuItem* pItem = RingItem(menu, current.nRing, current.nIndex);
  // Last, and with nothing read afterwards: the host may release the menu.
  state.pHighlightFunction->OnHighlight(pItem != nullptr ? pItem->nID : -1);
}

bool CVrenkMenuSelection::IsHighlightChoosable(const CVrenkMenuBase& menu) {
  const SMenuHighlight current = GetHighlight(menu);
  const CVrenkMenuBase::SMenuItem* pItem = RingItem(menu, current.nRing, current.nIndex);
  return pItem != nullptr && pItem->bEnabled;
}

// --- Keyboard -----------------------------------------------------------------

int CVrenkMenuSelection::RingCount(const CVrenkMenuBase& menu) {
  switch (Kind(menu)) {
    case MENU_KIND_WHEEL:
      return 1;
    case MENU_KIND_DOUBLE_WHEEL:
      return 2;
    default:
      return 0;
  }
}

int CVrenkMenuSelection::RingSize(const CVrenkMenuBase& menu, int nRing) {
  if (nRing == 0) return static_cast<int>(menu.m_vecItems.size());
  if (nRing == 1 && Kind(menu) == MENU_KIND_DOUBLE_WHEEL) return static_cast<int>(AsDouble(menu).m_vecInnerItems.size());
  return 0;
}

bool CVrenkMenuSelection::IsRingItemEnabled(const CVrenkMenuBase& menu, int nRing, int nIndex) {
  const CVrenkMenuBase::SMenuItem* pItem = RingItem(menu, nRing, nIndex);
  return pItem != nullptr && pItem->bEnabled;
}

int CVrenkMenuSelection::KeyboardRing(CVrenkMenuBase& menu) {
  // The keys follow the highlight from ring to ring; with nothing
  // highlighted they stay on the ring they were last on (the outer first).
  const SMenuHighlight current = GetHighlight(menu);
  if (current.nIndex >= 0) menu.m_pInteraction->nKeyboardRing = current.nRing;
  const int nRing = menu.m_pInteraction->nKeyboardRing;
  return nRing >= 0 && nRing < RingCount(menu) ? nRing : 0;
}

double CVrenkMenuSelection::ItemCenterDegrees(const CVrenkMenuBase& menu, int nRing, int nIndex) {
  const int n = RingSize(menu, nRing);
  const float fStart = wheel::ReduceStartAngle(RingStartAngle(menu, nRing));
  if (n <= 0 || !std::isfinite(fStart)) return std::nan("");
  // The middle of the sector the hit test gives the item.
  const double dTurn = 2.0 * static_cast<double>(wheel::kPi);
  const double dRadians = static_cast<double>(fStart) + (nIndex + 0.5) * (dTurn / n);
  return dRadians * (180.0 / 3.14159265358979323846);
}

int CVrenkMenuSelection::NearestItem(const CVrenkMenuBase& menu, int nRing, double dDegrees) {
  const int n = RingSize(menu, nRing);
  int nBest = -1;
  double dBest = 0.0;
  for (int i = 0; i < n; ++i) {
    if (!IsRingItemEnabled(menu, nRing, i)) continue;
    const double dCenter = ItemCenterDegrees(menu, nRing, i);
    if (!std::isfinite(dCenter)) return -1;
    double d = std::fmod(std::fabs(dCenter - dDegrees), 360.0);
    if (d > 180.0) d = 360.0 - d;
    if (nBest < 0 || d < dBest - kTieDegrees) {
      nBest = i;
      dBest = d;
    }
  }
  return nBest;
}

int CVrenkMenuSelection::StepItem(const CVrenkMenuBase& menu, int nRing, int nFrom, int nStep) {
  const int n = RingSize(menu, nRing);
  if (n <= 0) return -1;
  int nAt = nFrom >= 0 && nFrom < n ? nFrom : (nStep > 0 ? -1 : n);
  for (int k = 0; k < n; ++k) {
    nAt = ((nAt + (nStep > 0 ? 1 : -1)) % n + n) % n;
    if (IsRingItemEnabled(menu, nRing, nAt)) return nAt;
  }
  return -1;
}

}  // namespace VrenkGLWidge
