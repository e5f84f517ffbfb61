// offscreen_window.cpp - hidden windows with an OpenGL pixel format, for
// hosts, tests and benchmarks that draw without showing anything.
#include "VrenkPlatform.h"

namespace VrenkGLWidge {
namespace {

const wchar_t kClassName[] = L"VrenkGLWidgeOffscreenWindow";

ATOM RegisterOffscreenClass() {
  static ATOM atom = 0;
  if (atom != 0) return atom;
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  wc.style = CS_OWNDC;  // one DC for the window's whole life, as GetDC users expect
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kClassName;
  atom = RegisterClassExW(&wc);
  return atom;
}

// Scores a pixel format: double-buffered RGBA for windows and OpenGL is
// required; 8-bit alpha, a 24-bit depth buffer and an accumulation buffer
// are preferred, in that order.
int Score(const PIXELFORMATDESCRIPTOR& pfd) {
  const DWORD need = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  if ((pfd.dwFlags & need) != need || pfd.iPixelType != PFD_TYPE_RGBA) return -1;
  if (pfd.cRedBits != 8 || pfd.cGreenBits != 8 || pfd.cBlueBits != 8) return -1;
  if (pfd.dwFlags & PFD_GENERIC_FORMAT) return -1;  // GDI's software OpenGL 1.1
  int score = 0;
  if (pfd.cAlphaBits == 8) score += 4;
  if (pfd.cDepthBits >= 24) score += 2;
  if (pfd.cAccumRedBits > 0) score += 1;
  return score;
}

bool SetBestPixelFormat(HDC dc) {
  PIXELFORMATDESCRIPTOR pfd = {};
  const int count = DescribePixelFormat(dc, 1, sizeof pfd, &pfd);
  int best = 0;
  int bestScore = -1;
  for (int i = 1; i <= count; ++i) {
    if (DescribePixelFormat(dc, i, sizeof pfd, &pfd) == 0) continue;
    const int score = Score(pfd);
    if (score > bestScore) {
      best = i;
      bestScore = score;
    }
  }
  if (best == 0) return false;
  DescribePixelFormat(dc, best, sizeof pfd, &pfd);
  return SetPixelFormat(dc, best, &pfd) != FALSE;
}

}  // namespace

HWND CreateOffscreenWindow(int width, int height) {
  if (width < 1 || height < 1 || width > 16384 || height > 16384) return nullptr;
  if (RegisterOffscreenClass() == 0) return nullptr;
  RECT rect = {0, 0, width, height};
  AdjustWindowRectEx(&rect, WS_POPUP, FALSE, 0);
  HWND hWnd = CreateWindowExW(0, kClassName, L"", WS_POPUP, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
                              nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (hWnd == nullptr) return nullptr;
  HDC dc = GetDC(hWnd);
  if (dc == nullptr || !SetBestPixelFormat(dc)) {
    DestroyWindow(hWnd);
    return nullptr;
  }
  return hWnd;
}

void DestroyOffscreenWindow(HWND hWnd) {
  if (hWnd == nullptr || !IsWindow(hWnd)) return;
  wchar_t name[64] = {};
  if (GetClassNameW(hWnd, name, 64) == 0 || lstrcmpW(name, kClassName) != 0) return;
  HDC dc = GetDC(hWnd);
  if (dc != nullptr && wglGetCurrentDC() == dc) wglMakeCurrent(nullptr, nullptr);
  DestroyWindow(hWnd);
}

}  // namespace VrenkGLWidge
