// context.cpp - the WGL entry points, dispatched to the EGL or GLX backend
// that a handle carries.
#include "platform/linux/internal.h"

#include <cstring>

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

// The versions OpenGL and OpenGL ES have had. ES starts at 2.0 here: the
// ES2 profile bit does not ask for the fixed-function ES 1.x.
bool IsKnownVersion(int major, int minor, bool es) {
  if (minor < 0) return false;
  if (es) return (major == 2 && minor == 0) || (major == 3 && minor <= 2);
  switch (major) {
    case 1: return minor <= 5;
    case 2: return minor <= 1;
    case 3: return minor <= 3;
    case 4: return minor <= 6;
    default: return false;
  }
}

}  // namespace

bool ParseContextAttribs(const int* attribList, ContextRequest* request) {
  int major = 1;
  int minor = 0;
  int flags = 0;
  int mask = WGL_CONTEXT_CORE_PROFILE_BIT_ARB;
  for (const int* a = attribList; a != nullptr && a[0] != 0; a += 2) {
    switch (a[0]) {
      case WGL_CONTEXT_MAJOR_VERSION_ARB: major = a[1]; break;
      case WGL_CONTEXT_MINOR_VERSION_ARB: minor = a[1]; break;
      case WGL_CONTEXT_FLAGS_ARB: flags = a[1]; break;
      case WGL_CONTEXT_PROFILE_MASK_ARB: mask = a[1]; break;
      case WGL_CONTEXT_LAYER_PLANE_ARB:
        if (a[1] != 0) return false;  // there is only the main plane
        break;
      default: return false;
    }
  }
  if ((flags & ~(WGL_CONTEXT_DEBUG_BIT_ARB | WGL_CONTEXT_FORWARD_COMPATIBLE_BIT_ARB)) != 0) return false;
  if (mask != WGL_CONTEXT_CORE_PROFILE_BIT_ARB && mask != WGL_CONTEXT_COMPATIBILITY_PROFILE_BIT_ARB &&
      mask != WGL_CONTEXT_ES2_PROFILE_BIT_EXT) {
    return false;
  }
  const bool es = mask == WGL_CONTEXT_ES2_PROFILE_BIT_EXT;
  if (!IsKnownVersion(major, minor, es)) return false;
  // Forward compatibility removes what OpenGL 3.0 deprecated; it means
  // nothing before 3.0 or in ES.
  if ((flags & WGL_CONTEXT_FORWARD_COMPATIBLE_BIT_ARB) != 0 && (es || major < 3)) return false;

  request->major = major;
  request->minor = minor;
  request->flags = flags;
  if (es) {
    request->profile = ContextRequest::Profile::ES;
  } else if (major > 3 || (major == 3 && minor >= 2)) {
    request->profile = mask == WGL_CONTEXT_CORE_PROFILE_BIT_ARB ? ContextRequest::Profile::Core
                                                               : ContextRequest::Profile::Compatibility;
  } else {
    request->profile = ContextRequest::Profile::Legacy;
  }
  return true;
}

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

HGLRC wglCreateContext(HDC hDC) { return wglCreateContextAttribsARB(hDC, nullptr, nullptr); }

HGLRC wglCreateContextAttribsARB(HDC hDC, HGLRC hShareContext, const int* attribList) {
  if (!platform::IsLiveDC(hDC) || hDC->kind != HDC__::Kind::Drawable) return nullptr;
  if (hShareContext != nullptr &&
      (!platform::IsLiveContext(hShareContext) || hShareContext->api != hDC->api ||
       hShareContext->display != hDC->display)) {
    return nullptr;
  }
  platform::ContextRequest request;
  if (!platform::ParseContextAttribs(attribList, &request)) return nullptr;
  HGLRC rc = hDC->api->createContext(hDC, hShareContext, request);
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
    if (!api->hasCurrent()) continue;
    // As on Windows, the WGL extension comes with a current context.
    if (std::strcmp(lpszProc, "wglCreateContextAttribsARB") == 0) {
      return reinterpret_cast<PROC>(&wglCreateContextAttribsARB);
    }
    return api->getProcAddress(lpszProc);
  }
  return nullptr;
}

BOOL SwapBuffers(HDC hDC) {
  if (!platform::IsLiveDC(hDC) || hDC->kind != HDC__::Kind::Drawable) return 0;
  return hDC->api->swapBuffers(hDC) ? 1 : 0;
}

}  // namespace VrenkGLWidge
