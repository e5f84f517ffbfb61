// Draws one pixel through an installed VrenkGLWidge and checks it, and
// catches an exception the library lets out (on 32-bit Windows that needs
// the unwinder the package ships, libgcc_s_dw2-1.dll).
#include <VrenkGLWidge.h>

#include <cstdio>
#include <stdexcept>

int main() {
  using namespace VrenkGLWidge;
  bool caught = false;
  {
    CVrenkWidgeManager manager;
    CVrenkWheelMenu wheel;
    try {
      wheel.Init(&manager, -1, 60, 100, 100, 0.0f);
    } catch (const std::length_error&) {
      caught = true;
    }
  }

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
  std::printf("consumer: %s, %s\n", ok ? "pixel ok" : "wrong pixel",
              caught ? "exception caught" : "exception not caught");
  return ok && caught ? 0 : 1;
}
