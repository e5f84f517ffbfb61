// The shader backend leaves every piece of state it touches as the host had
// it: in core-profile and ES contexts, where it always draws, and in a
// compatibility context that asks for it. The host sets a value other than
// the default for each, the menus are set up and drawn, and each is read
// back.
#include <gtest/gtest.h>

#include <string>

#include "image/png_files.h"
#include "menu/double_wheel_fixture.h"
#include "render/gl_context.h"

using namespace VrenkGLWidge;
namespace gl = VrenkGLWidge::render::gl;

namespace {

class StateContractTest : public vrenktest::DoubleWheelTest {
 protected:
  void SetUp() override {
    DoubleWheelTest::SetUp();
    m_kind = render::QueryContextKind();
    render::LoadGLFunctions(m_kind, &m_fn);
    if (!m_kind.HasPrograms()) GTEST_SKIP() << "the context has no programs";
    m_manager.SetShaderRendering(true);
  }
  GLint Integer(GLenum e) const {
    GLint v = 0;
    glGetIntegerv(e, &v);
    return v;
  }
  // A program of the host's own: one that links in every kind of context.
  GLuint HostProgram() const {
    const bool bEs = m_kind.bES;
    const char* vs = bEs ? "#version 100\nattribute vec4 p; void main() { gl_Position = p; }\n"
                         : m_kind.AtLeast(3, 2) ? "#version 150\nin vec4 p; void main() { gl_Position = p; }\n"
                                                : "#version 110\nattribute vec4 p; void main() { gl_Position = p; }\n";
    const char* fs = bEs ? "#version 100\nprecision mediump float; void main() { gl_FragColor = vec4(1); }\n"
                         : m_kind.AtLeast(3, 2) ? "#version 150\nout vec4 c; void main() { c = vec4(1); }\n"
                                                : "#version 110\nvoid main() { gl_FragColor = vec4(1); }\n";
    const GLuint program = m_fn.CreateProgram();
    for (const auto& part : {std::make_pair(gl::kVertexShader, vs), std::make_pair(gl::kFragmentShader, fs)}) {
      const GLuint shader = m_fn.CreateShader(part.first);
      m_fn.ShaderSource(shader, 1, &part.second, nullptr);
      m_fn.CompileShader(shader);
      m_fn.AttachShader(program, shader);
      m_fn.DeleteShader(shader);
    }
    m_fn.LinkProgram(program);
    return program;
  }
  render::SContextKind m_kind;
  render::SGLFunctions m_fn;
};

TEST_F(StateContractTest, EveryPieceOfStateTheBackendTouchesIsAsTheHostHadIt) {
  ASSERT_NE(m_fn.UseProgram, nullptr);
  // The host's state.
  const GLuint program = HostProgram();
  m_fn.UseProgram(program);
  GLuint vertexArray = 0;
  if (m_fn.GenVertexArrays != nullptr) {
    m_fn.GenVertexArrays(1, &vertexArray);
    m_fn.BindVertexArray(vertexArray);
  }
  GLuint buffers[2] = {0, 0};
  m_fn.GenBuffers(2, buffers);
  m_fn.BindBuffer(gl::kArrayBuffer, buffers[0]);
  m_fn.BindBuffer(gl::kElementArrayBuffer, buffers[1]);
  GLuint textures[2] = {0, 0};
  glGenTextures(2, textures);
  glBindTexture(GL_TEXTURE_2D, textures[0]);  // unit 0
  m_fn.ActiveTexture(gl::kTexture0 + 1);
  glBindTexture(GL_TEXTURE_2D, textures[1]);  // unit 1, left active
  glEnable(GL_BLEND);
  m_fn.BlendFuncSeparate(GL_ONE, GL_ZERO, GL_ZERO, GL_ONE);
  m_fn.BlendEquationSeparate(0x800A, 0x800B);  // subtract, reverse subtract
  glEnable(GL_SCISSOR_TEST);
  glScissor(1, 2, 300, 200);
  glViewport(3, 4, 390, 250);
  glEnable(GL_DEPTH_TEST);
  glDepthMask(GL_FALSE);
  glEnable(GL_CULL_FACE);
  glCullFace(GL_FRONT);
  if (!m_kind.bES) glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 8);
  if (m_kind.HasUnpackSubimage()) glPixelStorei(gl::kUnpackRowLength, 3);
  const GLenum restart = m_kind.bES ? gl::kPrimitiveRestartFixedIndex : gl::kPrimitiveRestart;
  const bool bRestart = m_kind.bES ? m_kind.AtLeast(3, 0) : m_kind.AtLeast(3, 1);
  if (bRestart) glEnable(restart);
  while (glGetError() != GL_NO_ERROR) {
  }

