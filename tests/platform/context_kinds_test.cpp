// Every kind of context through wglCreateContextAttribsARB, with the same
// calls on both targets: the function comes from wglGetProcAddress, the
// context reports what was asked for, draws in the window, shares objects,
// and the current-context queries follow it as it is bound and released.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "VrenkPlatform.h"
#include "support/context_kind.h"
#include "support/gl_fixture.h"

#include <GL/glext.h>

using namespace VrenkGLWidge;
using vrenktest::ColorNear;
using vrenktest::ContextKind;
using vrenktest::Rgba;

namespace {

// On Windows the driver decides: Wine on Mesa may lack the ES profile.
#if defined(_WIN32)
constexpr bool kEsMayBeRefused = true;
#else
constexpr bool kEsMayBeRefused = false;
#endif

struct KindCase {
  const char* name;
  std::vector<int> attribs;  // empty: a null list
  bool es;
  int major;  // at least
  int minor;
  bool core;
  bool debug;
  bool fixedFunction;
};

std::vector<int> Attribs(ContextKind kind) { return vrenktest::ContextAttribs(kind); }

const KindCase kCases[] = {
    {"DefaultList", {}, false, 1, 1, false, false, true},
    {"Compatibility32Debug",
     {WGL_CONTEXT_MAJOR_VERSION_ARB, 3, WGL_CONTEXT_MINOR_VERSION_ARB, 2, WGL_CONTEXT_PROFILE_MASK_ARB,
      WGL_CONTEXT_COMPATIBILITY_PROFILE_BIT_ARB, WGL_CONTEXT_FLAGS_ARB, WGL_CONTEXT_DEBUG_BIT_ARB, 0},
     false, 3, 2, false, true, true},
    // Without a profile mask, 3.2 and later are core.
    {"Core32ByDefault", {WGL_CONTEXT_MAJOR_VERSION_ARB, 3, WGL_CONTEXT_MINOR_VERSION_ARB, 2, 0}, false, 3, 2, true,
     false, false},
    {"Core33ForwardCompatibleDebug", Attribs(ContextKind::Core33), false, 3, 3, true, true, false},
    {"Es20", Attribs(ContextKind::Es20), true, 2, 0, false, false, false},
    {"Es30", Attribs(ContextKind::Es30), true, 3, 0, false, false, false},
};

class ContextKindTest : public ::testing::TestWithParam<KindCase> {
 protected:
  void SetUp() override {
    m_hWnd = CreateOffscreenWindow(32, 32);
    ASSERT_NE(m_hWnd, nullptr);
    m_hDC = GetDC(m_hWnd);
    m_hCompat = wglCreateContext(m_hDC);
    ASSERT_NE(m_hCompat, nullptr);
    m_create = vrenktest::GetCreateContextAttribs(m_hDC);
    ASSERT_NE(m_create, nullptr) << "wglGetProcAddress gave no wglCreateContextAttribsARB";
    EXPECT_EQ(wglGetCurrentContext(), nullptr) << "the look-up left its temporary context current";
  }

  void TearDown() override {
    wglMakeCurrent(nullptr, nullptr);
    for (HGLRC rc : m_made) wglDeleteContext(rc);
    if (m_hCompat != nullptr) wglDeleteContext(m_hCompat);
    if (m_hWnd != nullptr) DestroyOffscreenWindow(m_hWnd);
  }

  // Makes a context of the case's kind; null (and the test skipped) where
  // the Windows driver refuses ES.
  HGLRC Make(HGLRC share) {
    const KindCase& c = GetParam();
    HGLRC rc = m_create(m_hDC, share, c.attribs.empty() ? nullptr : c.attribs.data());
    if (rc != nullptr) m_made.push_back(rc);
    return rc;
  }

  Rgba ReadPixel(int x, int y) {
    Rgba pixel{};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel.data());
    return pixel;
  }

  HWND m_hWnd = nullptr;
  HDC m_hDC = nullptr;
  HGLRC m_hCompat = nullptr;
  PFNWGLCREATECONTEXTATTRIBSARBPROC m_create = nullptr;
  std::vector<HGLRC> m_made;
};

