// Draws one pixel through an installed VrenkGLWidge and checks it.
#include <VrenkGLWidge.h>

#include <cstdio>

int main() {
  using namespace VrenkGLWidge;
  HWND hWnd = CreateOffscreenWindow(8, 8);
  if (hWnd == nullptr) return 2;
  HDC hDC = GetDC(hWnd);
  HGLRC hRC = wglCreateContext(hDC);
  if (hRC == nullptr || !wglMakeCurrent(hDC, hRC)) return 3;
  glClearColor(0, 1, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  unsigned char pixel[4] = {};
  glReadPixels(4, 4, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
  wglMakeCurrent(nullptr, nullptr);
  wglDeleteContext(hRC);
  DestroyOffscreenWindow(hWnd);
  bool ok = pixel[0] == 0 && pixel[1] == 255 && pixel[2] == 0;
  std::printf("consumer: %s\n", ok ? "ok" : "wrong pixel");
  return ok ? 0 : 1;
}
