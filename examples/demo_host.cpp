// demo_host.cpp - a small host program: it owns an offscreen window and a
// rendering context, draws a frame of its own scene, and writes the frame to
// a PNG file whose path it prints.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "VrenkGLWidge.h"
#include "png_encoder.h"

using namespace VrenkGLWidge;

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 240;

void DrawScene() {
  glViewport(0, 0, kWidth, kHeight);
  glClearColor(0.12f, 0.14f, 0.18f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-1.6, 1.6, -1.2, 1.2, -10, 10);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glRotatef(20.0f, 1, 1, 0);
  glEnable(GL_DEPTH_TEST);
  glShadeModel(GL_SMOOTH);
  glBegin(GL_TRIANGLES);
  glColor3f(0.9f, 0.3f, 0.2f);
  glVertex3f(-0.8f, -0.7f, 0);
  glColor3f(0.2f, 0.8f, 0.3f);
  glVertex3f(0.8f, -0.7f, 0);
  glColor3f(0.2f, 0.4f, 0.9f);
  glVertex3f(0.0f, 0.8f, 0);
  glEnd();
  glDisable(GL_DEPTH_TEST);
  glFinish();
}

}  // namespace

int main(int argc, char** argv) {
  std::string out = argc > 1 ? argv[1] : "demo-frame.png";

  HWND hWnd = CreateOffscreenWindow(kWidth, kHeight);
  if (hWnd == nullptr) {
    std::fprintf(stderr, "demo: no offscreen window could be made\n");
    return 1;
  }
  HDC hDC = GetDC(hWnd);
  HGLRC hRC = wglCreateContext(hDC);
  if (hRC == nullptr || !wglMakeCurrent(hDC, hRC)) {
    std::fprintf(stderr, "demo: no OpenGL context could be made\n");
    DestroyOffscreenWindow(hWnd);
    return 1;
  }
  std::printf("demo: OpenGL %s on %s\n", reinterpret_cast<const char*>(glGetString(GL_VERSION)),
              reinterpret_cast<const char*>(glGetString(GL_RENDERER)));

  DrawScene();
  std::vector<unsigned char> pixels(static_cast<size_t>(kWidth) * kHeight * 4);
  {
    // The overlay: a six-item wheel menu over the scene, with one item
    // toggled and the cursor over another.
    CVrenkWidgeManager manager;
    manager.Init(hWnd, kWidth, kHeight, hRC, 0, 0, kWidth, kHeight);
    CVrenkWheelMenu wheel;
    wheel.Init(&manager, 6, 70, 225, 120, 90.0f);
    wheel.SetItemToggled(3, true);
    POINT cursor;
    cursor.x = 225 + 15;
    cursor.y = kHeight - (120 + 40);
    manager.OnMouseMove(0, cursor);
    manager.Render();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    wheel.Release();
    manager.Release();
  }
  SwapBuffers(hDC);

  wglMakeCurrent(nullptr, nullptr);
  wglDeleteContext(hRC);
  DestroyOffscreenWindow(hWnd);

  if (!vrenkpng::WriteFrame(out, pixels, kWidth, kHeight)) {
    std::fprintf(stderr, "demo: could not write %s\n", out.c_str());
    return 1;
  }
  std::printf("demo: frame written to %s\n", out.c_str());
  return 0;
}
