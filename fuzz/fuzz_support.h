// fuzz_support.h - what the fuzzers share: one real GL context, invariant
// checks that abort (so that libFuzzer reports the input), and icon files.
#ifndef VRENK_FUZZ_SUPPORT_H
#define VRENK_FUZZ_SUPPORT_H

#include <cstddef>
#include <cstdint>
#include <string>

#include "VrenkPlatform.h"
#include "support/gl_state.h"

namespace vrenkfuzz {

// The fuzzers' offscreen window and context, made on first use and current
// from then on.
struct Context {
  VrenkGLWidge::HWND hWnd;
  VrenkGLWidge::HDC hDC;
  VrenkGLWidge::HGLRC hRC;
  int width;
  int height;
};
const Context& GLContext();

// Reports a broken invariant and aborts.
[[noreturn]] void Fail(const char* file, int line, const std::string& what);
#define VRENK_FUZZ_CHECK(cond, what)                                 \
  do {                                                               \
    if (!(cond)) ::vrenkfuzz::Fail(__FILE__, __LINE__, (what));      \
  } while (0)

// Aborts when the GL state differs from the snapshot or an error is set.
void CheckGLStateKept(const vrenktest::GLStateSnapshot& before, const char* what);

// A scratch folder of this process, removed at exit.
const std::string& ScratchDir();
// Writes bytes to a file; false on failure.
bool WriteFile(const std::string& path, const uint8_t* data, size_t size);

// Icon files made once per process: good ones in several PNG formats, a
// damaged one, a truncated one, a file that is no PNG and a path that does
// not exist. IconPath(k) takes k modulo the count.
const size_t kIconCount = 7;
const std::string& IconPath(size_t k);
std::wstring Widen(const std::string& ascii);

}  // namespace vrenkfuzz

#endif  // VRENK_FUZZ_SUPPORT_H
