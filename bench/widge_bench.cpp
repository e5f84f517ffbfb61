// Manager overheads: mouse dispatch and the render pass over 100 widges
// whose handlers and drawing do nothing.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "VrenkGLWidge.h"
#include "bench_context.h"

using namespace VrenkGLWidge;

namespace {

class IdleWidge : public CVrenkWidge {
 public:
  explicit IdleWidge(float x) { UpdateBox(x, 0, x + 10, 10); }

 protected:
  bool HitTest(float, float) override { return true; }
  void RecalculateLayout() override {}
  void RenderActually() override {}
  bool OnMouseMove(float, float) override { return false; }
  bool OnMouseEnter(float, float) override { return false; }
  bool OnMouseLeave(float x, float y) override { return CVrenkWidge::OnMouseLeave(x, y) && false; }
  bool OnRButtonDown(float, float) override { return false; }
  bool OnRButtonUp(float, float) override { return false; }
  bool OnMouseWheel(int, float, float) override { return false; }
};

struct Scene {
  vrenkbench::BenchContext context{64, 64};
  CVrenkWidgeManager manager;
  std::vector<std::unique_ptr<IdleWidge>> widges;
  explicit Scene(int count) {
    manager.Init(context.m_hWnd, 64, 64, context.m_hRC, 0, 0, 64, 64);
    for (int i = 0; i < count; ++i) {
      widges.emplace_back(new IdleWidge(static_cast<float>(i % 7)));
      widges.back()->Init(&manager);
    }
  }
  ~Scene() {
    widges.clear();
    manager.Release();
  }
};

// Per widge: the move alternates between a point over some boxes and one
// over none, so enters, moves and leaves all happen.
void BM_MouseMoveDispatch(benchmark::State& state) {
  Scene scene(static_cast<int>(state.range(0)));
  POINT over{5, 59};
  POINT away{40, 10};
  bool flip = false;
  for (auto _ : state) {
    benchmark::DoNotOptimize(scene.manager.OnMouseMove(0, flip ? over : away));
    flip = !flip;
  }
  state.counters["ns_per_widge"] =
      benchmark::Counter(static_cast<double>(state.range(0)), benchmark::Counter::kIsIterationInvariantRate |
                                                                  benchmark::Counter::kInvert);
}
BENCHMARK(BM_MouseMoveDispatch)->Arg(1)->Arg(100);

void BM_RenderPass(benchmark::State& state) {
  Scene scene(static_cast<int>(state.range(0)));
  for (auto _ : state) scene.manager.Render();
  glFinish();
}
BENCHMARK(BM_RenderPass)->Arg(0)->Arg(100)->Unit(benchmark::kMicrosecond);

}  // namespace
