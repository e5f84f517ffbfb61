// Render passes in a 3.3 core-profile context, where the shader backend
// draws: the wheel (8 items, icons) and the double wheel (6 + 12, icons,
// list tooltips), with the list rebuilt every pass and replayed unchanged,
// each against the floor: the same triangles uploaded once into one buffer
// and drawn with one program, a draw call per texture. The draw-calls
// counter is the number of texture runs, one draw call each.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "VrenkGLWidge.h"
#include "bench_context.h"
#include "image/png_files.h"
#include "list_floor.h"
#include "render/gl_context.h"
#include "render/tessellate.h"

using namespace VrenkGLWidge;
using render::CDrawList;

namespace {

constexpr int kWidth = 480;
constexpr int kHeight = 300;

struct Scene {
  vrenkbench::BenchContext context{kWidth, kHeight, true};
  vrenktest::ScratchDir dir;
  CVrenkWidgeManager manager;
  CVrenkWheelMenu wheel;
  CVrenkDoubleWheelMenu doubleWheel;
  bool bDouble;
  explicit Scene(bool bDoubleWheel) : bDouble(bDoubleWheel) {
    manager.Init(context.m_hWnd, kWidth, kHeight, context.m_hRC, 0, 0, kWidth, kHeight);
    const int n = bDouble ? 18 : 8;
    std::vector<std::string> paths;
    for (int i = 0; i < n; ++i) {
      paths.push_back(dir.Path("icon" + std::to_string(i) + ".png"));
      vrenktest::WritePng(paths.back(), vrenktest::Rgba8Pattern(32, 32));
    }
    if (bDouble) {
      doubleWheel.Init(&manager, 6, 12, 100, 320, 150, 45.0f, 0.0f);
      doubleWheel.SetTooltipStyle(1);
      doubleWheel.SetShowTooltip(true);
      for (unsigned i = 0; i < 6; ++i) doubleWheel.SetInnerItem(i, 1, "Item number " + std::to_string(i), paths[i].c_str(), 0, false, true);
      for (unsigned i = 0; i < 12; ++i) doubleWheel.SetOuterItem(i, 1, "Item number " + std::to_string(6 + i), paths[6 + i].c_str(), 0, false, true);
    } else {
      wheel.Init(&manager, 8, 100, 270, 130, 45.0f);
      for (unsigned i = 0; i < 8; ++i) wheel.SetItem(i, static_cast<int>(i), "", paths[i].c_str(), 0, false, true);
    }
    glViewport(0, 0, kWidth, kHeight);
    manager.Render();
  }
  ~Scene() {
    wheel.Release();
    doubleWheel.Release();
    manager.Release();
  }
  CVrenkWidge& Menu() { return bDouble ? static_cast<CVrenkWidge&>(doubleWheel) : wheel; }
  // Two points over different items, for passes that rebuild the list.
  POINT Over(bool bFirst) const {
    if (bDouble) return bFirst ? POINT{320 + 80, kHeight - (150 + 10)} : POINT{320 + 64, kHeight - (150 + 48)};
    return bFirst ? POINT{270 + 20, kHeight - 200} : POINT{270 - 40, kHeight - 170};
  }
};

// The floor: one program, one buffer holding the tessellated list, drawn
// batch by batch.
class Floor {
 public:
  explicit Floor(const CDrawList& list) {
    render::SContextKind kind = render::QueryContextKind();
    render::LoadGLFunctions(kind, &m_fn);
    render::Tessellate(list, &m_triangles, &m_batches);
    static const char* kVertex =
        "#version 150\nin vec2 p; in vec2 t; in vec4 c; out vec2 vt; out vec4 vc;\n"
        "void main() { vt = t; vc = c; gl_Position = vec4(p * vec2(2.0 / 480.0, 2.0 / 300.0) - 1.0, 0.0, 1.0); }\n";
    static const char* kFragment =
        "#version 150\nin vec2 vt; in vec4 vc; uniform sampler2D x; out vec4 o;\n"
        "void main() { o = vc * texture(x, vt); }\n";
    m_program = m_fn.CreateProgram();
    for (const auto& part : {std::make_pair(render::gl::kVertexShader, kVertex),
                             std::make_pair(render::gl::kFragmentShader, kFragment)}) {
      const GLuint shader = m_fn.CreateShader(part.first);
      m_fn.ShaderSource(shader, 1, &part.second, nullptr);
      m_fn.CompileShader(shader);
      m_fn.AttachShader(m_program, shader);
    }
    m_fn.BindAttribLocation(m_program, 0, "p");
    m_fn.BindAttribLocation(m_program, 1, "t");
    m_fn.BindAttribLocation(m_program, 2, "c");
    m_fn.LinkProgram(m_program);
    m_fn.GenVertexArrays(1, &m_vao);
    m_fn.BindVertexArray(m_vao);
    m_fn.GenBuffers(1, &m_buffer);
    m_fn.BindBuffer(render::gl::kArrayBuffer, m_buffer);
    m_fn.BufferData(render::gl::kArrayBuffer, static_cast<std::ptrdiff_t>(m_triangles.size() * sizeof(render::SVertex)),
                    m_triangles.data(), 0x88E4 /* GL_STATIC_DRAW */);
    const GLsizei stride = sizeof(render::SVertex);
    m_fn.VertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, stride, nullptr);
    m_fn.VertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<const void*>(offsetof(render::SVertex, s)));
    m_fn.VertexAttribPointer(2, 4, GL_UNSIGNED_BYTE, GL_TRUE, stride,
                             reinterpret_cast<const void*>(offsetof(render::SVertex, rgba)));
    for (GLuint a = 0; a < 3; ++a) m_fn.EnableVertexAttribArray(a);
    m_fn.BindVertexArray(0);
    static const unsigned char kWhite[4] = {255, 255, 255, 255};
    glGenTextures(1, &m_white);
    glBindTexture(GL_TEXTURE_2D, m_white);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, kWhite);
  }
  void Draw() {
    m_fn.UseProgram(m_program);
    m_fn.BindVertexArray(m_vao);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    for (const render::SBatch& batch : m_batches) {
      glBindTexture(GL_TEXTURE_2D, batch.nTexture != 0 ? batch.nTexture : m_white);
      glDrawArrays(GL_TRIANGLES, static_cast<GLint>(batch.nFirst), static_cast<GLsizei>(batch.nCount));
    }
    m_fn.BindVertexArray(0);
    m_fn.UseProgram(0);
  }
  size_t Batches() const { return m_batches.size(); }

 private:
  render::SGLFunctions m_fn;
  std::vector<render::SVertex> m_triangles;
  std::vector<render::SBatch> m_batches;
  GLuint m_program = 0;
  GLuint m_vao = 0;
  GLuint m_buffer = 0;
  GLuint m_white = 0;
};

