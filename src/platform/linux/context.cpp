// context.cpp - the WGL entry points, dispatched to the EGL or GLX backend
// that a handle carries.
#include "platform/linux/internal.h"

namespace VrenkGLWidge {
namespace platform {
namespace {

const ContextApi* const kApis[] = {&kEglApi, &kGlxApi};

// A thread has at most one current context: binding through one backend
// first releases whatever the other has current.
void ReleaseOthers(const ContextApi* keep) {
  for (const ContextApi* api : kApis) {
    if (api != keep && api->hasCurrent()) api->releaseCurrent();
  }
}

}  // namespace
}  // namespace platform

namespace platform {
namespace {

// The handles of whatever context is current, through any backend.
bool AnyCurrent(HGLRC* pRC, HDC* pDC) {
  for (const ContextApi* api : kApis) {
    if (api->current(pRC, pDC)) return true;
  }
  return false;
}

}  // namespace
}  // namespace platform

HGLRC wglGetCurrentContext() {
  HGLRC rc = nullptr;
  HDC dc = nullptr;
  return platform::AnyCurrent(&rc, &dc) ? rc : nullptr;
}

HDC wglGetCurrentDC() {
  HGLRC rc = nullptr;
  HDC dc = nullptr;
  return platform::AnyCurrent(&rc, &dc) ? dc : nullptr;
}

BOOL wglMakeCurrent(HDC hDC, HGLRC hRC) {
  if (hRC == nullptr) {
    // As on Windows, a null context releases the current one; the DC is
    // ignored.
    platform::ReleaseOthers(nullptr);
    return 1;
  }
  if (!platform::IsLiveContext(hRC) || !platform::IsLiveDC(hDC)) return 0;
  if (hDC->kind != HDC__::Kind::Drawable || hDC->api != hRC->api) return 0;
  platform::ReleaseOthers(hRC->api);
  return hRC->api->makeCurrent(hDC, hRC) ? 1 : 0;
}

HGLRC wglCreateContext(HDC hDC) {
  if (!platform::IsLiveDC(hDC) || hDC->kind != HDC__::Kind::Drawable) return nullptr;
  HGLRC rc = hDC->api->createContext(hDC);
  if (rc != nullptr) platform::RegisterContext(rc);
  return rc;
}

BOOL wglDeleteContext(HGLRC hRC) {
  if (!platform::IsLiveContext(hRC)) return 0;
  if (!hRC->adopted) {
    // Like Windows, deleting the current context first makes it not current.
    HGLRC current = nullptr;
    HDC currentDC = nullptr;
    if (hRC->api->current(&current, &currentDC) && current == hRC) {
      hRC->api->releaseCurrent();
    }
    hRC->api->destroyContext(hRC);
  }
  platform::UnregisterContext(hRC);
  delete hRC;
  return 1;
}

PROC wglGetProcAddress(LPCSTR lpszProc) {
  if (lpszProc == nullptr) return nullptr;
  for (const platform::ContextApi* api : platform::kApis) {
    if (api->hasCurrent()) return api->getProcAddress(lpszProc);
  }
  return nullptr;
}

BOOL SwapBuffers(HDC hDC) {
  if (!platform::IsLiveDC(hDC) || hDC->kind != HDC__::Kind::Drawable) return 0;
  return hDC->api->swapBuffers(hDC) ? 1 : 0;
}

}  // namespace VrenkGLWidge
