// VrenkWidgeManager.h - the host's single entry point for one OpenGL view.
#ifndef VRENK_WIDGE_MANAGER_H
#define VRENK_WIDGE_MANAGER_H

#include <string>
#include <vector>

#include "VrenkPlatform.h"
#include "VrenkTimeSource.h"

namespace VrenkGLWidge {

class CVrenkWidge;
class CVrenkMenuBase;
class CVrenkImageBase;
class CVrenkImagePool;
class CVrenkTextureFontManager;
class CVrenkTextureText;
namespace render {
class CRenderer;
struct SManagerAccess;
}  // namespace render
struct SManagerInteraction;

// Owns the image pool and the font manager that widges borrow icons and
// texts from, holds the registered widges in registration order, turns the
// host's window messages into widge events, draws every enabled, visible
// widge in an orthographic overlay pass, and collects the dirty region.
// Every GL operation runs with a context current: the host's when it has
// one current, otherwise the manager's own, made current for the call.
class VRENK_API CVrenkWidgeManager {
 public:
  // Half the depth of the overlay's orthographic volume.
  static const double HALF_DEPTH;

  CVrenkWidgeManager();
  // Releases everything (widges still attached first), detaches widges
  // still pointing here, gives the window's DC back.
  virtual ~CVrenkWidgeManager();

  CVrenkWidgeManager(const CVrenkWidgeManager&) = delete;
  CVrenkWidgeManager& operator=(const CVrenkWidgeManager&) = delete;

  // Binds the manager to a window, its client size, a rendering context and
  // the viewport; -6 when already initialised.
  int Init(HWND hWnd, int nWndWidth, int nWndHeight, HGLRC hRC, int nVpX, int nVpY, int nVpWidth, int nVpHeight);
  // Releases the widges still attached (so that none keeps a text or an
  // image about to go), frees every image, texture and text and empties the
  // widge list; always 0. The manager cannot be initialised again.
  int Release();

  // Stores the new size and viewport, re-lays out every widge and asks for
  // a redraw.
  void OnSize(unsigned int nType, int nWndWidth, int nWndHeight, int nVpX, int nVpY, int nVpWidth, int nVpHeight);
  void OnSize(unsigned int nType, int nWndWidth, int nWndHeight, const int* pViewport);

  const int* GetViewport() const { return m_nViewport; }
  // The host's model-view matrix captured by the last render pass.
  const double* GetSceneModelViewMatrix() const { return m_dSceneModelViewMatrix; }

  // Client-area point (origin top left, y down) to overlay coordinates
  // (origin at the viewport's lower left, y up).
  static void ClientWindowsToGLViewport(int nWndHeight, int x, int y, int nVpX, int nVpY, int* pOutX, int* pOutY);
  static void ClientWindowsToGLViewport(int nWndHeight, POINT pt, int nVpX, int nVpY, int* pOutX, int* pOutY);
  static void ClientWindowsToGLViewport(int nWndHeight, int x, int y, const int* pViewport, int* pOutX,
                                        int* pOutY);
  static void ClientWindowsToGLViewport(int nWndHeight, POINT pt, const int* pViewport, int* pOutX, int* pOutY);
  // The same for a screen point, turned into a client point first.
  static void ScreenWindowsToGLViewport(HWND hWnd, int nWndHeight, int x, int y, int nVpX, int nVpY, int* pOutX,
                                        int* pOutY);
  static void ScreenWindowsToGLViewport(HWND hWnd, int nWndHeight, POINT pt, int nVpX, int nVpY, int* pOutX,
                                        int* pOutY);
  static void ScreenWindowsToGLViewport(HWND hWnd, int nWndHeight, int x, int y, const int* pViewport,
                                        int* pOutX, int* pOutY);
  static void ScreenWindowsToGLViewport(HWND hWnd, int nWndHeight, POINT pt, const int* pViewport, int* pOutX,
                                        int* pOutY);

  // -5 for null; no duplicate check.
  int AddWidge(CVrenkWidge* pWidge);
  // Removes the first occurrence; -4 when not registered.
  int RemoveWidge(CVrenkWidge* pWidge);
  int RemoveAllWidges();

  // Adds the widge's box (if any) to the dirty region and asks for a redraw.
  int SetNeedReRender(CVrenkWidge* pWidge);
  bool IsNeedReRender() const { return m_bNeedReRender; }

  // Draws every enabled, visible widge in registration order over the
  // host's scene; always 0.
  int Render();

  // Icons from the image pool, by narrow or wide path; null on failure.
  CVrenkImageBase* AllocateImage(const char* path);
  CVrenkImageBase* AllocateImage(const wchar_t* path);
  CVrenkImageBase* AllocateImage(const char* path, unsigned int* pTexture);
  CVrenkImageBase* AllocateImage(const wchar_t* path, unsigned int* pTexture);
  int ReleaseImage(CVrenkImageBase* pImage);
  // Single-row texts from the font manager; null on failure.
  CVrenkTextureText* CreateText(const std::string& strText);
  int ReleaseText(CVrenkTextureText* pText);
  unsigned int GetFontHeight() const;