TEST_P(ContextKindTest, ReportsWhatWasAskedAndDrawsInTheWindow) {
  const KindCase& c = GetParam();
  HGLRC rc = Make(nullptr);
  if (rc == nullptr && c.es && kEsMayBeRefused) GTEST_SKIP() << "the driver refuses " << c.name;
  ASSERT_NE(rc, nullptr);
  ASSERT_TRUE(wglMakeCurrent(m_hDC, rc));
  EXPECT_EQ(wglGetCurrentContext(), rc);
  EXPECT_EQ(wglGetCurrentDC(), m_hDC);

  const vrenktest::CurrentContextInfo info = vrenktest::QueryCurrentContext();
  EXPECT_EQ(info.version.compare(0, 9, "OpenGL ES") == 0, c.es) << info.version;
  EXPECT_TRUE(info.AtLeast(c.major, c.minor)) << info.version;
  EXPECT_EQ(info.core, c.core) << info.version;
  if (c.debug) {
    EXPECT_TRUE(info.debug);
  }
  EXPECT_EQ(info.fixedFunction, c.fixedFunction) << info.version;

  glClearColor(0, 1, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glFinish();
  EXPECT_TRUE(ColorNear(ReadPixel(16, 16), Rgba{0, 255, 0, 255}));
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_P(ContextKindTest, SwitchingWithACompatibilityContextKeepsOneCurrent) {
  const KindCase& c = GetParam();
  HGLRC rc = Make(nullptr);
  if (rc == nullptr && c.es && kEsMayBeRefused) GTEST_SKIP() << "the driver refuses " << c.name;
  ASSERT_NE(rc, nullptr);

  // GL calls go to the context last made current, whatever its API.
  for (int round = 0; round < 2; ++round) {
    ASSERT_TRUE(wglMakeCurrent(m_hDC, rc));
    EXPECT_EQ(wglGetCurrentContext(), rc);
    EXPECT_EQ(vrenktest::QueryCurrentContext().es, c.es);
    ASSERT_TRUE(wglMakeCurrent(m_hDC, m_hCompat));
    EXPECT_EQ(wglGetCurrentContext(), m_hCompat);
    EXPECT_EQ(wglGetCurrentDC(), m_hDC);
    EXPECT_TRUE(vrenktest::QueryCurrentContext().fixedFunction);
  }
  ASSERT_TRUE(wglMakeCurrent(m_hDC, rc));
  EXPECT_TRUE(wglMakeCurrent(nullptr, nullptr));
  EXPECT_EQ(wglGetCurrentContext(), nullptr);
  EXPECT_EQ(wglGetCurrentDC(), nullptr);

  // Deleting the current context leaves none current.
  ASSERT_TRUE(wglMakeCurrent(m_hDC, rc));
  EXPECT_TRUE(wglDeleteContext(rc));
  m_made.clear();
  EXPECT_EQ(wglGetCurrentContext(), nullptr);
}

TEST_P(ContextKindTest, ShareContextSeesTheFirstContextsTextures) {
  const KindCase& c = GetParam();
  HGLRC first = Make(nullptr);
  if (first == nullptr && c.es && kEsMayBeRefused) GTEST_SKIP() << "the driver refuses " << c.name;
  ASSERT_NE(first, nullptr);
  HGLRC second = Make(first);
  ASSERT_NE(second, nullptr);
  HGLRC apart = Make(nullptr);
  ASSERT_NE(apart, nullptr);

  ASSERT_TRUE(wglMakeCurrent(m_hDC, first));
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);  // a name becomes a texture when bound
  glBindTexture(GL_TEXTURE_2D, 0);
  glFinish();
  ASSERT_TRUE(wglMakeCurrent(m_hDC, second));
  EXPECT_TRUE(glIsTexture(texture));
  ASSERT_TRUE(wglMakeCurrent(m_hDC, apart));
  EXPECT_FALSE(glIsTexture(texture));
}

INSTANTIATE_TEST_SUITE_P(Kinds, ContextKindTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<KindCase>& info) { return std::string(info.param.name); });

// As on Windows, the function comes with a current context and not without.
TEST(CreateContextAttribs, ComesFromWglGetProcAddressWithACurrentContext) {
  HWND hWnd = CreateOffscreenWindow(8, 8);
  ASSERT_NE(hWnd, nullptr);
  HDC hDC = GetDC(hWnd);
  HGLRC rc = wglCreateContext(hDC);
  ASSERT_NE(rc, nullptr);
  wglMakeCurrent(nullptr, nullptr);  // Wine answers FALSE when nothing was current
  ASSERT_EQ(wglGetCurrentContext(), nullptr);
  EXPECT_EQ(wglGetProcAddress("wglCreateContextAttribsARB"), nullptr);
  ASSERT_TRUE(wglMakeCurrent(hDC, rc));
  auto create = vrenktest::ProcAs<PFNWGLCREATECONTEXTATTRIBSARBPROC>(wglGetProcAddress("wglCreateContextAttribsARB"));
  ASSERT_NE(create, nullptr);
  EXPECT_EQ(create, vrenktest::GetCreateContextAttribs(hDC));
  // The context it makes does not become current by itself.
  const std::vector<int> attribs = vrenktest::ContextAttribs(ContextKind::Core33);
  HGLRC core = create(hDC, nullptr, attribs.data());
  ASSERT_NE(core, nullptr);
  EXPECT_EQ(wglGetCurrentContext(), rc);
  wglMakeCurrent(nullptr, nullptr);
  EXPECT_TRUE(wglDeleteContext(core));
  EXPECT_TRUE(wglDeleteContext(rc));
  DestroyOffscreenWindow(hWnd);
}

}  // namespace
