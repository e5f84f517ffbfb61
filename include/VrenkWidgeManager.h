// VrenkWidgeManager.h - the host's single entry point for one OpenGL view.
#ifndef VRENK_WIDGE_MANAGER_H
#define VRENK_WIDGE_MANAGER_H

#include <string>
#include <vector>

#include "VrenkPlatform.h"

namespace VrenkGLWidge {

class CVrenkWidge;
class CVrenkImageBase;
class CVrenkImagePool;
class CVrenkTextureFontManager;
class CVrenkTextureText;
namespace render {
class CRenderer;
struct SManagerAccess;
}  // namespace render

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

  // Draws with the shader backend in compatibility contexts too (OpenGL 2.0
  // and later), as in core-profile and ES contexts, which always use it;
  // false, the default, keeps the fixed-function backend there.
  void SetShaderRendering(bool bShaders);
  // Whether compatibility contexts are drawn with the shader backend.
  bool IsShaderRendering() const;

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

  // Offers one button or wheel event to the widges that take it.
  template <typename Offer>
  bool DispatchButton(POINT pt, bool bScreenPoint, Offer offer);

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
};

}  // namespace VrenkGLWidge

#endif  // VRENK_WIDGE_MANAGER_H
