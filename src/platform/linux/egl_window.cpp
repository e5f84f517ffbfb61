// egl_window.cpp - a host's own EGL window surfaces (on a wl_egl_window, for
// instance): handles for them, and their size. Nothing here knows which
// window system the surface belongs to.
#include "platform/linux/internal.h"

#include <EGL/egl.h>

namespace VrenkGLWidge {
namespace platform {

bool QueryEglSurfaceSize(void* display, void* surface, int* width, int* height) {
  EGLint w = 0;
  EGLint h = 0;
  // EGL looks both handles up in its own tables before it touches them, so
  // a stale or made-up one gives an error rather than a crash.
  if (!eglQuerySurface(display, surface, EGL_WIDTH, &w) || !eglQuerySurface(display, surface, EGL_HEIGHT, &h)) {
    return false;
  }
  *width = w;
  *height = h;
  return true;
}

}  // namespace platform

HWND WrapEGLSurface(void* display, void* surface) {
  if (display == nullptr || surface == nullptr) return nullptr;
  int width = 0;
  int height = 0;
  if (!platform::QueryEglSurfaceSize(display, surface, &width, &height)) return nullptr;
  // The DC record is the one adoption finds for the surface, so a context
  // the host made current on it reports this window's DC; the same surface
  // gives the same handle.
  HDC dc = platform::FindOrAdoptDC(&platform::kEglApi, display, reinterpret_cast<uintptr_t>(surface));
  return platform::WindowOfDC(dc, HWND__::Kind::EglSurface);
}

void UnwrapEGLSurface(HWND hWnd) {
  if (!platform::IsLiveWindow(hWnd) || hWnd->kind != HWND__::Kind::EglSurface) return;
  // As for X11 windows, the DC record stays for the surface.
  if (hWnd->dc != nullptr) hWnd->dc->window = nullptr;
  platform::UnregisterHandle(hWnd);
  delete hWnd;
}

}  // namespace VrenkGLWidge
