// demo_host.cpp - a small host program: it owns an offscreen window and a
// rendering context, draws a frame of its own scene, and writes the frame to
// a PNG file whose path it prints.
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "VrenkGLWidge.h"

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

// Writes the bottom-up RGBA frame as a top-down PNG.
bool WritePng(const std::string& path, const std::vector<unsigned char>& rgba, int width, int height) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
  bool ok = false;
  if (info != nullptr && setjmp(png_jmpbuf(png)) == 0) {
    png_init_io(png, file);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = height - 1; y >= 0; --y) {
      png_write_row(png, const_cast<png_bytep>(&rgba[static_cast<size_t>(y) * width * 4]));
    }
    png_write_end(png, nullptr);
    ok = true;
  }
  png_destroy_write_struct(&png, &info);
  return std::fclose(file) == 0 && ok;
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

  if (!WritePng(out, pixels, kWidth, kHeight)) {
    std::fprintf(stderr, "demo: could not write %s\n", out.c_str());
    return 1;
  }
  std::printf("demo: frame written to %s\n", out.c_str());
  return 0;
}
