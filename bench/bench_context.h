// bench_context.h - a current OpenGL context for a benchmark's lifetime.
#ifndef VRENK_BENCH_CONTEXT_H
#define VRENK_BENCH_CONTEXT_H

#include "VrenkGLWidge.h"

namespace vrenkbench {

class BenchContext {
 public:
  BenchContext(int width = 256, int height = 256);
  // With bCore, a 3.3 core-profile context (forward compatible) instead of
  // a compatibility one; Ok() is false where it cannot be had.
  BenchContext(int width, int height, bool bCore);
  ~BenchContext();
  BenchContext(const BenchContext&) = delete;
  BenchContext& operator=(const BenchContext&) = delete;
  bool Ok() const { return m_hRC != nullptr; }

  VrenkGLWidge::HWND m_hWnd = nullptr;
  VrenkGLWidge::HDC m_hDC = nullptr;
  VrenkGLWidge::HGLRC m_hRC = nullptr;
};

}  // namespace vrenkbench

#endif  // VRENK_BENCH_CONTEXT_H