  // Mouse messages: client points, except the wheel's screen point. True
  // when a widge handled the event.
  bool OnMouseMove(unsigned int nFlags, POINT pt);
  bool OnLButtonDown(unsigned int nFlags, POINT pt);
  bool OnLButtonUp(unsigned int nFlags, POINT pt);
  bool OnRButtonDown(unsigned int nFlags, POINT pt);
  bool OnRButtonUp(unsigned int nFlags, POINT pt);
  bool OnMouseWheel(unsigned int nFlags, short nDelta, POINT pt);

  // Sets the scale of a high-density screen (1.5 for 150 %): every pixel
  // size of the menus (radii, line widths, icon sizes, panel insets and
  // margins, label offsets, dead zones) and the font height (16 x scale,
  // rounded; every text the manager holds is rasterised again at it, the
  // text objects staying the same) follow it, while points, the client size
  // and the viewport stay in framebuffer pixels. Every widge is laid out
  // again. 1 by default; 0, or RESULT_BAD_VALUE (and nothing changed) for a
  // scale that is not finite or not above 0 and at most 16.
  int SetScale(float fScale);
  // The scale; 1 by default.
  float GetScale() const { return m_fScale; }

  // Draws with the shader backend in compatibility contexts too (OpenGL 2.0
  // and later), as in core-profile and ES contexts, which always use it;
  // false, the default, keeps the fixed-function backend there.
  void SetShaderRendering(bool bShaders);
  // Whether compatibility contexts are drawn with the shader backend.
  bool IsShaderRendering() const;
  // Opens a registered wheel menu as a popup centred at a client point
  // (kept inside the viewport by the menu's placement), to be called from
  // the host's button-down handler: the pointer is captured for the menu
  // until a button is released. A release within the menu's dead zone of
  // the press point leaves the popup open for an ordinary click (a press
  // outside it or Escape closes it); a stroke beyond it chooses the item by
  // direction from the press point (or, for a menu that does not select by
  // direction, the item under the pointer). 0; -5 for null; -4 for a menu
  // not registered with this manager; -8 for a disabled menu or one that is
  // not a wheel menu. An open popup is closed first, nothing chosen.
  int PopupMenu(CVrenkMenuBase* pMenu, POINT ptClient);
  // Hides the open popup with nothing chosen and asks for a redraw; 0, or
  // -4 when no popup is open.
  int ClosePopup();
  // The open popup, or null.
  CVrenkMenuBase* GetPopupMenu() const;
  // The menu the pointer is captured for (a held popup or a stroke on a
  // menu that selects by direction), or null.
  CVrenkMenuBase* GetCaptureMenu() const;
  // Sets how long, in milliseconds, the pointer must rest during a popup's
  // stroke before the popup is drawn; 0 (the default) shows it at once.
  // Values above 2^31 - 1 are taken as 2^31 - 1.
  void SetPopupDelay(unsigned int nMilliseconds);
  // The popup delay in milliseconds.
  unsigned int GetPopupDelay() const;
  // Sets the clock the manager reads (not owned); 0, or -5 for null, which
  // brings back the default, the system's monotonic clock (GetTickCount).
  int SetTimeSource(VrenkFunctional::IVrenkTimeSourceBase* pTimeSource);
  // Milliseconds until OnTimer is due (0 when it is overdue), or -1 when
  // nothing waits for the time.
  int GetTimerDelay();
  // Does what was waiting for the time (showing a popup whose pointer has
  // rested long enough); true when a redraw is needed.
  bool OnTimer();

  // Key messages with Windows virtual-key codes and the WM_KEYDOWN /
  // WM_KEYUP lParam (bit 30: the key was down already, an auto-repeat). The
  // key goes to the open popup, else to the menu under the pointer; true
  // when a menu used it. Arrows and numpad digits highlight the enabled item
  // nearest their direction, Tab and Shift+Tab step through the enabled
  // items, Enter, Space and numpad 5 choose the highlighted item as a click
  // would, '1' to '9' and '0' choose items 1 to 10, Escape closes a popup or
  // cancels a stroke, Page Up and Page Down move to the outer and the inner
  // ring of a double wheel.
  bool OnKeyDown(WPARAM nVirtKey, LPARAM lParam);
  // True when a menu used the key's key-down message.
  bool OnKeyUp(WPARAM nVirtKey, LPARAM lParam);

  // Restores the on-screen frame into the back buffer and confines drawing
  // to the dirty region; the host's context must be current.
  void BeginRegionalRendering();
  // Undoes the scissor state of BeginRegionalRendering.
  void EndRegionalRendering();

