// VrenkDoubleWheelMenu.cpp - the double wheel's constants, life cycle, the
// items of both rings, options and colours. Geometry, placement and hit
// testing are in VrenkDoubleWheelMenuGeometry.cpp, drawing in
// VrenkDoubleWheelMenuRender.cpp, the tooltips in
// VrenkDoubleWheelMenuTooltipLayout.cpp and VrenkDoubleWheelMenuTooltipRender.cpp.
//
// [SECTION] Constants and life cycle
// [SECTION] The base's single-list operations
// [SECTION] Items of both rings
// [SECTION] Hover
// [SECTION] Options
// [SECTION] Colours
#include "VrenkDoubleWheelMenu.h"
#include "VrenkResult.h"

#include <limits>
#include <stdexcept>

#include "VrenkTextureText.h"
#include "VrenkWidgeManager.h"
#include "common/color.h"
#include "menu/item_flags.h"
#include "menu/menu_drawing.h"
#include "menu/VrenkMenuSelection.h"
#include "menu/wheel_shared.h"

namespace VrenkGLWidge {

//-----------------------------------------------------------------------------
// [SECTION] Constants and life cycle
//-----------------------------------------------------------------------------

// The same bit patterns as the single wheel's constants.
const float CVrenkDoubleWheelMenu::PI = wheel::kPi;                  // 0x40490FDA
const float CVrenkDoubleWheelMenu::HALF_PI = 0x1.921fb4p+0f;         // 0x3FC90FDA
const float CVrenkDoubleWheelMenu::DOUBLE_PI = wheel::kDoublePi;     // 0x40C90FDA
const float CVrenkDoubleWheelMenu::QUADRANT_PI = 0x1.921fb4p-1f;     // 0x3F490FDA
const float CVrenkDoubleWheelMenu::ONE_SIXTH_PI = 0x1.0c1522p-1f;    // 0x3F060A91
const float CVrenkDoubleWheelMenu::ONE_THIRD_PI = 0x1.0c1522p+0f;    // 0x3F860A91
const float CVrenkDoubleWheelMenu::TWO_THIRDS_PI = CVrenkDoubleWheelMenu::ONE_THIRD_PI * 2.0f;
const float CVrenkDoubleWheelMenu::FOUR_THIRDS_PI = CVrenkDoubleWheelMenu::ONE_THIRD_PI * 4.0f;
const float CVrenkDoubleWheelMenu::FIVE_THIRDS_PI = CVrenkDoubleWheelMenu::ONE_THIRD_PI * 5.0f;
const float CVrenkDoubleWheelMenu::THREE_HALF_PI = CVrenkDoubleWheelMenu::HALF_PI + 3.1415925f;
const unsigned int CVrenkDoubleWheelMenu::N_CIRCLE_VERTICES;
const unsigned int CVrenkDoubleWheelMenu::N_PADDED_PXLS;

CVrenkDoubleWheelMenu::CVrenkDoubleWheelMenu()
    : m_nInnerHoveredIndex(-1),
      m_nOuterHoveredIndex(-1),
      m_bAutoReposition(true),
      m_fRelativeCenter{std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::quiet_NaN()},
      m_fCenter{0.0f, 0.0f},
      m_fRadius(100.0f),
      m_fInnerRadiusRatio(0.58f),
      m_fImageHalfSize(0.116f),
      m_fImageHalfSizeHovered(0.116f * 1.15f),
      m_fImageHalfSizePressed(0.116f * 0.9f),
      m_fBBoxRatio(1.15f),
      m_fTooltipDuckingRatio(1.25f),
      m_fInnerItemStartAngle(QUADRANT_PI),
      m_fOuterItemStartAngle(0.0f),
      m_pInnerItemIndices(nullptr),
      m_pOuterItemIndices(nullptr),
      m_bLightTracing(false),
      m_nLightVertex(48),
      m_pShadingRatio(nullptr),
      m_pInnerCircleVertices(nullptr),
      m_pOuterCircleVertices(nullptr),
      m_pAuxIndices(nullptr),
      m_bAlwaysShowInnerDisk(false),
      m_colorInnerItemCenter{},
      m_colorInnerItemLit{},
      m_colorInnerItem{},
      m_colorOuterItemLit{},
      m_colorOuterItem{},
      m_colorHighlightLit{},
      m_colorHighlight{},
      m_colorToggledLit{},
      m_colorToggled{},
      m_colorEdgeEnd{},
      m_colorEdge{},
      m_colorRimFade{},
      m_colorRimShadow{},
      m_nTooltipStyle(TOOLTIP_HOVER_PANEL),
      // Init computes the panel; until then it is empty at the centre.
      m_dTooltipPanelPosition{0.0, 0.0, 0.0},
      m_fTooltipPanelSize{0.0f, 0.0f},
      m_fTooltipPanelInset(2.0f),
      m_dTooltipTextOrigin{0.0, 0.0, 0.0},
      m_fTooltipContentSize{0.0f, 0.0f},
      m_nInnerIndexCount(0),
      m_nOuterIndexCount(0),
      m_pDrawing(new menu::CMenuDrawing()) {
  // A blue-grey scheme derived from one inner colour; Init replaces it.
  const unsigned char r = 104, g = 124, b = 157, a = 242;
  SetInnerItemColor(r, g, b, a);
  const unsigned char ro = ScaleColor(r, 1.08f), go = ScaleColor(g, 1.08f), bo = ScaleColor(b, 1.08f);
  SetOuterItemColor(ro, go, bo, a);
  SetHighlightItemColor(ScaleColor(ro, 1.28f), ScaleColor(go, 1.28f), ScaleColor(bo, 1.28f), a);
  SetToggledItemColor(ScaleColor(r, 0.7f), ScaleColor(g, 0.7f), ScaleColor(b, 0.7f), a);
  AssignColor4(m_colorEdgeEnd, 255, 255, 255, 0);
  AssignColor4(m_colorEdge, 179, 179, 230, 204);
  AssignColor4(m_colorRimFade, 179, 179, 230, 0);
  AssignColor4(m_colorRimShadow, 0, 0, 0, 204);
  CVrenkMenuSelection::SetKind(*this, MENU_KIND_DOUBLE_WHEEL);
}

CVrenkDoubleWheelMenu::~CVrenkDoubleWheelMenu() {
  CVrenkDoubleWheelMenu::Release();
  delete m_pDrawing;
  // What is left of the object is no longer a double wheel.
  CVrenkMenuSelection::SetKind(*this, MENU_KIND_OTHER);
}

void CVrenkDoubleWheelMenu::Init(CVrenkWidgeManager* pManager, int nInnerItemSize, int nOuterItemSize,
                                 int nRadius, int nCenterX, int nCenterY, float fInnerStartDegree,
                                 float fOuterStartDegree) {
  // A negative count is refused before anything changes.
  if (nInnerItemSize < 0) throw std::length_error("CVrenkDoubleWheelMenu::Init: negative inner item count");
  // Registers (releasing a previous initialisation first) and sizes the
  // outer ring; then the inner ring.
  CVrenkMenuBase::Init(pManager, nOuterItemSize);
  ResizeItemsOf(m_vecInnerItems, static_cast<unsigned int>(nInnerItemSize));
  m_nInnerHoveredIndex = -1;
  m_nOuterHoveredIndex = -1;

  // The radius and the inset are given at the scale 1 and drawn at the
  // manager's.
  m_fTooltipPanelInset = wheel::Rescaled(m_fTooltipPanelInset, m_fAppliedScale, 1.0f);
  m_fAppliedScale = 1.0f;
  m_fRadius = static_cast<float>(nRadius);
  ApplyScale();
  m_fCenter[0] = static_cast<float>(nCenterX);
  m_fCenter[1] = static_cast<float>(nCenterY);
  // The wheel appears where the host asked, and keeps that place in the
  // viewport when the viewport changes.
  m_fRelativeCenter[0] = std::numeric_limits<float>::quiet_NaN();
  m_fRelativeCenter[1] = std::numeric_limits<float>::quiet_NaN();
  DeriveRelativeCenter();
  _SetInnerItemStartDegree(fInnerStartDegree);
  _SetOuterItemStartDegree(fOuterStartDegree);

  BuildShadingRatio();
  BuildCircles();
  BuildAuxIndices();
  BuildTooltipDuckingPosition();
  UpdateTooltipPanelSize();
  UpdateTooltipPanelPosition();

  SetInnerItemColor(195, 195, 195, 230);
  SetOuterItemColor(205, 205, 205, 230);
  SetHighlightItemColor(0, 120, 200, 220);
  SetToggledItemColor(0, 80, 120, 220);
  AssignColor4(m_colorEdge, 153, 153, 153, 204);
  AssignColor4(m_colorEdgeEnd, 255, 255, 255, 0);
  AssignColor4(m_colorRimShadow, 0, 0, 0, 204);
  AssignColor4(m_colorRimFade, 153, 153, 153, 0);

  RecalculateLayout();
  CVrenkMenuSelection::ReportHighlight(*this);
}

void CVrenkDoubleWheelMenu::Release() {
  ReleaseInnerItemIndices();
  ReleaseOuterItemIndices();
  ReleaseIndices();
  ReleaseCircles();
  ReleaseShadingRatio();
  // The recorded list names the items' textures, which go now.
  m_pDrawing->Invalidate();
  m_pDrawing->List().Clear();
  for (SMenuItem& item : m_vecInnerItems) {
    item.nID = 0;
    GiveBackResources(item);
  }
  CVrenkMenuBase::Release();
}

//-----------------------------------------------------------------------------
// [SECTION] The base's single-list operations
//-----------------------------------------------------------------------------

int CVrenkDoubleWheelMenu::AddItem(int) { return RESULT_NOT_SUPPORTED; }

int CVrenkDoubleWheelMenu::SetItem(unsigned int, int, const std::string&, const char*, int, bool, bool) {
  return RESULT_NOT_SUPPORTED;
}

int CVrenkDoubleWheelMenu::SetItemW(unsigned int, int, const std::string&, const wchar_t*, int, bool, bool) {
  return RESULT_NOT_SUPPORTED;
}

int CVrenkDoubleWheelMenu::SetItemSize(unsigned int) { return RESULT_NOT_SUPPORTED; }

int CVrenkDoubleWheelMenu::GetItemSize() const { return GetOuterItemSize() + GetInnerItemSize(); }

int CVrenkDoubleWheelMenu::GetItemID(unsigned int) const { return RESULT_NOT_SUPPORTED; }

const std::string& CVrenkDoubleWheelMenu::GetItemTooltip(unsigned int) const { return strDummy; }

CVrenkImageBase* CVrenkDoubleWheelMenu::GetItemImage(unsigned int) const { return nullptr; }

unsigned int CVrenkDoubleWheelMenu::GetItemTextureName(unsigned int) const { return 0; }

int CVrenkDoubleWheelMenu::GetItemIndexByID(unsigned int) const { return RESULT_NOT_SUPPORTED; }

int CVrenkDoubleWheelMenu::SetItemType(unsigned int, int) { return RESULT_NOT_SUPPORTED; }

int CVrenkDoubleWheelMenu::GetItemType(unsigned int) const { return RESULT_NOT_SUPPORTED; }

int CVrenkDoubleWheelMenu::SetItemToggled(unsigned int, bool) { return RESULT_NOT_SUPPORTED; }

bool CVrenkDoubleWheelMenu::IsItemToggled(unsigned int) const { return false; }

int CVrenkDoubleWheelMenu::SetItemEnabled(unsigned int, bool) { return RESULT_NOT_SUPPORTED; }

bool CVrenkDoubleWheelMenu::IsItemEnabled(unsigned int) const { return false; }

int CVrenkDoubleWheelMenu::GetHoveredIndex() const { return RESULT_NOT_SUPPORTED; }

bool CVrenkDoubleWheelMenu::IsItemHovered(unsigned int) const { return false; }

//-----------------------------------------------------------------------------
// [SECTION] Items of both rings
//-----------------------------------------------------------------------------

const CVrenkMenuBase::SMenuItem* CVrenkDoubleWheelMenu::ItemAt(ERing eRing, unsigned int nIndex) const {
  const std::vector<SMenuItem>& items = Items(eRing);
  return nIndex < items.size() ? &items[nIndex] : nullptr;
}

CVrenkMenuBase::SMenuItem* CVrenkDoubleWheelMenu::ItemAt(ERing eRing, unsigned int nIndex) {
  std::vector<SMenuItem>& items = Items(eRing);
  return nIndex < items.size() ? &items[nIndex] : nullptr;
}

void CVrenkDoubleWheelMenu::LayOutNewTooltip(ERing eRing, unsigned int nIndex) {
  const SMenuItem* item = ItemAt(eRing, nIndex);
  if (item == nullptr || item->pTooltip == nullptr) return;
  if (eRing == RING_INNER) {
    UpdateInnerItemTooltipLayout(nIndex);
  } else {
    UpdateOuterItemTooltipLayout(nIndex);
  }
}

int CVrenkDoubleWheelMenu::SetInnerItem(unsigned int nIndex, int nID, const std::string& strTooltip,
                                        const wchar_t* szImagePath, int nType, bool bToggled, bool bEnabled) {
  const int result = SetItemOf(m_vecInnerItems, nIndex, nID, strTooltip, szImagePath, nType, bToggled, bEnabled);
  LayOutNewTooltip(RING_INNER, nIndex);
  return result;
}

int CVrenkDoubleWheelMenu::SetInnerItem(unsigned int nIndex, int nID, const std::string& strTooltip,
                                        const char* szImagePath, int nType, bool bToggled, bool bEnabled) {
  const int result = SetItemOf(m_vecInnerItems, nIndex, nID, strTooltip, szImagePath, nType, bToggled, bEnabled);
  LayOutNewTooltip(RING_INNER, nIndex);
  return result;
}

int CVrenkDoubleWheelMenu::SetOuterItem(unsigned int nIndex, int nID, const std::string& strTooltip,
                                        const wchar_t* szImagePath, int nType, bool bToggled, bool bEnabled) {
  const int result = CVrenkMenuBase::SetItem(nIndex, nID, strTooltip, szImagePath, nType, bToggled, bEnabled);
  LayOutNewTooltip(RING_OUTER, nIndex);
  return result;
}

int CVrenkDoubleWheelMenu::SetOuterItem(unsigned int nIndex, int nID, const std::string& strTooltip,
                                        const char* szImagePath, int nType, bool bToggled, bool bEnabled) {
  const int result = CVrenkMenuBase::SetItem(nIndex, nID, strTooltip, szImagePath, nType, bToggled, bEnabled);
  LayOutNewTooltip(RING_OUTER, nIndex);
  return result;
}

int CVrenkDoubleWheelMenu::SetInnerItemSize(unsigned int nSize) {
  if (nSize == m_vecInnerItems.size()) return 0;
  ResizeItemsOf(m_vecInnerItems, nSize);
  // An item cut off is no longer hovered (nor clicked).
  if (m_nInnerHoveredIndex >= static_cast<int>(nSize)) m_nInnerHoveredIndex = -1;
  CalculateInnerItemIndices();
  UpdateTooltipPanelSize();
  UpdateTooltipPanelPosition();
  CVrenkMenuSelection::ReportHighlight(*this);
  return 0;
}

int CVrenkDoubleWheelMenu::SetOuterItemSize(unsigned int nSize) {
  if (nSize == m_vecItems.size()) return 0;
  const int result = CVrenkMenuBase::SetItemSize(nSize);
  if (result != 0) return result;
  if (m_nOuterHoveredIndex >= static_cast<int>(nSize)) m_nOuterHoveredIndex = -1;
  CalculateOuterItemIndices();
  UpdateTooltipPanelSize();
  UpdateTooltipPanelPosition();
  CVrenkMenuSelection::ReportHighlight(*this);
  return 0;
}

int CVrenkDoubleWheelMenu::GetInnerItemSize() const { return static_cast<int>(m_vecInnerItems.size()); }

int CVrenkDoubleWheelMenu::GetOuterItemSize() const { return CVrenkMenuBase::GetItemSize(); }

int CVrenkDoubleWheelMenu::GetInnerItemID(unsigned int nIndex) const {
  const SMenuItem* item = ItemAt(RING_INNER, nIndex);
  return item != nullptr ? item->nID : RESULT_BAD_INDEX;
}

CVrenkImageBase* CVrenkDoubleWheelMenu::GetInnerItemImage(unsigned int nIndex) const {
  const SMenuItem* item = ItemAt(RING_INNER, nIndex);
  return item != nullptr ? item->pImage : nullptr;
}

int CVrenkDoubleWheelMenu::GetInnerItemIndexByID(unsigned int nID) const {
  for (size_t i = 0; i < m_vecInnerItems.size(); ++i) {
    if (static_cast<unsigned int>(m_vecInnerItems[i].nID) == nID) return static_cast<int>(i);
  }
  return RESULT_NOT_FOUND;
}

unsigned int CVrenkDoubleWheelMenu::GetInnerItemTextureName(unsigned int nIndex) const {
  const SMenuItem* item = ItemAt(RING_INNER, nIndex);
  return item != nullptr ? item->nTextureName : 0u;
}

int CVrenkDoubleWheelMenu::GetOuterItemID(unsigned int nIndex) const { return CVrenkMenuBase::GetItemID(nIndex); }

CVrenkImageBase* CVrenkDoubleWheelMenu::GetOuterItemImage(unsigned int nIndex) const {
  return CVrenkMenuBase::GetItemImage(nIndex);
}

unsigned int CVrenkDoubleWheelMenu::GetOuterItemTextureName(unsigned int nIndex) const {
  return CVrenkMenuBase::GetItemTextureName(nIndex);
}

int CVrenkDoubleWheelMenu::GetOuterItemIndexByID(unsigned int nID) const {
  return CVrenkMenuBase::GetItemIndexByID(nID);
}

int CVrenkDoubleWheelMenu::SetInnerItemType(unsigned int nIndex, int nType) {
  SMenuItem* item = ItemAt(RING_INNER, nIndex);
  if (item == nullptr) return RESULT_BAD_INDEX;
  item->nType = nType;
  return nType;
}

int CVrenkDoubleWheelMenu::GetInnerItemType(unsigned int nIndex) const {
  const SMenuItem* item = ItemAt(RING_INNER, nIndex);
  return item != nullptr ? item->nType : RESULT_BAD_INDEX;
}

int CVrenkDoubleWheelMenu::SetInnerItemToggled(unsigned int nIndex, bool bToggled) {
  return menu::StoreFlag(ItemAt(RING_INNER, nIndex), &SMenuItem::bToggled, bToggled);
}

bool CVrenkDoubleWheelMenu::IsInnerItemToggled(unsigned int nIndex) const {
  return menu::ReadFlag(ItemAt(RING_INNER, nIndex), &SMenuItem::bToggled);
}

int CVrenkDoubleWheelMenu::SetInnerItemEnabled(unsigned int nIndex, bool bEnabled) {
  return menu::StoreFlag(ItemAt(RING_INNER, nIndex), &SMenuItem::bEnabled, bEnabled);
}

bool CVrenkDoubleWheelMenu::IsInnerItemEnabled(unsigned int nIndex) const {
  return menu::ReadFlag(ItemAt(RING_INNER, nIndex), &SMenuItem::bEnabled);
}

int CVrenkDoubleWheelMenu::SetOuterItemType(unsigned int nIndex, int nType) {
  return CVrenkMenuBase::SetItemType(nIndex, nType);
}

int CVrenkDoubleWheelMenu::GetOuterItemType(unsigned int nIndex) const {
  return CVrenkMenuBase::GetItemType(nIndex);
}

int CVrenkDoubleWheelMenu::SetOuterItemToggled(unsigned int nIndex, bool bToggled) {
  return CVrenkMenuBase::SetItemToggled(nIndex, bToggled);
}

bool CVrenkDoubleWheelMenu::IsOuterItemToggled(unsigned int nIndex) const {
  return CVrenkMenuBase::IsItemToggled(nIndex);
}

int CVrenkDoubleWheelMenu::SetOuterItemEnabled(unsigned int nIndex, bool bEnabled) {
  return CVrenkMenuBase::SetItemEnabled(nIndex, bEnabled);
}

bool CVrenkDoubleWheelMenu::IsOuterItemEnabled(unsigned int nIndex) const {
  return CVrenkMenuBase::IsItemEnabled(nIndex);
}

const std::string& CVrenkDoubleWheelMenu::GetInnerItemTooltip(unsigned int nIndex) const {
  const CVrenkTextureText* text = _GetInnerItemTooltipObject(nIndex);
  return text != nullptr ? text->GetText() : strDummy;
}

const std::string& CVrenkDoubleWheelMenu::GetOuterItemTooltip(unsigned int nIndex) const {
  return CVrenkMenuBase::GetItemTooltip(nIndex);
}

namespace {

// The item, or the checked access's exception for a bad index.
template <typename Item>
Item* Checked(Item* pItem) {
  if (pItem == nullptr) throw std::out_of_range("invalid vector<T> subscript");
  return pItem;
}

}  // namespace

CVrenkMenuBase::SMenuItem* CVrenkDoubleWheelMenu::_GetInnerItem(unsigned int nIndex) {
  return Checked(ItemAt(RING_INNER, nIndex));
}

const CVrenkMenuBase::SMenuItem* CVrenkDoubleWheelMenu::_GetInnerItem(unsigned int nIndex) const {
  return Checked(ItemAt(RING_INNER, nIndex));
}

CVrenkMenuBase::SMenuItem* CVrenkDoubleWheelMenu::_GetOuterItem(unsigned int nIndex) {
  return Checked(ItemAt(RING_OUTER, nIndex));
}

const CVrenkMenuBase::SMenuItem* CVrenkDoubleWheelMenu::_GetOuterItem(unsigned int nIndex) const {
  return Checked(ItemAt(RING_OUTER, nIndex));
}

//-----------------------------------------------------------------------------
// [SECTION] Hover
//-----------------------------------------------------------------------------

CVrenkMenuBase::SMenuItem* CVrenkDoubleWheelMenu::GetHoveredItem() {
  // The indices never reach past their lists: a ring that shrinks forgets
  // a hovered item it cut off.
  if (m_nInnerHoveredIndex >= 0) return ItemAt(RING_INNER, static_cast<unsigned int>(m_nInnerHoveredIndex));
  if (m_nOuterHoveredIndex >= 0) return ItemAt(RING_OUTER, static_cast<unsigned int>(m_nOuterHoveredIndex));
  return nullptr;
}

std::vector<CVrenkMenuBase::SMenuItem>::iterator CVrenkDoubleWheelMenu::_GetHoveredItemIterator() {
  if (m_nInnerHoveredIndex >= 0 && static_cast<size_t>(m_nInnerHoveredIndex) < m_vecInnerItems.size()) {
    return m_vecInnerItems.begin() + m_nInnerHoveredIndex;
  }
  if (m_nOuterHoveredIndex >= 0 && static_cast<size_t>(m_nOuterHoveredIndex) < m_vecItems.size()) {
    return m_vecItems.begin() + m_nOuterHoveredIndex;
  }
  return m_vecInnerItems.end();
}

bool CVrenkDoubleWheelMenu::IsInnerItemHovered(unsigned int nIndex) const {
  return m_nInnerHoveredIndex >= 0 && static_cast<unsigned int>(m_nInnerHoveredIndex) == nIndex;
}

bool CVrenkDoubleWheelMenu::IsOuterItemHovered(unsigned int nIndex) const {
  return m_nOuterHoveredIndex >= 0 && static_cast<unsigned int>(m_nOuterHoveredIndex) == nIndex;
}

//-----------------------------------------------------------------------------
// [SECTION] Options
//-----------------------------------------------------------------------------

int CVrenkDoubleWheelMenu::SetInnerItemStartDegree(float fDegree) {
  _SetInnerItemStartDegree(fDegree);
  CalculateInnerItemIndices();
  return 0;
}

int CVrenkDoubleWheelMenu::SetOuterItemStartDegree(float fDegree) {
  _SetOuterItemStartDegree(fDegree);
  CalculateOuterItemIndices();
  return 0;
}

void CVrenkDoubleWheelMenu::_SetInnerItemStartDegree(float fDegree) {
  m_fInnerItemStartAngle = wheel::StartAngleFromDegrees(fDegree);
}

void CVrenkDoubleWheelMenu::_SetOuterItemStartDegree(float fDegree) {
  m_fOuterItemStartAngle = wheel::StartAngleFromDegrees(fDegree);
}

float CVrenkDoubleWheelMenu::GetInnerItemStartDegree() const {
  return wheel::DegreesFromStartAngle(m_fInnerItemStartAngle);
}

float CVrenkDoubleWheelMenu::GetOuterItemStartDegree() const {
  return wheel::DegreesFromStartAngle(m_fOuterItemStartAngle);
}

void CVrenkDoubleWheelMenu::SetRadius(int nRadius) {
  m_fRadius = wheel::Rescaled(static_cast<float>(nRadius), 1.0f, m_fAppliedScale);
  UpdateBBox();
}

int CVrenkDoubleWheelMenu::GetRadius() const {
  return wheel::TruncateToInt(wheel::Rescaled(m_fRadius, m_fAppliedScale, 1.0f));
}

void CVrenkDoubleWheelMenu::ApplyScale() {
  const float fScale = m_pManager != nullptr ? m_pManager->GetScale() : 1.0f;
  if (fScale == m_fAppliedScale) return;
  m_fRadius = wheel::Rescaled(m_fRadius, m_fAppliedScale, fScale);
  m_fTooltipPanelInset = wheel::Rescaled(m_fTooltipPanelInset, m_fAppliedScale, fScale);
  m_fAppliedScale = fScale;
  // The texts were rasterised again at the new font height: their layout,
  // the panel and the ducking ring follow.
  for (unsigned int i = 0; i < m_vecInnerItems.size(); ++i) UpdateInnerItemTooltipLayout(i);
  for (unsigned int i = 0; i < m_vecItems.size(); ++i) UpdateOuterItemTooltipLayout(i);
  if (!m_vecTooltipDuckingPositions.empty()) BuildTooltipDuckingPosition();
}

void CVrenkDoubleWheelMenu::SetInnerRadiusRatio(float fRatio) {
  m_fInnerRadiusRatio = fRatio;
  // Before Init there is no rim to rebuild.
  if (HasGeometry()) BuildCircles();
}

void CVrenkDoubleWheelMenu::SetCenter(int x, int y) {
  m_fCenter[0] = static_cast<float>(x);
  m_fCenter[1] = static_cast<float>(y);
  DeriveRelativeCenter();
  if (m_bAutoReposition) AdjustCenter();
  UpdateTooltipPanelPosition();
  UpdateBBox();
}

void CVrenkDoubleWheelMenu::GetCenter(int& x, int& y) const {
  x = wheel::TruncateToInt(m_fCenter[0]);
  y = wheel::TruncateToInt(m_fCenter[1]);
}

void CVrenkDoubleWheelMenu::SetAutoReposition(bool bAuto) {
  m_bAutoReposition = bAuto;
  if (bAuto && AdjustCenter()) {
    UpdateTooltipPanelPosition();
    UpdateBBox();
  }
}

//-----------------------------------------------------------------------------
// [SECTION] Colours
//-----------------------------------------------------------------------------

void CVrenkDoubleWheelMenu::SetInnerItemColor(unsigned char r, unsigned char g, unsigned char b,
                                              unsigned char a) {
  AssignColor4(m_colorInnerItem, r, g, b, a);
  AssignColor4(m_colorInnerItemLit, ScaleColor(r, 1.2f), ScaleColor(g, 1.2f), ScaleColor(b, 1.2f), a);
  InterpolateColor4(m_colorInnerItemCenter, m_colorInnerItemLit, 0.75f, 0.5f, m_colorInnerItem, 0.25f, 0.5f);
}

void CVrenkDoubleWheelMenu::SetOuterItemColor(unsigned char r, unsigned char g, unsigned char b,
                                              unsigned char a) {
  AssignColor4(m_colorOuterItem, r, g, b, a);
  AssignColor4(m_colorOuterItemLit, ScaleColor(r, 1.2f), ScaleColor(g, 1.2f), ScaleColor(b, 1.2f), a);
}

void CVrenkDoubleWheelMenu::SetHighlightItemColor(unsigned char r, unsigned char g, unsigned char b,
                                                  unsigned char a) {
  color::SetWithScaledAlpha(m_colorHighlight, m_colorHighlightLit, r, g, b, a, 0.85f);
}

void CVrenkDoubleWheelMenu::SetToggledItemColor(unsigned char r, unsigned char g, unsigned char b,
                                                unsigned char a) {
  color::SetWithScaledAlpha(m_colorToggled, m_colorToggledLit, r, g, b, a, 0.85f);
}

void CVrenkDoubleWheelMenu::SetEdgeColor(unsigned char r, unsigned char g, unsigned char b, unsigned char a) {
  AssignColor4(m_colorEdge, r, g, b, a);
  AssignColor4(m_colorEdgeEnd, 255, 255, 255, 0);
  AssignColor4(m_colorRimFade, r, g, b, 0);
  AssignColor4(m_colorRimShadow, 0, 0, 0, 204);
}

}  // namespace VrenkGLWidge
