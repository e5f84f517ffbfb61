// VrenkMenuBase.cpp - the item model, hover bookkeeping and click rule that
// every wheel menu shares.
#include "VrenkMenuBase.h"
#include "VrenkResult.h"
#include "common/color.h"
#include "menu/item_flags.h"

#include <cmath>
#include <stdexcept>

#include "VrenkTextureText.h"
#include "VrenkWidgeManager.h"
#include "menu/VrenkMenuSelection.h"

namespace VrenkFunctional {

IVrenkMenuItemCallbackBase::~IVrenkMenuItemCallbackBase() {}

}  // namespace VrenkFunctional

namespace VrenkGLWidge {

const std::string CVrenkMenuBase::strDummy;
const float CVrenkMenuBase::DEFAULT_DEAD_ZONE_RATIO = 0.2f;

namespace {

CVrenkMenuBase::SMenuItem NewItem(int nID) {
  CVrenkMenuBase::SMenuItem item;
  item.nType = 0;
  item.bToggled = false;
  item.bEnabled = true;
  item.nID = nID;
  item.pTooltip = nullptr;
  for (int k = 0; k < 3; ++k) {
    item.fTooltipRingPoint[k] = 0.0f;
    item.fTooltipAnchor[k] = 0.0f;
  }
  item.pImage = nullptr;
  item.nTextureName = 0;
  return item;
}

}  // namespace

CVrenkMenuBase::CVrenkMenuBase()
    : m_bShowTooltip(false),
      m_nHoveredIndex(-1),
      m_pProcessFunction(nullptr),
      m_pInteraction(new SMenuInteraction()) {}

CVrenkMenuBase::~CVrenkMenuBase() {
  CVrenkMenuBase::Release();
  delete m_pInteraction;
  m_pInteraction = nullptr;
}

void CVrenkMenuBase::Init(CVrenkWidgeManager* pManager, int nItemSize) {
  if (nItemSize < 0) throw std::length_error("CVrenkMenuBase::Init: negative item count");
  // A second Init starts afresh: registering twice would leave a stale
  // entry in the manager's list once the menu is destroyed.
  if (m_pManager != nullptr) Release();
  CVrenkWidge::Init(pManager);
  // Not the virtual one: a derived menu lays itself out once its own Init
  // has set its geometry.
  CVrenkMenuBase::SetItemSize(static_cast<unsigned int>(nItemSize));
}

void CVrenkMenuBase::GiveBackResources(SMenuItem& item) {
  // A menu whose manager has gone (the manager detaches its widges when it
  // is destroyed) has nobody to give back to: the manager freed it all.
  if (item.pTooltip != nullptr) {
    if (m_pManager != nullptr) m_pManager->ReleaseText(item.pTooltip);
    item.pTooltip = nullptr;
  }
  if (item.pImage != nullptr) {
    if (m_pManager != nullptr) m_pManager->ReleaseImage(item.pImage);
    item.pImage = nullptr;
  }
}

void CVrenkMenuBase::Release() {
  for (SMenuItem& item : m_vecItems) {
    item.nID = 0;
    GiveBackResources(item);
  }
  CVrenkWidge::Release();
}

// --- Items --------------------------------------------------------------------

int CVrenkMenuBase::AddItem(int nID) {
  m_vecItems.push_back(NewItem(nID));
  return 0;
}

template <typename Char>
int CVrenkMenuBase::SetItemImpl(std::vector<SMenuItem>& vecItems, unsigned int nIndex, int nID,
                                const std::string& strTooltip, const Char* szImagePath, int nType, bool bToggled,
                                bool bEnabled) {
  if (nIndex >= vecItems.size()) return RESULT_BAD_INDEX;
  SMenuItem& item = vecItems[nIndex];
  item.bToggled = bToggled;
  item.nType = nType;
  item.bEnabled = bEnabled;
  item.nID = nID;

  if (item.pTooltip != nullptr) {
    if (m_pManager != nullptr) m_pManager->ReleaseText(item.pTooltip);
    item.pTooltip = nullptr;
  }
  if (m_pManager != nullptr) item.pTooltip = m_pManager->CreateText(strTooltip);

  if (item.pImage != nullptr) {
    if (m_pManager != nullptr) m_pManager->ReleaseImage(item.pImage);
    item.pImage = nullptr;
  }
  item.nTextureName = 0;
  if (szImagePath == nullptr) return 0;
  // Without a manager there is no pool to load the icon from.
  if (m_pManager == nullptr) return RESULT_IMAGE_NOT_LOADED;
  item.pImage = m_pManager->AllocateImage(szImagePath, &item.nTextureName);
  return item.pImage != nullptr ? RESULT_OK : RESULT_IMAGE_NOT_LOADED;
}

int CVrenkMenuBase::SetItemOf(std::vector<SMenuItem>& vecItems, unsigned int nIndex, int nID,
                              const std::string& strTooltip, const wchar_t* szImagePath, int nType, bool bToggled,
                              bool bEnabled) {
  return SetItemImpl(vecItems, nIndex, nID, strTooltip, szImagePath, nType, bToggled, bEnabled);
}

int CVrenkMenuBase::SetItemOf(std::vector<SMenuItem>& vecItems, unsigned int nIndex, int nID,
                              const std::string& strTooltip, const char* szImagePath, int nType, bool bToggled,
                              bool bEnabled) {
  return SetItemImpl(vecItems, nIndex, nID, strTooltip, szImagePath, nType, bToggled, bEnabled);
}

void CVrenkMenuBase::ResizeItemsOf(std::vector<SMenuItem>& vecItems, unsigned int nSize) {
  for (size_t i = nSize; i < vecItems.size(); ++i) GiveBackResources(vecItems[i]);
  vecItems.resize(nSize, NewItem(0));
}

int CVrenkMenuBase::SetItem(unsigned int nIndex, int nID, const std::string& strTooltip,
                            const wchar_t* szImagePath, int nType, bool bToggled, bool bEnabled) {
  return SetItemOf(m_vecItems, nIndex, nID, strTooltip, szImagePath, nType, bToggled, bEnabled);
}

int CVrenkMenuBase::SetItem(unsigned int nIndex, int nID, const std::string& strTooltip,
                            const char* szImagePath, int nType, bool bToggled, bool bEnabled) {
  return SetItemOf(m_vecItems, nIndex, nID, strTooltip, szImagePath, nType, bToggled, bEnabled);
}

int CVrenkMenuBase::SetItemSize(unsigned int nSize) {
  ResizeItemsOf(m_vecItems, nSize);
  // An item cut off is no longer hovered: a later item at its index would
  // otherwise show the highlight and take the next click unhovered.
  if (m_nHoveredIndex >= 0 && static_cast<unsigned int>(m_nHoveredIndex) >= nSize) m_nHoveredIndex = -1;
  CVrenkMenuSelection::ReportHighlight(*this);
  return 0;
}

int CVrenkMenuBase::GetItemSize() const { return static_cast<int>(m_vecItems.size()); }

int CVrenkMenuBase::GetItemID(unsigned int nIndex) const {
  return nIndex < m_vecItems.size() ? m_vecItems[nIndex].nID : -2;
}

const std::string& CVrenkMenuBase::GetItemTooltip(unsigned int nIndex) const {
  const CVrenkTextureText* text = _GetItemTooltipObject(nIndex);
  return text != nullptr ? text->GetText() : strDummy;
}

CVrenkImageBase* CVrenkMenuBase::GetItemImage(unsigned int nIndex) const {
  return nIndex < m_vecItems.size() ? m_vecItems[nIndex].pImage : nullptr;
}

unsigned int CVrenkMenuBase::GetItemTextureName(unsigned int nIndex) const {
  return nIndex < m_vecItems.size() ? m_vecItems[nIndex].nTextureName : 0u;
}

int CVrenkMenuBase::GetItemIndexByID(unsigned int nID) const {
  for (size_t i = 0; i < m_vecItems.size(); ++i) {
    if (static_cast<unsigned int>(m_vecItems[i].nID) == nID) return static_cast<int>(i);
  }
  return RESULT_NOT_FOUND;
}

int CVrenkMenuBase::SetItemType(unsigned int nIndex, int nType) {
  if (nIndex >= m_vecItems.size()) return RESULT_BAD_INDEX;
  m_vecItems[nIndex].nType = nType;
  return nType;
}

int CVrenkMenuBase::GetItemType(unsigned int nIndex) const {
  return nIndex < m_vecItems.size() ? m_vecItems[nIndex].nType : -2;
}

int CVrenkMenuBase::SetItemToggled(unsigned int nIndex, bool bToggled) {
  return menu::StoreFlag(menu::ItemOf(m_vecItems, nIndex), &SMenuItem::bToggled, bToggled);
}

bool CVrenkMenuBase::IsItemToggled(unsigned int nIndex) const {
  return menu::ReadFlag(menu::ItemOf(m_vecItems, nIndex), &SMenuItem::bToggled);
}

int CVrenkMenuBase::SetItemEnabled(unsigned int nIndex, bool bEnabled) {
  return menu::StoreFlag(menu::ItemOf(m_vecItems, nIndex), &SMenuItem::bEnabled, bEnabled);
}

bool CVrenkMenuBase::IsItemEnabled(unsigned int nIndex) const {
  return menu::ReadFlag(menu::ItemOf(m_vecItems, nIndex), &SMenuItem::bEnabled);
}

CVrenkMenuBase::SMenuItem* CVrenkMenuBase::_GetItem(unsigned int nIndex) { return &m_vecItems.at(nIndex); }

const CVrenkMenuBase::SMenuItem* CVrenkMenuBase::_GetItem(unsigned int nIndex) const {
  return &m_vecItems.at(nIndex);
}

CVrenkTextureText* CVrenkMenuBase::_GetItemTooltipObject(unsigned int nIndex) const {
  return nIndex < m_vecItems.size() ? m_vecItems[nIndex].pTooltip : nullptr;
}

// --- Hover --------------------------------------------------------------------

void CVrenkMenuBase::UpdateHoveredIndex(int nIndex) {
  if (nIndex == m_nHoveredIndex) return;
  SetDirty();
  m_nHoveredIndex = nIndex;
  CVrenkMenuSelection::ReportHighlight(*this);
}

CVrenkMenuBase::SMenuItem* CVrenkMenuBase::GetHoveredItem() {
  // The index may be stale after the list shrank; it never reaches past
  // the list.
  if (m_nHoveredIndex < 0 || static_cast<size_t>(m_nHoveredIndex) >= m_vecItems.size()) return nullptr;
  return &m_vecItems[static_cast<size_t>(m_nHoveredIndex)];
}

int CVrenkMenuBase::GetHoveredIndex() const { return m_nHoveredIndex; }

bool CVrenkMenuBase::IsItemHovered(unsigned int nIndex) const {
  return m_nHoveredIndex >= 0 && static_cast<unsigned int>(m_nHoveredIndex) == nIndex;
}

// --- Tooltips and callback ----------------------------------------------------

void CVrenkMenuBase::SetShowTooltip(bool bShow) { m_bShowTooltip = bShow; }

int CVrenkMenuBase::SetProcessFunction(VrenkFunctional::IVrenkMenuItemCallbackBase* pFunction) {
  m_pProcessFunction = pFunction;
  return pFunction != nullptr ? 0 : -5;
}

// --- Selection options and the highlight hook ----------------------------------

void CVrenkMenuBase::SetSelectByDirection(bool bDirection) { m_pInteraction->bSelectByDirection = bDirection; }

bool CVrenkMenuBase::IsSelectByDirection() const { return m_pInteraction->bSelectByDirection; }

void CVrenkMenuBase::SetDeadZone(float fPixels) {
  // NaN fails the comparison and restores the default too.
  m_pInteraction->fDeadZone = fPixels >= 0.0f ? fPixels : -1.0f;
}

float CVrenkMenuBase::GetDeadZone() const { return static_cast<float>(CVrenkMenuSelection::DeadZone(*this)); }

void CVrenkMenuBase::SetCancelDistance(float fPixels) {
  // An infinite distance is no limit either.
  m_pInteraction->fCancelDistance = fPixels > 0.0f && std::isfinite(fPixels) ? fPixels : 0.0f;
}

float CVrenkMenuBase::GetCancelDistance() const { return m_pInteraction->fCancelDistance; }

int CVrenkMenuBase::SetHighlightFunction(VrenkFunctional::IVrenkMenuItemHighlightCallbackBase* pFunction) {
  m_pInteraction->pHighlightFunction = pFunction;
  // A new hook hears of changes from now on, not of the present highlight.
  m_pInteraction->reported = CVrenkMenuSelection::GetHighlight(*this);
  return pFunction != nullptr ? 0 : -5;
}

bool CVrenkMenuBase::ExecuteCallback(int nID, bool bToggled) const {
  return m_pProcessFunction != nullptr ? m_pProcessFunction->Execute(nID, bToggled) : false;
}

unsigned char CVrenkMenuBase::ScaleColor(unsigned char c, float f) { return color::Scale(c, f); }

// --- Mouse --------------------------------------------------------------------

bool CVrenkMenuBase::OnMouseMove(float, float) { return false; }

bool CVrenkMenuBase::OnMouseEnter(float, float) { return false; }

bool CVrenkMenuBase::OnMouseLeave(float, float) {
  SetDirty();
  m_bLBtnPressed = false;
  return true;
}

bool CVrenkMenuBase::OnLButtonDown(float, float) {
  SetDirty();
  m_bLBtnPressed = true;
  return true;
}

bool CVrenkMenuBase::OnLButtonUp(float, float) {
  m_bLBtnPressed = false;
  SetDirty();
  // The release alone decides: where the press happened does not matter.
  SMenuItem* item = GetHoveredItem();
  if (item == nullptr || !item->bEnabled) return true;
  if (item->nType == 1) item->bToggled = !item->bToggled;
  // The callback may change the items, so it gets copies.
  const int nID = item->nID;
  const bool bToggled = item->bToggled;
  if (!IsCallbackValid()) return false;
  return ExecuteCallback(nID, bToggled);
}

bool CVrenkMenuBase::OnRButtonDown(float, float) { return false; }

bool CVrenkMenuBase::OnRButtonUp(float, float) { return false; }

bool CVrenkMenuBase::OnMouseWheel(int, float, float) { return false; }

}  // namespace VrenkGLWidge