 protected:
  int UpdateViewport(int nWndWidth, int nWndHeight, int nVpX, int nVpY, int nVpWidth, int nVpHeight);
  int UpdateViewport(int nWndWidth, int nWndHeight, const int* pViewport);

  void _RenderAllWidges();
  void BeginGLOperation();
  void EndGLOperation();

  void HitTest(float x, float y, std::vector<CVrenkWidge*>* pHit, std::vector<CVrenkWidge*>* pMiss);
  void HitTest(float x, float y);
  void HitTestByClientWindowPoint(POINT pt, float* pX, float* pY);
  void HitTestByScreenWindowPoint(POINT pt, float* pX, float* pY);

  void AddDirtyBox(int nMinX, int nMinY, int nMaxX, int nMaxY);
  void ClearDirtyBox();
  void ClearDirty();
  void CopyGLBuffer(GLenum nSrcBuffer, GLenum nDstBuffer);

  bool m_bInit;
  HWND m_hWnd;
  HDC m_hDC;
  int m_nWndWidth;
  int m_nWndHeight;
  HGLRC m_hRC;
  int m_nViewport[4];
  double m_dSceneModelViewMatrix[16];
  std::vector<CVrenkWidge*> m_vecWidges;
  CVrenkImagePool* m_pImagePool;
  CVrenkTextureFontManager* m_pFontManager;
  float m_fLastX;
  float m_fLastY;
  std::vector<CVrenkWidge*> m_vecHitWidges;
  std::vector<CVrenkWidge*> m_vecMissWidges;
  int m_nDirtyBox[4];
  bool m_bGLContextCurrent;
  bool m_bNeedReRender;

 private:
  friend struct render::SManagerAccess;

  // The image pool's image for a narrow or wide path, its texture name to
  // *pTexture when that is not null.
  template <typename Char>
  CVrenkImageBase* AllocateImageOf(const Char* path, unsigned int* pTexture);

  // Offers one button or wheel event to the widges that take it; the one
  // that handled it goes to *ppHandler when asked for.
  template <typename Offer>
  bool DispatchButton(POINT pt, bool bScreenPoint, Offer offer, CVrenkWidge** ppHandler = nullptr);
  // The mouse move of the dispatch rules, without a capture.
  bool DispatchMove(POINT pt);

  // Stores a client (or screen) point as the last cursor position, in
  // overlay coordinates, without a hit test.
  void TrackPointer(POINT pt, bool bScreenPoint);

  // Popups and captured strokes (VrenkWidgeManagerPopup.cpp).
  bool IsListed(const CVrenkWidge* pWidge) const;
  // The menu a stroke holds the pointer for, or null; a stroke whose menu
  // can no longer hold it ends here.
  CVrenkMenuBase* StrokeHolder();
  void BeginDirectionStroke(CVrenkWidge* pHandler);
  bool CapturedMove(POINT pt);
  bool EndStroke(POINT pt);
  void TrackStroke(CVrenkMenuBase* pMenu, float x, float y);
  void ShowPendingPopup();
  bool CheckRest(float x, float y);
  void ClosePopupMenu();
  void CancelStroke();
  void SyncAfterStroke(CVrenkWidge* pWidge, POINT pt);
  bool IsOverPopup(float x, float y);
  bool PopupOpenPress(POINT pt, bool bLeft);
  bool PopupOpenRelease(POINT pt, bool bLeft);
  // Forgets a widge that leaves the list (all of them for null).
  void ForgetInteraction(const CVrenkWidge* pWidge);
  // Keys (VrenkWidgeManagerKeyboard.cpp).
  CVrenkMenuBase* KeyTarget() const;
  bool HandleKey(CVrenkMenuBase* pMenu, unsigned int nKey, bool bRepeat);
  bool ActivateHighlighted(CVrenkMenuBase* pMenu);

  // Remembers the listed widges that point here before the list is emptied.
  void RememberUntoldWidges();
  // Releases every widge that still points here, listed or remembered.
  void ReleaseAttachedWidges();

  // Widges taken off the list by Release or RemoveAllWidges that still
  // point at this manager: detached when the manager goes.
  std::vector<CVrenkWidge*> m_vecUntoldWidges;
  // Counts changes of the widge list, so that dispatch notices handlers
  // that register or release widges.
  unsigned int m_nListVersion = 0;
  // The backends that draw for this manager, one per context.
  render::CRenderer* m_pRenderer = nullptr;
  // The screen's scale (SetScale).
  float m_fScale = 1.0f;
  // Popup, capture, clock and keyboard state.
  SManagerInteraction* m_pInteraction;
};

}  // namespace VrenkGLWidge

#endif  // VRENK_WIDGE_MANAGER_H
