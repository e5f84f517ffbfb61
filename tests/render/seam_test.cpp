// Drawing through the seam in a compatibility context: the order of library
// menus and widges with their own GL calls, the replay of unchanged lists,
// passes called on their own, and the host's state around a pass.
#include <gtest/gtest.h>

#include "menu/menu_fixture.h"
#include "render/draw_list.h"
#include "render/gl_context.h"
#include "render/inspect.h"
#include "support/gl_state.h"
#include "widge/recording_widge.h"

using namespace VrenkGLWidge;
using vrenktest::ColorNear;
using vrenktest::Rgba;

namespace {

class SeamTest : public vrenktest::MenuTest {
 protected:
  void SetUp() override {
    MenuTest::SetUp();
    m_box.SetBox(190, 120, 210, 140);
    m_box.drawBox = true;
    m_box.color[1] = m_box.color[2] = 0;  // red
  }
  void TearDown() override {
    m_box.Release();
    MenuTest::TearDown();
  }
  void Draw() {
    glClear(GL_COLOR_BUFFER_BIT);
    m_manager.Render();
  }
  unsigned int Generation() const { return render::RecordedDrawList(&m_wheel)->Generation(); }
  vrenktest::RecordingWidge m_box;
};

TEST_F(SeamTest, WidgesWithTheirOwnGLCallsKeepTheirPlaceInTheOrder) {
  VRENK_REQUIRE_FIXED_FUNCTION();  // the box is drawn in immediate mode
  m_box.Init(&m_manager);  // first: under the wheel
  m_wheel.Init(&m_manager, 4, 100, 200, 130, 45.0f);
  Draw();
  const Rgba under = ReadPixel(200, 130);
  EXPECT_FALSE(ColorNear(under, Rgba{255, 0, 0, 255}, 10)) << "the wheel's centre covers the box";
  EXPECT_GT(under[0], under[2]) << "the red box shows through the translucent centre";
  m_box.Release();
  m_box.Init(&m_manager);  // now last: over the wheel
  Draw();
  EXPECT_TRUE(ColorNear(ReadPixel(200, 130), Rgba{255, 0, 0, 255}));
  EXPECT_FALSE(ColorNear(ReadPixel(200, 180), Rgba{0, 0, 0, 0})) << "the wheel is still drawn";
}

TEST_F(SeamTest, AnUnchangedMenuReplaysItsListAndAnyChangeRebuildsIt) {
  m_wheel.Init(&m_manager, 4, 100, 200, 130, 45.0f);
  Draw();
  const unsigned int first = Generation();
  Draw();
  EXPECT_EQ(Generation(), first);
  // A colour setter asks for no redraw, yet the next pass shows the colour.
  m_wheel.SetItemColor(0, 200, 0, 255);
  Draw();
  EXPECT_NE(Generation(), first);
  const Rgba green = ReadPixel(200, 200);
  EXPECT_GT(green[1], green[0] + 100);
  const unsigned int second = Generation();
  MoveTo(90, 0.5f);
  Draw();
  EXPECT_NE(Generation(), second);
  EXPECT_FALSE(ColorNear(ReadPixel(200, 200), green, 10)) << "the hovered item's highlight";
}

// A derived wheel that draws only its sectors, through the protected pass.
class SectorsOnly : public vrenktest::ProbeWheel {
 protected:
  void RenderActually() override { RenderFlatDonut(); }
};

TEST_F(SeamTest, APassCalledOnItsOwnDrawsAtOnce) {
  SectorsOnly wheel;
  wheel.Init(&m_manager, 4, 100, 200, 130, 45.0f);
  Draw();
  EXPECT_FALSE(ColorNear(ReadPixel(200, 200), Rgba{0, 0, 0, 0})) << "the sectors";
  // Opposite the light the rim outline is dark; without it the sector's
  // colour reaches the edge.
  EXPECT_TRUE(ColorNear(ReadPixel(269, 60), ReadPixel(266, 64), 30)) << "no rim outline";
  EXPECT_TRUE(ColorNear(ReadPixel(50, 100), Rgba{0, 0, 0, 0})) << "no fixed panel";
  wheel.Release();
}

TEST_F(SeamTest, TheHostsBuffersArraysAndBlendingSurviveAPass) {
  VRENK_REQUIRE_FIXED_FUNCTION();  // client arrays and line state of the fixed-function backend
  auto genBuffers = render::ProcAs<void(APIENTRY*)(GLsizei, GLuint*)>(wglGetProcAddress("glGenBuffers"));
  auto bindBuffer = render::ProcAs<void(APIENTRY*)(GLenum, GLuint)>(wglGetProcAddress("glBindBuffer"));
  auto blendSeparate =
      render::ProcAs<void(APIENTRY*)(GLenum, GLenum, GLenum, GLenum)>(wglGetProcAddress("glBlendFuncSeparate"));
  auto genVertexArrays =
      render::ProcAs<void(APIENTRY*)(GLsizei, GLuint*)>(wglGetProcAddress("glGenVertexArrays"));
  auto bindVertexArray = render::ProcAs<void(APIENTRY*)(GLuint)>(wglGetProcAddress("glBindVertexArray"));
  auto activeTexture = render::ProcAs<void(APIENTRY*)(GLenum)>(wglGetProcAddress("glActiveTexture"));
  ASSERT_TRUE(genBuffers != nullptr && bindBuffer != nullptr && blendSeparate != nullptr &&
              genVertexArrays != nullptr && bindVertexArray != nullptr && activeTexture != nullptr);
  m_wheel.Init(&m_manager, 4, 100, 200, 130, 45.0f);
  // The host's own vertex array object with a pointer of its own, and
  // texture unit 1 active with a texture bound.
  GLuint vao = 0;
  genVertexArrays(1, &vao);
  bindVertexArray(vao);
  static const float points[4] = {0, 0, 1, 1};
  glVertexPointer(2, GL_FLOAT, 0, points);
  activeTexture(0x84C1);
  GLuint unitTexture = 0;
  glGenTextures(1, &unitTexture);
  glBindTexture(GL_TEXTURE_2D, unitTexture);
  GLuint buffer = 0;
  genBuffers(1, &buffer);
  bindBuffer(0x8892, buffer);  // an array buffer: client pointers would become offsets
  static const float normals[3] = {0, 0, 1};
  glNormalPointer(GL_FLOAT, 0, normals);  // a one-element array the pass must not read
  glEnableClientState(GL_NORMAL_ARRAY);
  blendSeparate(GL_ONE, GL_ZERO, GL_ZERO, GL_ONE);
  glLineWidth(3.0f);
  glEnable(GL_LINE_SMOOTH);
  const vrenktest::GLStateSnapshot before = vrenktest::GLStateSnapshot::Capture();
  Draw();
  EXPECT_EQ(vrenktest::DiffGLState(before, vrenktest::GLStateSnapshot::Capture()), "");
  GLint value[4] = {};
  glGetIntegerv(0x8894, value);
  EXPECT_EQ(static_cast<GLuint>(value[0]), buffer);
  EXPECT_TRUE(glIsEnabled(GL_NORMAL_ARRAY));
  glGetIntegerv(0x80CB, value);  // the alpha source factor
  EXPECT_EQ(value[0], GL_ZERO);
  GLfloat width = 0;
  glGetFloatv(GL_LINE_WIDTH, &width);
  EXPECT_EQ(width, 3.0f);
  EXPECT_TRUE(glIsEnabled(GL_LINE_SMOOTH));
  glGetIntegerv(0x85B5, value);
  EXPECT_EQ(static_cast<GLuint>(value[0]), vao);
  void* pointer = nullptr;
  glGetPointerv(GL_VERTEX_ARRAY_POINTER, &pointer);
  EXPECT_EQ(pointer, points);
  glGetIntegerv(0x84E0, value);
  EXPECT_EQ(value[0], 0x84C1);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  EXPECT_FALSE(ColorNear(ReadPixel(200, 200), Rgba{0, 0, 0, 0})) << "the wheel was drawn";
  glDisableClientState(GL_NORMAL_ARRAY);
  bindBuffer(0x8892, 0);
  bindVertexArray(0);
  glDeleteTextures(1, &unitTexture);
  activeTexture(0x84C0);
}

}  // namespace

