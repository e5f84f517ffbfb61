// x11_window.cpp - a host's own X11 windows, the window-level USER32
// functions (GetDC, ReleaseDC, ScreenToClient, GetClientRect) for every kind
// of window, and the X error trap.
#include "platform/linux/internal.h"

#include <X11/Xlib.h>

namespace VrenkGLWidge {
namespace platform {
namespace {

int g_trappedError = 0;

int TrapHandler(Display*, XErrorEvent* event) {
  g_trappedError = event->error_code;
  return 0;
}

}  // namespace

XErrorTrap::XErrorTrap(_XDisplay* display) : m_display(display) {
  XSync(m_display, False);
  g_trappedError = 0;
  m_previous = reinterpret_cast<void (*)()>(XSetErrorHandler(TrapHandler));
}

XErrorTrap::~XErrorTrap() {
  XSync(m_display, False);
  XSetErrorHandler(reinterpret_cast<XErrorHandler>(m_previous));
}

bool XErrorTrap::Failed() {
  XSync(m_display, False);
  return g_trappedError != 0;
}

}  // namespace platform

HWND WrapX11Window(_XDisplay* display, unsigned long window) {
  if (display == nullptr || window == 0) return nullptr;
  {
    platform::XErrorTrap trap(display);
    XWindowAttributes attributes;
    Status ok = XGetWindowAttributes(display, window, &attributes);
    if (trap.Failed() || ok == 0) return nullptr;
  }
  // The same window gives the same handle, so its DC is one DC too.
  HDC dc = platform::FindOrAdoptDC(&platform::kGlxApi, display, window);
  HWND hWnd = platform::WindowOfDC(dc, HWND__::Kind::X11);
  hWnd->xdisplay = display;
  hWnd->xwindow = window;
  return hWnd;
}

void UnwrapX11Window(HWND hWnd) {
  if (!platform::IsLiveWindow(hWnd) || hWnd->kind != HWND__::Kind::X11) return;
  // The DC record stays registered for the drawable: a context may still be
  // current on it, and adoption would make the same record again.
  if (hWnd->dc != nullptr) hWnd->dc->window = nullptr;
  platform::UnregisterHandle(hWnd);
  delete hWnd;
}

HDC GetDC(HWND hWnd) {
  if (hWnd == nullptr) return platform::ScreenDC();
  if (!platform::IsLiveWindow(hWnd)) return nullptr;
  return hWnd->dc;
}

int ReleaseDC(HWND hWnd, HDC hDC) {
  if (!platform::IsLiveDC(hDC)) return 0;
  if (hWnd == nullptr) return hDC == platform::ScreenDC() ? 1 : 0;
  if (!platform::IsLiveWindow(hWnd)) return 0;
  return hWnd->dc == hDC ? 1 : 0;
}

namespace {

// The size of a host's EGL surface; false once the surface or its display
// is gone.
bool EglWindowSize(HWND hWnd, int* width, int* height) {
  HDC dc = hWnd->dc;
  return dc != nullptr &&
         platform::QueryEglSurfaceSize(dc->display, reinterpret_cast<void*>(dc->drawable), width, height);
}

}  // namespace

BOOL ScreenToClient(HWND hWnd, POINT* lpPoint) {
  if (lpPoint == nullptr || !platform::IsLiveWindow(hWnd)) return 0;
  if (hWnd->kind == HWND__::Kind::Offscreen) return 1;  // client area at the screen origin
  if (hWnd->kind == HWND__::Kind::EglSurface) {
    // No global coordinates (Wayland has none): the host's points are the
    // surface's own already.
    int width = 0;
    int height = 0;
    return EglWindowSize(hWnd, &width, &height) ? 1 : 0;
  }

  Display* display = hWnd->xdisplay;
  platform::XErrorTrap trap(display);
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(display, hWnd->xwindow, &attributes) || trap.Failed()) return 0;
  int x = 0;
  int y = 0;
  ::Window child = 0;
  Bool ok = XTranslateCoordinates(display, attributes.root, hWnd->xwindow, lpPoint->x, lpPoint->y, &x, &y,
                                  &child);
  if (trap.Failed() || !ok) return 0;
  lpPoint->x = x;
  lpPoint->y = y;
  return 1;
}

BOOL GetClientRect(HWND hWnd, RECT* lpRect) {
  if (lpRect == nullptr || !platform::IsLiveWindow(hWnd)) return 0;
  int width = hWnd->width;
  int height = hWnd->height;
  if (hWnd->kind == HWND__::Kind::EglSurface) {
    if (!EglWindowSize(hWnd, &width, &height)) return 0;
  } else if (hWnd->kind == HWND__::Kind::X11) {
    platform::XErrorTrap trap(hWnd->xdisplay);
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(hWnd->xdisplay, hWnd->xwindow, &attributes) || trap.Failed()) return 0;
    width = attributes.width;
    height = attributes.height;
  }
  lpRect->left = 0;
  lpRect->top = 0;
  lpRect->right = width;
  lpRect->bottom = height;
  return 1;
}

}  // namespace VrenkGLWidge
