// bench_context.h - a current OpenGL context for a benchmark's lifetime.
#ifndef VRENK_BENCH_CONTEXT_H
#define VRENK_BENCH_CONTEXT_H

#include "VrenkGLWidge.h"

namespace vrenkbench {

class BenchContext {
 public:
  BenchContext(int width = 256, int height = 256);
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
