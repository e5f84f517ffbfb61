// wglCreateContextAttribsARB on the Linux layer's EGL backend: the requests
// it refuses, the share contexts it accepts, and one current context per
// thread across EGL's two client APIs.
#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "VrenkPlatform.h"
#include "support/context_kind.h"
#include "support/gl_fixture.h"

using namespace VrenkGLWidge;
using vrenktest::ContextKind;

namespace {

// The native context current under one EGL client API, the caller's bound
// API left alone.
EGLContext CurrentUnder(EGLenum api) {
  const EGLenum previous = eglQueryAPI();
  eglBindAPI(api);
  EGLContext context = eglGetCurrentContext();
  eglBindAPI(previous);
  return context;
}

// The distinct native contexts current on the thread under either API. EGL
// keeps one per API; Mesa keeps one per thread and reports it under both.
std::set<EGLContext> CurrentContexts() {
  std::set<EGLContext> contexts;
  for (EGLenum api : {EGLenum(EGL_OPENGL_API), EGLenum(EGL_OPENGL_ES_API)}) {
    EGLContext context = CurrentUnder(api);
    if (context != EGL_NO_CONTEXT) contexts.insert(context);
  }
  return contexts;
}

size_t CurrentCount() { return CurrentContexts().size(); }

class ContextAttribsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_hWnd = CreateOffscreenWindow(16, 16);
    ASSERT_NE(m_hWnd, nullptr);
    m_hDC = GetDC(m_hWnd);
    m_hCompat = wglCreateContext(m_hDC);
    ASSERT_NE(m_hCompat, nullptr);
    ASSERT_TRUE(wglMakeCurrent(m_hDC, m_hCompat));
  }
  void TearDown() override {
    wglMakeCurrent(nullptr, nullptr);
    for (HGLRC rc : m_made) wglDeleteContext(rc);
    wglDeleteContext(m_hCompat);
    DestroyOffscreenWindow(m_hWnd);
  }
  HGLRC Make(ContextKind kind, HGLRC share = nullptr) {
    HGLRC rc = vrenktest::CreateContextOfKind(m_hDC, kind, share);
    if (rc != nullptr) m_made.push_back(rc);
    return rc;
  }

  HWND m_hWnd = nullptr;
  HDC m_hDC = nullptr;
  HGLRC m_hCompat = nullptr;
  std::vector<HGLRC> m_made;
};

struct RefusedCase {
  const char* why;
  std::vector<int> attribs;
};

TEST_F(ContextAttribsTest, RefusedRequestsGiveNullAndLeaveTheCurrentContext) {
  const int kMajor = WGL_CONTEXT_MAJOR_VERSION_ARB;
  const int kMinor = WGL_CONTEXT_MINOR_VERSION_ARB;
  const int kMask = WGL_CONTEXT_PROFILE_MASK_ARB;
  const int kFlags = WGL_CONTEXT_FLAGS_ARB;
  const int kEs = WGL_CONTEXT_ES2_PROFILE_BIT_EXT;
  const RefusedCase cases[] = {
      {"an unknown attribute", {0x1234, 1, 0}},
      {"version 99.0", {kMajor, 99, 0}},
      {"version 0.0", {kMajor, 0, 0}},
      {"version 3.4", {kMajor, 3, kMinor, 4, 0}},
      {"a negative minor version", {kMajor, 3, kMinor, -1, 0}},
      {"ES 1.1", {kMajor, 1, kMinor, 1, kMask, kEs, 0}},
      {"ES 3.3", {kMajor, 3, kMinor, 3, kMask, kEs, 0}},
      {"no profile bit", {kMajor, 3, kMinor, 3, kMask, 0, 0}},
      {"two profile bits", {kMajor, 3, kMinor, 3, kMask, WGL_CONTEXT_CORE_PROFILE_BIT_ARB | kEs, 0}},
      {"an unknown profile bit", {kMask, 0x8, 0}},
      {"an unknown flag", {kFlags, 0x100, 0}},
      {"forward compatible before 3.0", {kMajor, 2, kMinor, 1, kFlags, WGL_CONTEXT_FORWARD_COMPATIBLE_BIT_ARB, 0}},
      {"forward compatible ES", {kMajor, 3, kMask, kEs, kFlags, WGL_CONTEXT_FORWARD_COMPATIBLE_BIT_ARB, 0}},
      {"a layer plane", {WGL_CONTEXT_LAYER_PLANE_ARB, 1, 0}},
      // Valid, but more than llvmpipe gives (4.5): the driver says no.
      {"a version the driver lacks", {kMajor, 4, kMinor, 6, kMask, WGL_CONTEXT_COMPATIBILITY_PROFILE_BIT_ARB, 0}},
  };
  eglBindAPI(EGL_OPENGL_ES_API);
  for (const RefusedCase& c : cases) {
    EXPECT_EQ(wglCreateContextAttribsARB(m_hDC, nullptr, c.attribs.data()), nullptr) << c.why;
    EXPECT_EQ(wglGetCurrentContext(), m_hCompat) << c.why;
    EXPECT_EQ(eglQueryAPI(), EGLenum(EGL_OPENGL_ES_API)) << c.why;
  }
  eglBindAPI(EGL_OPENGL_API);
}