  // Menus set up (icons and texts uploaded) and drawn with that state.
  vrenktest::ScratchDir dir;
  vrenktest::PngPicture icon;
  icon.width = icon.height = 4;
  for (int i = 0; i < 16; ++i) icon.samples.insert(icon.samples.end(), {0u, 255u, 0u, 255u});
  ASSERT_TRUE(vrenktest::WritePng(dir.Path("icon.png"), icon));
  m_menu.Init(&m_manager, 4, 4, 100, 200, 130, 45.0f, 0.0f);
  for (unsigned i = 0; i < 4; ++i) m_menu.SetOuterItem(i, 1, "Item " + std::to_string(i), dir.Path("icon.png").c_str(), 0, false, true);
  m_menu.SetTooltipStyle(1);
  m_menu.SetShowTooltip(true);
  m_manager.Render();
  m_menu.SetOuterItemToggled(1, true);  // and once more with a list rebuilt
  m_manager.Render();

  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  EXPECT_EQ(Integer(gl::kCurrentProgram), static_cast<GLint>(program));
  if (vertexArray != 0) {
    EXPECT_EQ(Integer(gl::kVertexArrayBinding), static_cast<GLint>(vertexArray));
  }
  EXPECT_EQ(Integer(gl::kArrayBufferBinding), static_cast<GLint>(buffers[0]));
  EXPECT_EQ(Integer(gl::kElementArrayBufferBinding), static_cast<GLint>(buffers[1]));
  EXPECT_EQ(Integer(gl::kActiveTexture), static_cast<GLint>(gl::kTexture0 + 1));
  EXPECT_EQ(Integer(GL_TEXTURE_BINDING_2D), static_cast<GLint>(textures[1]));
  m_fn.ActiveTexture(gl::kTexture0);
  EXPECT_EQ(Integer(GL_TEXTURE_BINDING_2D), static_cast<GLint>(textures[0]));
  EXPECT_TRUE(glIsEnabled(GL_BLEND));
  EXPECT_EQ(Integer(gl::kBlendSrcRgb), GL_ONE);
  EXPECT_EQ(Integer(gl::kBlendDstRgb), GL_ZERO);
  EXPECT_EQ(Integer(gl::kBlendSrcAlpha), GL_ZERO);
  EXPECT_EQ(Integer(gl::kBlendDstAlpha), GL_ONE);
  EXPECT_EQ(Integer(gl::kBlendEquationRgb), 0x800A);
  EXPECT_EQ(Integer(gl::kBlendEquationAlpha), 0x800B);
  EXPECT_TRUE(glIsEnabled(GL_SCISSOR_TEST));
  GLint box[4] = {};
  glGetIntegerv(GL_SCISSOR_BOX, box);
  EXPECT_EQ(box[0], 1);
  EXPECT_EQ(box[3], 200);
  glGetIntegerv(GL_VIEWPORT, box);
  EXPECT_EQ(box[0], 3);
  EXPECT_EQ(box[2], 390);
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  GLboolean depthMask = GL_TRUE;
  glGetBooleanv(GL_DEPTH_WRITEMASK, &depthMask);
  EXPECT_EQ(depthMask, GL_FALSE);
  EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
  EXPECT_EQ(Integer(GL_CULL_FACE_MODE), GL_FRONT);
  if (!m_kind.bES) {
    GLint modes[2] = {};
    glGetIntegerv(GL_POLYGON_MODE, modes);
    EXPECT_EQ(modes[0], GL_LINE);
  }
  EXPECT_EQ(Integer(GL_UNPACK_ALIGNMENT), 8);
  if (m_kind.HasUnpackSubimage()) {
    EXPECT_EQ(Integer(gl::kUnpackRowLength), 3);
  }
  if (bRestart) {
    EXPECT_TRUE(glIsEnabled(restart));
  }
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

  // And the menus were drawn: the host's state reset, the overlay reads back.
  m_fn.UseProgram(0);
  glDisable(GL_SCISSOR_TEST);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_CULL_FACE);
  if (!m_kind.bES) glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  m_fn.BlendEquationSeparate(gl::kFuncAdd, gl::kFuncAdd);
  glViewport(0, 0, m_nWidth, m_nHeight);
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  m_manager.Render();
  const vrenktest::Rgba ring = ReadPixel(200, 130 + 80);
  EXPECT_GT(ring[0] + ring[1] + ring[2], 300) << "the outer ring is drawn";

  m_fn.DeleteProgram(program);
  m_fn.DeleteBuffers(2, buffers);
  if (vertexArray != 0) m_fn.DeleteVertexArrays(1, &vertexArray);
  glDeleteTextures(2, textures);
}

}  // namespace