// Argument: 0 the wheel, 1 the double wheel.
void BM_CoreRenderPass(benchmark::State& state) {
  Scene scene(state.range(0) != 0);
  if (!scene.context.Ok()) return state.SkipWithError("no core-profile context");
  bool flip = false;
  for (auto _ : state) {
    scene.manager.OnMouseMove(0, scene.Over(flip));
    flip = !flip;
    glClear(GL_COLOR_BUFFER_BIT);
    scene.manager.Render();
    glFinish();
  }
  state.counters["draw_calls"] = static_cast<double>(Floor(vrenkbench::RecordedList(scene.Menu())).Batches());
}
BENCHMARK(BM_CoreRenderPass)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_CoreRenderPassUnchanged(benchmark::State& state) {
  Scene scene(state.range(0) != 0);
  if (!scene.context.Ok()) return state.SkipWithError("no core-profile context");
  for (auto _ : state) {
    glClear(GL_COLOR_BUFFER_BIT);
    scene.manager.Render();
    glFinish();
  }
}
BENCHMARK(BM_CoreRenderPassUnchanged)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_CoreRenderFloor(benchmark::State& state) {
  Scene scene(state.range(0) != 0);
  if (!scene.context.Ok()) return state.SkipWithError("no core-profile context");
  Floor floor(vrenkbench::RecordedList(scene.Menu()));
  for (auto _ : state) {
    glClear(GL_COLOR_BUFFER_BIT);
    floor.Draw();
    glFinish();
  }
  state.counters["draw_calls"] = static_cast<double>(floor.Batches());
}
BENCHMARK(BM_CoreRenderFloor)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
