// offscreen_window.cpp - windows without a display server: an EGL pbuffer
// on Mesa's surfaceless platform.
#include "platform/linux/internal.h"

#include <EGL/egl.h>

namespace VrenkGLWidge {

HWND CreateOffscreenWindow(int width, int height) {
  if (width < 1 || height < 1) return nullptr;
  EGLDisplay display = platform::SurfacelessDisplay();
  if (display == EGL_NO_DISPLAY) return nullptr;
  EGLConfig config = platform::OffscreenConfig(display);
  if (config == nullptr) return nullptr;
  // Mesa allocates pbuffers lazily and accepts any size; refuse what the
  // config says it cannot hold rather than fail at the first draw.
  EGLint maxWidth = 0;
  EGLint maxHeight = 0;
  EGLint maxPixels = 0;
  eglGetConfigAttrib(display, config, EGL_MAX_PBUFFER_WIDTH, &maxWidth);
  eglGetConfigAttrib(display, config, EGL_MAX_PBUFFER_HEIGHT, &maxHeight);
  eglGetConfigAttrib(display, config, EGL_MAX_PBUFFER_PIXELS, &maxPixels);
  if ((maxWidth > 0 && width > maxWidth) || (maxHeight > 0 && height > maxHeight)) return nullptr;
  if (maxPixels > 0 && static_cast<long long>(width) * height > maxPixels) return nullptr;
  const EGLint attribs[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
  EGLSurface surface = eglCreatePbufferSurface(display, config, attribs);
  if (surface == EGL_NO_SURFACE) return nullptr;

  HWND window = new HWND__{};
  window->kind = HWND__::Kind::Offscreen;
  window->width = width;
  window->height = height;

  HDC dc = new HDC__{};
  dc->kind = HDC__::Kind::Drawable;
  dc->api = &platform::kEglApi;
  dc->display = display;
  dc->drawable = reinterpret_cast<uintptr_t>(surface);
  dc->window = window;
  window->dc = dc;

  platform::RegisterDrawableDC(dc);
  platform::RegisterHandle(window);
  return window;
}

void DestroyOffscreenWindow(HWND hWnd) {
  if (!platform::IsLiveWindow(hWnd) || hWnd->kind != HWND__::Kind::Offscreen) return;
  HDC dc = hWnd->dc;
  EGLDisplay display = dc->display;
  EGLSurface surface = reinterpret_cast<EGLSurface>(dc->drawable);
  // A surface still bound to this thread (by a desktop GL or an ES context)
  // would only be destroyed once it is released; release it now so the
  // pbuffer really goes.
  if (platform::IsEglSurfaceCurrent(surface)) wglMakeCurrent(nullptr, nullptr);
  eglDestroySurface(display, surface);
  platform::UnregisterDrawableDC(dc);
  platform::UnregisterHandle(hWnd);
  delete dc;
  delete hWnd;
}

}  // namespace VrenkGLWidge