namespace {

// OpenGL ES has no front buffer to read: regional rendering copies nothing
// and confines drawing to the dirty region, whatever the back buffer holds.
TEST_F(SeamTest, InOpenGLESRegionalRenderingOnlyConfinesDrawingToTheRegion) {
  const render::SContextKind kind = render::QueryContextKind();
  if (!kind.bES) GTEST_SKIP() << "an OpenGL ES behaviour";
  m_box.Init(&m_manager);  // a widge that only asks for its box to be redrawn
  m_box.drawBox = false;
  m_manager.Render();
  glClearColor(1, 1, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);  // what the back buffer holds
  glScissor(1, 2, 3, 4);
  m_box.SetVisible(false);
  m_box.SetVisible(true);
  m_manager.BeginRegionalRendering();
  glClearColor(0, 1, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  m_manager.Render();
  m_manager.EndRegionalRendering();
  EXPECT_TRUE(ColorNear(ReadPixel(200, 130), Rgba{0, 255, 0, 255})) << "inside the region";
  EXPECT_TRUE(ColorNear(ReadPixel(10, 10), Rgba{255, 255, 0, 255})) << "outside: as it was";
  EXPECT_FALSE(glIsEnabled(GL_SCISSOR_TEST));
  GLint box[4] = {};
  glGetIntegerv(GL_SCISSOR_BOX, box);
  EXPECT_EQ(box[2], 3);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