TEST_F(ContextAttribsTest, DeadDrawablesAndShareContextsAreRefused) {
  const std::vector<int> core = vrenktest::ContextAttribs(ContextKind::Core33);
  int junk[8] = {};

  HWND gone = CreateOffscreenWindow(8, 8);
  HDC goneDC = GetDC(gone);
  DestroyOffscreenWindow(gone);
  HDC memoryDC = CreateCompatibleDC(nullptr);
  const HDC badDCs[] = {nullptr, reinterpret_cast<HDC>(junk), goneDC, GetDC(nullptr), memoryDC};
  for (HDC dc : badDCs) EXPECT_EQ(wglCreateContextAttribsARB(dc, nullptr, core.data()), nullptr);
  DeleteDC(memoryDC);

  HGLRC deleted = Make(ContextKind::Core33);
  ASSERT_NE(deleted, nullptr);
  wglDeleteContext(deleted);
  m_made.clear();
  EXPECT_EQ(wglCreateContextAttribsARB(m_hDC, deleted, core.data()), nullptr);
  EXPECT_EQ(wglCreateContextAttribsARB(m_hDC, reinterpret_cast<HGLRC>(junk), core.data()), nullptr);
  HGLRC es = Make(ContextKind::Es30);
  ASSERT_NE(es, nullptr);
  EXPECT_NE(Make(ContextKind::Es20, es), nullptr);
  EXPECT_EQ(wglGetCurrentContext(), m_hCompat);
}

TEST_F(ContextAttribsTest, EsAndDesktopContextsAreNeverCurrentTogether) {
  HGLRC es = Make(ContextKind::Es30);
  HGLRC core = Make(ContextKind::Core33);
  ASSERT_NE(es, nullptr);
  ASSERT_NE(core, nullptr);
  eglBindAPI(EGL_OPENGL_API);

  const HGLRC order[] = {es, m_hCompat, es, core, es};
  for (HGLRC rc : order) {
    ASSERT_TRUE(wglMakeCurrent(m_hDC, rc));
    EXPECT_EQ(CurrentCount(), 1u);
    EXPECT_EQ(wglGetCurrentContext(), rc);
    EXPECT_EQ(wglGetCurrentDC(), m_hDC);
    EXPECT_EQ(vrenktest::QueryCurrentContext().es, rc == es);
    // The thread's bound API is the caller's, not the context's.
    EXPECT_EQ(eglQueryAPI(), EGLenum(EGL_OPENGL_API));
  }
  ASSERT_TRUE(wglMakeCurrent(nullptr, nullptr));
  EXPECT_EQ(CurrentCount(), 0u);
  EXPECT_EQ(wglGetCurrentContext(), nullptr);

  // The extension and GL functions come through an ES context too.
  ASSERT_TRUE(wglMakeCurrent(m_hDC, es));
  EXPECT_EQ(wglGetProcAddress("wglCreateContextAttribsARB"), reinterpret_cast<PROC>(&wglCreateContextAttribsARB));
  EXPECT_NE(wglGetProcAddress("glGenVertexArrays"), nullptr);

  // Deleting the current ES context, or destroying the window it draws in,
  // leaves nothing current.
  EXPECT_TRUE(wglDeleteContext(es));
  m_made.erase(m_made.begin());
  EXPECT_EQ(CurrentCount(), 0u);
  HWND other = CreateOffscreenWindow(8, 8);
  HGLRC es20 = vrenktest::CreateContextOfKind(GetDC(other), ContextKind::Es20);
  ASSERT_NE(es20, nullptr);
  ASSERT_TRUE(wglMakeCurrent(GetDC(other), es20));
  DestroyOffscreenWindow(other);
  EXPECT_EQ(CurrentCount(), 0u);
  EXPECT_EQ(wglGetCurrentContext(), nullptr);
  EXPECT_TRUE(wglDeleteContext(es20));
}

