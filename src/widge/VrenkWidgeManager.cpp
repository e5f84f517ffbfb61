// VrenkWidgeManager.cpp - set-up, the widge list, the context bracket, the
// render pass, and the image and text services.
#include "VrenkWidgeManager.h"
#include "VrenkResult.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <cwchar>

#include "VrenkImagePool.h"
#include "VrenkTextureFontManager.h"
#include "VrenkMenuBase.h"
#include "VrenkWidge.h"
#include "render/backend.h"
#include "render/renderer.h"
#include "widge/manager_interaction.h"

namespace VrenkGLWidge {

namespace {

// The menus' font height at a screen scale: 16 pixels at 1.
int FontHeightFor(float fScale) { return static_cast<int>(std::lround(16.0 * fScale)); }

}  // namespace

const double CVrenkWidgeManager::HALF_DEPTH = 1000000.0;

CVrenkWidgeManager::CVrenkWidgeManager()
    : m_bInit(false),
      m_hWnd(nullptr),
      m_hDC(nullptr),
      m_nWndWidth(0),
      m_nWndHeight(0),
      m_hRC(nullptr),
      m_nViewport{0, 0, 0, 0},
      m_dSceneModelViewMatrix{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1},
      m_pImagePool(new CVrenkImagePool()),
      m_pFontManager(new CVrenkTextureFontManager()),
      m_fLastX(0),
      m_fLastY(0),
      m_nDirtyBox{0, 0, 0, 0},
      m_bGLContextCurrent(false),
      m_bNeedReRender(true),
      m_pInteraction(new SManagerInteraction()) {
  m_vecWidges.reserve(10);
  m_vecHitWidges.reserve(10);
  m_vecMissWidges.reserve(10);
  m_pRenderer = new render::CRenderer();
}

CVrenkWidgeManager::~CVrenkWidgeManager() {
  // Widges still attached give their texts and images back while they can.
  ReleaseAttachedWidges();
  // Widges that outlive the manager must not call into it later.
  for (CVrenkWidge* widge : m_vecWidges) {
    if (widge->m_pManager == this) widge->m_pManager = nullptr;
  }
  // Every widge in this list points here: one that leaves or dies calls
  // RemoveWidge, which takes it out.
  for (CVrenkWidge* widge : m_vecUntoldWidges) widge->m_pManager = nullptr;
  m_vecWidges.clear();
  m_vecUntoldWidges.clear();
  Release();
  delete m_pImagePool;
  delete m_pFontManager;
  delete m_pRenderer;
  if (m_hDC != nullptr) ReleaseDC(m_hWnd, m_hDC);
  delete m_pInteraction;
}

int CVrenkWidgeManager::Init(HWND hWnd, int nWndWidth, int nWndHeight, HGLRC hRC, int nVpX, int nVpY,
                             int nVpWidth, int nVpHeight) {
  if (m_bInit) return RESULT_ALREADY_INITIALISED;
  m_hWnd = hWnd;
  m_hRC = hRC;
  UpdateViewport(nWndWidth, nWndHeight, nVpX, nVpY, nVpWidth, nVpHeight);
  m_hDC = GetDC(hWnd);
  m_pFontManager->Init(m_hDC, FontHeightFor(m_fScale));
  ClearDirtyBox();
  m_bInit = true;
  return 0;
}

int CVrenkWidgeManager::Release() {
  // The texts and images about to be freed may still be held by widges that
  // point here (a host that releases the manager before its menus): those
  // widges are released first, so that none keeps a dangling pointer.
  ReleaseAttachedWidges();
  BeginGLOperation();
  m_pImagePool->Release();
  m_pFontManager->Release();
  m_pRenderer->Release();
  EndGLOperation();
  // The widges are not told; those still pointing here are remembered so
  // that the destructor can detach them.
  RememberUntoldWidges();
  m_vecWidges.clear();
  ++m_nListVersion;
  ForgetInteraction(nullptr);
  return 0;
}

void CVrenkWidgeManager::OnSize(unsigned int, int nWndWidth, int nWndHeight, int nVpX, int nVpY, int nVpWidth,
                                int nVpHeight) {
  UpdateViewport(nWndWidth, nWndHeight, nVpX, nVpY, nVpWidth, nVpHeight);
  // A widge may register or leave while re-laying itself out: walk a copy.
  std::vector<CVrenkWidge*> widges(m_vecWidges);
  for (CVrenkWidge* widge : widges) widge->RecalculateLayout();
  m_bNeedReRender = true;
}

void CVrenkWidgeManager::OnSize(unsigned int nType, int nWndWidth, int nWndHeight, const int* pViewport) {
  if (pViewport == nullptr) return;
  OnSize(nType, nWndWidth, nWndHeight, pViewport[0], pViewport[1], pViewport[2], pViewport[3]);
}

int CVrenkWidgeManager::UpdateViewport(int nWndWidth, int nWndHeight, int nVpX, int nVpY, int nVpWidth,
                                       int nVpHeight) {
  m_nWndWidth = nWndWidth;
  m_nWndHeight = nWndHeight;
  m_nViewport[0] = nVpX;
  m_nViewport[1] = nVpY;
  m_nViewport[2] = nVpWidth;
  m_nViewport[3] = nVpHeight;
  return 0;
}

int CVrenkWidgeManager::UpdateViewport(int nWndWidth, int nWndHeight, const int* pViewport) {
  if (pViewport == nullptr) return 0;
  return UpdateViewport(nWndWidth, nWndHeight, pViewport[0], pViewport[1], pViewport[2], pViewport[3]);
}

// --- Coordinate conversions ---------------------------------------------------

namespace {

// The conversions are 32-bit integer arithmetic; results beyond that range
// saturate instead of wrapping to the other side of the view.
int Saturate(long long value) {
  if (value > 2147483647LL) return 2147483647;
  if (value < -2147483647LL - 1) return -2147483647 - 1;
  return static_cast<int>(value);
}

void ClientToOverlay(int nWndHeight, long long x, long long y, long long vpX, long long vpY, int* pOutX,
                     int* pOutY) {
  if (pOutX != nullptr) *pOutX = Saturate(x - vpX);
  if (pOutY != nullptr) *pOutY = Saturate(static_cast<long long>(nWndHeight) - y - vpY);
}

}  // namespace

void CVrenkWidgeManager::ClientWindowsToGLViewport(int nWndHeight, int x, int y, int nVpX, int nVpY, int* pOutX,
                                                   int* pOutY) {
  ClientToOverlay(nWndHeight, x, y, nVpX, nVpY, pOutX, pOutY);
}

void CVrenkWidgeManager::ClientWindowsToGLViewport(int nWndHeight, POINT pt, int nVpX, int nVpY, int* pOutX,
                                                   int* pOutY) {
  ClientToOverlay(nWndHeight, pt.x, pt.y, nVpX, nVpY, pOutX, pOutY);
}

void CVrenkWidgeManager::ClientWindowsToGLViewport(int nWndHeight, int x, int y, const int* pViewport, int* pOutX,
                                                   int* pOutY) {
  if (pViewport == nullptr) return;
  ClientToOverlay(nWndHeight, x, y, pViewport[0], pViewport[1], pOutX, pOutY);
}

void CVrenkWidgeManager::ClientWindowsToGLViewport(int nWndHeight, POINT pt, const int* pViewport, int* pOutX,
                                                   int* pOutY) {
  if (pViewport == nullptr) return;
  ClientToOverlay(nWndHeight, pt.x, pt.y, pViewport[0], pViewport[1], pOutX, pOutY);
}

void CVrenkWidgeManager::ScreenWindowsToGLViewport(HWND hWnd, int nWndHeight, int x, int y, int nVpX, int nVpY,
                                                   int* pOutX, int* pOutY) {
  POINT pt;
  pt.x = x;
  pt.y = y;
  ScreenToClient(hWnd, &pt);
  ClientToOverlay(nWndHeight, pt.x, pt.y, nVpX, nVpY, pOutX, pOutY);
}

void CVrenkWidgeManager::ScreenWindowsToGLViewport(HWND hWnd, int nWndHeight, POINT pt, int nVpX, int nVpY,
                                                   int* pOutX, int* pOutY) {
  ScreenToClient(hWnd, &pt);
  ClientToOverlay(nWndHeight, pt.x, pt.y, nVpX, nVpY, pOutX, pOutY);
}

void CVrenkWidgeManager::ScreenWindowsToGLViewport(HWND hWnd, int nWndHeight, int x, int y, const int* pViewport,
                                                   int* pOutX, int* pOutY) {
  if (pViewport == nullptr) return;
  ScreenWindowsToGLViewport(hWnd, nWndHeight, x, y, pViewport[0], pViewport[1], pOutX, pOutY);
}

void CVrenkWidgeManager::ScreenWindowsToGLViewport(HWND hWnd, int nWndHeight, POINT pt, const int* pViewport,
                                                   int* pOutX, int* pOutY) {
  if (pViewport == nullptr) return;
  ScreenWindowsToGLViewport(hWnd, nWndHeight, pt, pViewport[0], pViewport[1], pOutX, pOutY);
}

// --- The widge list -------------------------------------------------------------

int CVrenkWidgeManager::AddWidge(CVrenkWidge* pWidge) {
  if (pWidge == nullptr) return RESULT_NULL_ARGUMENT;
  m_vecWidges.push_back(pWidge);
  ++m_nListVersion;
  return 0;
}

int CVrenkWidgeManager::RemoveWidge(CVrenkWidge* pWidge) {
  auto untold = std::find(m_vecUntoldWidges.begin(), m_vecUntoldWidges.end(), pWidge);
  bool known = untold != m_vecUntoldWidges.end();
  int result = -4;
  if (!m_vecWidges.empty()) {
    auto it = std::find(m_vecWidges.begin(), m_vecWidges.end(), pWidge);
    if (it != m_vecWidges.end()) {
      m_vecWidges.erase(it);
      ++m_nListVersion;
      known = true;
      result = 0;
      ForgetInteraction(pWidge);
    }
  }
  // Keep the rule that every widge pointing here is listed or remembered: a
  // widge leaving by itself has already cleared its pointer.
  if (known) {
    const bool pointsHere = pWidge->m_pManager == this;
    const bool listed = std::find(m_vecWidges.begin(), m_vecWidges.end(), pWidge) != m_vecWidges.end();
    untold = std::find(m_vecUntoldWidges.begin(), m_vecUntoldWidges.end(), pWidge);
    if (pointsHere && !listed && untold == m_vecUntoldWidges.end()) m_vecUntoldWidges.push_back(pWidge);
    if (!pointsHere && untold != m_vecUntoldWidges.end()) m_vecUntoldWidges.erase(untold);
  }
  return result;
}

int CVrenkWidgeManager::RemoveAllWidges() {
  RememberUntoldWidges();
  m_vecWidges.clear();
  ++m_nListVersion;
  ForgetInteraction(nullptr);
  return 0;
}

void CVrenkWidgeManager::ReleaseAttachedWidges() {
  // A widge's Release leaves this list: walk a copy, and skip any that an
  // earlier Release has already taken away.
  std::vector<CVrenkWidge*> widges(m_vecWidges);
  widges.insert(widges.end(), m_vecUntoldWidges.begin(), m_vecUntoldWidges.end());
  for (size_t i = 0; i < widges.size(); ++i) {
    CVrenkWidge* widge = widges[i];
    if (std::find(widges.begin(), widges.begin() + static_cast<std::ptrdiff_t>(i), widge) !=
        widges.begin() + static_cast<std::ptrdiff_t>(i)) {
      continue;
    }
    const bool attached = std::find(m_vecWidges.begin(), m_vecWidges.end(), widge) != m_vecWidges.end() ||
                          std::find(m_vecUntoldWidges.begin(), m_vecUntoldWidges.end(), widge) !=
                              m_vecUntoldWidges.end();
    if (attached && widge->m_pManager == this) widge->Release();
  }
}

void CVrenkWidgeManager::RememberUntoldWidges() {
  for (CVrenkWidge* widge : m_vecWidges) {
    if (widge->m_pManager == this &&
        std::find(m_vecUntoldWidges.begin(), m_vecUntoldWidges.end(), widge) == m_vecUntoldWidges.end()) {
      m_vecUntoldWidges.push_back(widge);
    }
  }
}

// --- Context bracket and render pass --------------------------------------------

void CVrenkWidgeManager::BeginGLOperation() {
  m_bGLContextCurrent = wglGetCurrentContext() != nullptr && wglGetCurrentDC() != nullptr;
  if (!m_bGLContextCurrent) wglMakeCurrent(m_hDC, m_hRC);
}

void CVrenkWidgeManager::EndGLOperation() {
  if (!m_bGLContextCurrent) wglMakeCurrent(nullptr, nullptr);
}

int CVrenkWidgeManager::Render() {
  BeginGLOperation();
  _RenderAllWidges();
  EndGLOperation();
  return 0;
}

void CVrenkWidgeManager::_RenderAllWidges() {
  // A viewport without width or height shows nothing, and the overlay's
  // projection would have no volume: the pass keeps only its bookkeeping.
  // So does a context that no backend serves.
  render::SBackend* pBackend = m_pRenderer->ForCurrentContext();
  if (pBackend == nullptr || m_nViewport[2] == 0 || m_nViewport[3] == 0) {
    if (pBackend != nullptr) pBackend->CaptureSceneMatrix(pBackend->pUser, m_dSceneModelViewMatrix);
    ClearDirty();
    return;
  }

  pBackend->BeginPass(pBackend->pUser, m_nViewport, m_dSceneModelViewMatrix);
  m_pRenderer->BeginPass(pBackend);
  // Indexing, not iterators: a widge's drawing may not register or remove
  // widges, but a bad one must not make the pass read freed memory. Each
  // library menu draws its list as it is called, so widges that draw with
  // their own GL calls keep their place in the order.
  // An open popup is drawn last, over everything else.
  CVrenkWidge* popup = GetPopupMenu();
  for (size_t i = 0; i < m_vecWidges.size(); ++i) {
    CVrenkWidge* widge = m_vecWidges[i];
    if (!widge->m_bEnable || !widge->m_bVisible || widge == popup) continue;
    widge->RenderActually();
    widge->m_bDirty = false;
  }
  if (popup != nullptr && popup == GetPopupMenu() && popup->m_bEnable && popup->m_bVisible) {
    popup->RenderActually();
    popup->m_bDirty = false;
  }
  ClearDirty();
  m_pRenderer->EndPass();
  pBackend->EndPass(pBackend->pUser);
}

int CVrenkWidgeManager::SetScale(float fScale) {
  if (!std::isfinite(fScale) || !(fScale > 0.0f) || fScale > 16.0f) return RESULT_BAD_VALUE;
  if (fScale == m_fScale) return RESULT_OK;
  m_fScale = fScale;
  if (m_bInit) {
    BeginGLOperation();
    m_pFontManager->SetFontHeight(FontHeightFor(fScale));
    EndGLOperation();
  }
  // A widge may register or leave while re-laying itself out: walk a copy.
  std::vector<CVrenkWidge*> widges(m_vecWidges);
  for (CVrenkWidge* widge : widges) widge->RecalculateLayout();
  m_bNeedReRender = true;
  return RESULT_OK;
}

void CVrenkWidgeManager::SetShaderRendering(bool bShaders) {
  if (bShaders == m_pRenderer->IsPreferShaders()) return;
  m_pRenderer->SetPreferShaders(bShaders);
  m_bNeedReRender = true;
}

bool CVrenkWidgeManager::IsShaderRendering() const { return m_pRenderer->IsPreferShaders(); }

render::CRenderer* render::SManagerAccess::RendererOf(CVrenkWidgeManager* pManager) {
  return pManager->m_pRenderer;
}

// --- Image and text services ------------------------------------------------------

template <typename Char>
CVrenkImageBase* CVrenkWidgeManager::AllocateImageOf(const Char* path, unsigned int* pTexture) {
  unsigned int texture = 0;
  CVrenkImageBase* image = nullptr;
  if (path != nullptr) {
    BeginGLOperation();
    image = m_pImagePool->GetImage(std::basic_string<Char>(path, std::char_traits<Char>::length(path)), texture);
    EndGLOperation();
  }
  if (pTexture != nullptr) *pTexture = texture;
  return image;
}

CVrenkImageBase* CVrenkWidgeManager::AllocateImage(const char* path) { return AllocateImageOf(path, nullptr); }

CVrenkImageBase* CVrenkWidgeManager::AllocateImage(const wchar_t* path) { return AllocateImageOf(path, nullptr); }

CVrenkImageBase* CVrenkWidgeManager::AllocateImage(const char* path, unsigned int* pTexture) {
  return AllocateImageOf(path, pTexture);
}

CVrenkImageBase* CVrenkWidgeManager::AllocateImage(const wchar_t* path, unsigned int* pTexture) {
  return AllocateImageOf(path, pTexture);
}

int CVrenkWidgeManager::ReleaseImage(CVrenkImageBase* pImage) {
  BeginGLOperation();
  int result = m_pImagePool->ReleaseImage(pImage);
  EndGLOperation();
  return result;
}

CVrenkTextureText* CVrenkWidgeManager::CreateText(const std::string& strText) {
  BeginGLOperation();
  CVrenkTextureText* text = m_pFontManager->CreateText(strText, false);
  EndGLOperation();
  return text;
}

int CVrenkWidgeManager::ReleaseText(CVrenkTextureText* pText) {
  BeginGLOperation();
  int result = m_pFontManager->DestroyText(pText);
  EndGLOperation();
  return result;
}

unsigned int CVrenkWidgeManager::GetFontHeight() const { return m_pFontManager->GetFontHeight(); }

}  // namespace VrenkGLWidge
