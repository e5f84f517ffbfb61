// The double wheel: a mouse move that keeps the hovered item, and render
// passes of a wheel with 6 inner and 12 outer items, icons and the list
// panel of tooltips (the list rebuilt every pass, and replayed unchanged),
// each against the floor: the very lists the wheel recorded, drawn straight
// from their arrays.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "VrenkGLWidge.h"
#include "bench_context.h"
#include "image/png_files.h"
#include "list_floor.h"

using namespace VrenkGLWidge;
using render::CDrawList;

namespace {

constexpr int kWidth = 480;
constexpr int kHeight = 300;
constexpr int kInner = 6;
constexpr int kOuter = 12;

struct Scene {
  vrenkbench::BenchContext context{kWidth, kHeight};
  vrenktest::ScratchDir dir;
  CVrenkWidgeManager manager;
  CVrenkDoubleWheelMenu wheel;
  Scene() {
    manager.Init(context.m_hWnd, kWidth, kHeight, context.m_hRC, 0, 0, kWidth, kHeight);
    wheel.Init(&manager, kInner, kOuter, 100, 320, 150, 45.0f, 0.0f);
    wheel.SetTooltipStyle(1);
    wheel.SetShowTooltip(true);
    for (int i = 0; i < kInner + kOuter; ++i) {
      const std::string path = dir.Path("icon" + std::to_string(i) + ".png");
      vrenktest::WritePng(path, vrenktest::Rgba8Pattern(32, 32));
      const std::string tip = "Item number " + std::to_string(i);
      if (i < kInner) {
        wheel.SetInnerItem(static_cast<unsigned>(i), i, tip, path.c_str(), 0, false, true);
      } else {
        wheel.SetOuterItem(static_cast<unsigned>(i - kInner), i, tip, path.c_str(), 0, false, true);
      }
    }
    glViewport(0, 0, kWidth, kHeight);
    manager.Render();
  }
  ~Scene() {
    wheel.Release();
    manager.Release();
  }
};

// Over outer items 0 and 1 (7 and 37 degrees, 0.8 radii).
const POINT kOverOuter0{320 + 80, kHeight - (150 + 10)};
const POINT kOverOuter1{320 + 64, kHeight - (150 + 48)};

// Two points over outer item 0 (light tracing off): the hit test runs, the
// hovered item stays, nothing is redrawn.
void BM_DoubleWheelMouseMoveSameItem(benchmark::State& state) {
  Scene scene;
  const POINT b{320 + 78, kHeight - (150 + 15)};
  scene.manager.OnMouseMove(0, kOverOuter0);
  bool flip = false;
  for (auto _ : state) {
    benchmark::DoNotOptimize(scene.manager.OnMouseMove(0, flip ? kOverOuter0 : b));
    flip = !flip;
  }
  if (scene.wheel.GetOuterHoveredIndex() != 0) state.SkipWithError("the hovered item changed");
}
BENCHMARK(BM_DoubleWheelMouseMoveSameItem);

// A stroke on the double wheel opened as a popup: the pointer is captured
// and the moves go far past the rim, where the outer ring is chosen by the
// stroke's direction; the highlighted item stays.
void BM_DoubleWheelCapturedDragMove(benchmark::State& state) {
  Scene scene;
  scene.wheel.SetSelectByDirection(true);
  scene.manager.PopupMenu(&scene.wheel, POINT{320, kHeight - 150});
  const POINT a{320 + 290, kHeight - (150 + 20)};  // 4 and 8 degrees, about 3 radii out
  const POINT b{320 + 280, kHeight - (150 + 40)};
  bool flip = false;
  for (auto _ : state) {
    benchmark::DoNotOptimize(scene.manager.OnMouseMove(0, flip ? a : b));
    flip = !flip;
  }
  if (scene.wheel.GetOuterHoveredIndex() != 0) state.SkipWithError("the highlighted item changed");
  scene.manager.OnLButtonUp(0, a);
}
BENCHMARK(BM_DoubleWheelCapturedDragMove);

// The hovered item alternates, so every pass rebuilds the list (and the
// highlighted row of the panel moves).
void BM_DoubleWheelRenderPass(benchmark::State& state) {
  Scene scene;
  bool flip = false;
  for (auto _ : state) {
    scene.manager.OnMouseMove(0, flip ? kOverOuter0 : kOverOuter1);
    flip = !flip;
    glClear(GL_COLOR_BUFFER_BIT);
    scene.manager.Render();
    glFinish();
  }
  if (scene.wheel.GetOuterHoveredIndex() < 0) state.SkipWithError("nothing was hovered");
}
BENCHMARK(BM_DoubleWheelRenderPass)->Unit(benchmark::kMicrosecond);

void BM_DoubleWheelRenderFloor(benchmark::State& state) {
  Scene scene;
  vrenkbench::RunAlternatingFloor(state, scene.manager, scene.wheel, kOverOuter0, kOverOuter1, kWidth,
                                  kHeight);
}
BENCHMARK(BM_DoubleWheelRenderFloor)->Unit(benchmark::kMicrosecond);

// Nothing changed since the last pass: the recorded list is replayed.
void BM_DoubleWheelRenderPassUnchanged(benchmark::State& state) {
  Scene scene;
  for (auto _ : state) {
    glClear(GL_COLOR_BUFFER_BIT);
    scene.manager.Render();
    glFinish();
  }
}
BENCHMARK(BM_DoubleWheelRenderPassUnchanged)->Unit(benchmark::kMicrosecond);

void BM_DoubleWheelRenderUnchangedFloor(benchmark::State& state) {
  Scene scene;
  const CDrawList& list = vrenkbench::RecordedList(scene.wheel);
  for (auto _ : state) {
    glClear(GL_COLOR_BUFFER_BIT);
    vrenkbench::DrawFloor({&list}, kWidth, kHeight);
    glFinish();
  }
}
BENCHMARK(BM_DoubleWheelRenderUnchangedFloor)->Unit(benchmark::kMicrosecond);

}  // namespace
