#include "bench_context.h"

namespace vrenkbench {

using namespace VrenkGLWidge;

BenchContext::BenchContext(int width, int height) : BenchContext(width, height, false) {}

BenchContext::BenchContext(int width, int height, bool bCore) {
  m_hWnd = CreateOffscreenWindow(width, height);
  if (m_hWnd == nullptr) return;
  m_hDC = GetDC(m_hWnd);
  m_hRC = wglCreateContext(m_hDC);
  if (m_hRC != nullptr && !wglMakeCurrent(m_hDC, m_hRC)) {
    wglDeleteContext(m_hRC);
    m_hRC = nullptr;
  }
  if (!bCore || m_hRC == nullptr) return;
  // The core context is made through the function the first one gives.
  auto create = reinterpret_cast<PFNWGLCREATECONTEXTATTRIBSARBPROC>(
      reinterpret_cast<void (*)()>(wglGetProcAddress("wglCreateContextAttribsARB")));
  const int attribs[] = {WGL_CONTEXT_MAJOR_VERSION_ARB, 3, WGL_CONTEXT_MINOR_VERSION_ARB, 3,
                         WGL_CONTEXT_PROFILE_MASK_ARB, WGL_CONTEXT_CORE_PROFILE_BIT_ARB,
                         WGL_CONTEXT_FLAGS_ARB, WGL_CONTEXT_FORWARD_COMPATIBLE_BIT_ARB, 0};
  HGLRC hCore = create != nullptr ? create(m_hDC, nullptr, attribs) : nullptr;
  wglMakeCurrent(nullptr, nullptr);
  wglDeleteContext(m_hRC);
  m_hRC = hCore;
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
