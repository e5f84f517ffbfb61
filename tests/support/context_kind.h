// context_kind.h - the kinds of OpenGL context the tests run in, made through
// the same Win32 names on both targets, and what the current context has.
#ifndef VRENK_TESTS_CONTEXT_KIND_H
#define VRENK_TESTS_CONTEXT_KIND_H

#include <string>
#include <vector>

#include "VrenkPlatform.h"

namespace vrenktest {

enum class ContextKind {
  Compat,  // wglCreateContext: the compatibility profile, fixed function
  Core33,  // 3.3 core profile, forward compatible, with the debug flag
  Es30,    // OpenGL ES 3.0
  Es20,    // OpenGL ES 2.0
};

// The name VRENK_TEST_CONTEXT gives a kind ("compat", "core33", "es30",
// "es20").
const char* ContextKindName(ContextKind kind);
// Whether contexts of the kind have the fixed-function pipeline.
bool KindHasFixedFunction(ContextKind kind);
// Whether contexts of the kind are OpenGL ES.
bool KindIsES(ContextKind kind);

// The kind VRENK_TEST_CONTEXT names; unset or empty means Compat. False, with
// a message naming the kinds there are, for any other value.
bool ContextKindFromEnvironment(ContextKind* kind, std::string* error);

// The attribute list (ending in 0) that asks wglCreateContextAttribsARB for
// the kind; empty for Compat, which wglCreateContext makes.
std::vector<int> ContextAttribs(ContextKind kind);

// wglCreateContextAttribsARB, from wglGetProcAddress: with the context that
// is current, or else with a temporary compatibility context made current on
// hDC for the look-up (as Windows requires). The caller's current context is
// left as it was. Null where the driver has no such function.
VrenkGLWidge::PFNWGLCREATECONTEXTATTRIBSARBPROC GetCreateContextAttribs(VrenkGLWidge::HDC hDC);

// A context of the kind for hDC, sharing objects with share when given:
// wglCreateContext for Compat without share, wglCreateContextAttribsARB
// otherwise. Null when refused.
VrenkGLWidge::HGLRC CreateContextOfKind(VrenkGLWidge::HDC hDC, ContextKind kind,
                                        VrenkGLWidge::HGLRC share = nullptr);

// --- The current context ------------------------------------------------------

struct CurrentContextInfo {
  bool es = false;
  int major = 0;
  int minor = 0;
  bool core = false;            // GL_CONTEXT_CORE_PROFILE_BIT in the profile mask
  bool forwardCompatible = false;
  bool debug = false;           // GL_CONTEXT_FLAG_DEBUG_BIT
  bool fixedFunction = false;   // immediate mode, matrix and attribute stacks
  std::string version;          // GL_VERSION

  bool AtLeast(int maj, int min) const { return major > maj || (major == maj && minor >= min); }
};

// Reads the current context's version, profile and flags; all zero without a
// current context. Raises no GL error in any kind of context.
CurrentContextInfo QueryCurrentContext();
// Whether the current context lists the extension (glGetStringi from 3.0 on).
bool CurrentHasExtension(const char* name);
// Whether the current context is of the kind: ES or desktop, the profile and
// the version; a message saying what it is instead when not.
bool CurrentMatchesKind(ContextKind kind, std::string* error);

// A function address from wglGetProcAddress as its real type, through
// void (*)() as compilers accept between function types.
template <typename Fn>
Fn ProcAs(VrenkGLWidge::PROC proc) {
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(proc));
}

}  // namespace vrenktest

#endif  // VRENK_TESTS_CONTEXT_KIND_H