// A host that made its own ES context current with EGL: the layer finds it,
// whichever API the host has bound, and binds and releases it by its handle.
TEST(ForeignEglContext, EsContextIsAdoptedAndRebound) {
  auto getPlatformDisplay =
      reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
  ASSERT_NE(getPlatformDisplay, nullptr);
  EGLDisplay display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
  ASSERT_TRUE(eglInitialize(display, nullptr, nullptr));
  const EGLint configAttribs[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE, EGL_OPENGL_ES3_BIT,
                                  EGL_RED_SIZE,     8,               EGL_NONE};
  EGLConfig config;
  EGLint count = 0;
  ASSERT_TRUE(eglChooseConfig(display, configAttribs, &config, 1, &count));
  ASSERT_EQ(count, 1);
  const EGLint surfaceAttribs[] = {EGL_WIDTH, 16, EGL_HEIGHT, 16, EGL_NONE};
  EGLSurface surface = eglCreatePbufferSurface(display, config, surfaceAttribs);
  ASSERT_NE(surface, EGL_NO_SURFACE);
  ASSERT_TRUE(eglBindAPI(EGL_OPENGL_ES_API));
  const EGLint contextAttribs[] = {EGL_CONTEXT_MAJOR_VERSION, 3, EGL_NONE};
  EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, contextAttribs);
  ASSERT_NE(context, EGL_NO_CONTEXT);
  ASSERT_TRUE(eglMakeCurrent(display, surface, surface, context));

  eglBindAPI(EGL_OPENGL_API);
  HGLRC rc = wglGetCurrentContext();
  HDC dc = wglGetCurrentDC();
  ASSERT_NE(rc, nullptr);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(wglGetCurrentContext(), rc);
  EXPECT_EQ(eglQueryAPI(), EGLenum(EGL_OPENGL_API));
  EXPECT_TRUE(vrenktest::QueryCurrentContext().es);

  EXPECT_TRUE(wglMakeCurrent(nullptr, nullptr));
  EXPECT_EQ(CurrentCount(), 0u);
  ASSERT_TRUE(wglMakeCurrent(dc, rc));
  EXPECT_EQ(CurrentContexts(), std::set<EGLContext>{context});
  EXPECT_EQ(CurrentUnder(EGL_OPENGL_ES_API), context);

  // The layer's own desktop context replaces it as the current one.
  HWND hWnd = CreateOffscreenWindow(8, 8);
  HGLRC mine = wglCreateContext(GetDC(hWnd));
  ASSERT_TRUE(wglMakeCurrent(GetDC(hWnd), mine));
  EXPECT_EQ(CurrentCount(), 1u);
  EXPECT_EQ(CurrentContexts().count(context), 0u);
  EXPECT_EQ(wglGetCurrentContext(), mine);
  wglMakeCurrent(nullptr, nullptr);
  wglDeleteContext(mine);
  DestroyOffscreenWindow(hWnd);

  EXPECT_TRUE(wglDeleteContext(rc));  // forgets the handle only
  EXPECT_TRUE(eglDestroyContext(display, context));
  EXPECT_TRUE(eglDestroySurface(display, surface));
}

}  // namespace
