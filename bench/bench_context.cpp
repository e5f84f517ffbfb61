#include "bench_context.h"

namespace vrenkbench {

using namespace VrenkGLWidge;

BenchContext::BenchContext(int width, int height) {
  m_hWnd = CreateOffscreenWindow(width, height);
  if (m_hWnd == nullptr) return;
  m_hDC = GetDC(m_hWnd);
  m_hRC = wglCreateContext(m_hDC);
  if (m_hRC != nullptr && !wglMakeCurrent(m_hDC, m_hRC)) {
    wglDeleteContext(m_hRC);
    m_hRC = nullptr;
  }
}

BenchContext::~BenchContext() {
  wglMakeCurrent(nullptr, nullptr);
  if (m_hRC != nullptr) wglDeleteContext(m_hRC);
  if (m_hWnd != nullptr) DestroyOffscreenWindow(m_hWnd);
}

}  // namespace vrenkbench
