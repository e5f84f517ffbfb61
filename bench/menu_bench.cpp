// The wheel menu: a mouse move that keeps the hovered item, and render
// passes of an 8-item wheel with icons (the list rebuilt every pass, and
// replayed unchanged), and of 20 small wheels on one manager, each against
// the floor: the very lists the wheels recorded, drawn straight from their
// arrays.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "VrenkGLWidge.h"
#include "bench_context.h"
#include "image/png_files.h"
#include "list_floor.h"

using namespace VrenkGLWidge;
using render::CDrawList;

namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 260;
constexpr int kItems = 8;

struct Scene {
  vrenkbench::BenchContext context{kWidth, kHeight};
  vrenktest::ScratchDir dir;
  CVrenkWidgeManager manager;
  std::vector<std::unique_ptr<CVrenkWheelMenu>> wheels;
  // Wheels of the given radius, laid out in rows over the view.
  Scene(int nWheels, int nRadius) {
    manager.Init(context.m_hWnd, kWidth, kHeight, context.m_hRC, 0, 0, kWidth, kHeight);
    for (int w = 0; w < nWheels; ++w) {
      wheels.emplace_back(new CVrenkWheelMenu());
      const int perRow = kWidth / (2 * nRadius + 4);
      const int x = nWheels == 1 ? 270 : nRadius + 2 + (w % perRow) * (2 * nRadius + 4);
      const int y = nWheels == 1 ? 130 : nRadius + 2 + (w / perRow) * (2 * nRadius + 4);
      wheels.back()->Init(&manager, kItems, nRadius, x, y, 45.0f);
      for (int i = 0; i < kItems; ++i) {
        const std::string path = dir.Path("icon" + std::to_string(i) + ".png");
        if (w == 0) vrenktest::WritePng(path, vrenktest::Rgba8Pattern(32, 32));
        wheels.back()->SetItem(static_cast<unsigned>(i), i, "", path.c_str(), 0, false, true);
      }
    }
    glViewport(0, 0, kWidth, kHeight);
    manager.Render();
  }
  ~Scene() {
    for (auto& wheel : wheels) wheel->Release();
    manager.Release();
  }
  std::vector<const CDrawList*> Lists() const {
    std::vector<const CDrawList*> lists;
    for (const auto& wheel : wheels) lists.push_back(&vrenkbench::RecordedList(*wheel));
    return lists;
  }
};

// Over item 0 and over item 1 of the single wheel.
const POINT kOverItem0{270 + 20, kHeight - 200};
const POINT kOverItem1{270 - 40, kHeight - 170};

// Two points over item 0 (light tracing off): the hit test runs, the
// hovered item stays, nothing is redrawn.
void BM_WheelMouseMoveSameItem(benchmark::State& state) {
  Scene scene(1, 100);
  const POINT b{270 + 30, kHeight - 190};
  scene.manager.OnMouseMove(0, kOverItem0);
  bool flip = false;
  for (auto _ : state) {
    benchmark::DoNotOptimize(scene.manager.OnMouseMove(0, flip ? kOverItem0 : b));
    flip = !flip;
  }
  if (scene.wheels[0]->GetHoveredIndex() != 0) state.SkipWithError("the hovered item changed");
}
BENCHMARK(BM_WheelMouseMoveSameItem);

// A stroke on a wheel that selects by direction: the pointer is captured,
// and the moves go far outside the wheel (and the window). The first keeps
// the highlighted item (nothing to redraw); the second changes it on every
// move, which marks the wheel dirty and asks for a redraw each time.
void BM_WheelCapturedDragMove(benchmark::State& state) {
  Scene scene(1, 100);
  CVrenkWheelMenu& wheel = *scene.wheels[0];
  wheel.SetSelectByDirection(true);
  const POINT centre{270, kHeight - 130};
  scene.manager.OnMouseMove(0, centre);
  scene.manager.OnLButtonDown(0, centre);
  const bool bChange = state.range(0) != 0;
  // 70 and 80 degrees (item 0), or 70 and 200 degrees (items 0 and 3).
  const POINT a{270 + 103, kHeight - (130 + 282)};
  const POINT b = bChange ? POINT{270 - 282, kHeight - (130 - 103)} : POINT{270 + 52, kHeight - (130 + 295)};
  bool flip = false;
  for (auto _ : state) {
    benchmark::DoNotOptimize(scene.manager.OnMouseMove(0, flip ? a : b));
    flip = !flip;
  }
  if (scene.manager.GetCaptureMenu() != &wheel) state.SkipWithError("the stroke lost the pointer");
  if (!bChange && wheel.GetHoveredIndex() != 0) state.SkipWithError("the highlighted item changed");
  scene.manager.OnLButtonUp(0, a);
}
BENCHMARK(BM_WheelCapturedDragMove)->Arg(0)->Arg(1)->ArgName("changing");

// The hovered item alternates, so every pass rebuilds the wheel's list.
void BM_WheelRenderPass(benchmark::State& state) {
  Scene scene(1, 100);
  bool flip = false;
  for (auto _ : state) {
    scene.manager.OnMouseMove(0, flip ? kOverItem0 : kOverItem1);
    flip = !flip;
    glClear(GL_COLOR_BUFFER_BIT);
    scene.manager.Render();
    glFinish();
  }
}
BENCHMARK(BM_WheelRenderPass)->Unit(benchmark::kMicrosecond);

// The floor of the pass above: both hover states' lists, alternately.
void BM_WheelRenderFloor(benchmark::State& state) {
  Scene scene(1, 100);
  vrenkbench::RunAlternatingFloor(state, scene.manager, *scene.wheels[0], kOverItem0, kOverItem1, kWidth,
                                  kHeight);
}
BENCHMARK(BM_WheelRenderFloor)->Unit(benchmark::kMicrosecond);

// Nothing changed since the last pass (a host that redraws its scene every
// frame): the recorded list is replayed.
void BM_WheelRenderPassUnchanged(benchmark::State& state) {
  Scene scene(1, 100);
  for (auto _ : state) {
    glClear(GL_COLOR_BUFFER_BIT);
    scene.manager.Render();
    glFinish();
  }
}
BENCHMARK(BM_WheelRenderPassUnchanged)->Unit(benchmark::kMicrosecond);

void BM_WheelRenderUnchangedFloor(benchmark::State& state) {
  Scene scene(1, 100);
  const std::vector<const CDrawList*> lists = scene.Lists();
  for (auto _ : state) {
    glClear(GL_COLOR_BUFFER_BIT);
    vrenkbench::DrawFloor(lists, kWidth, kHeight);
    glFinish();
  }
}
BENCHMARK(BM_WheelRenderUnchangedFloor)->Unit(benchmark::kMicrosecond);

// Twenty small wheels (radius 40, 8 items with icons) on one manager;
// with argument 1 every wheel's list is rebuilt every pass (its item colour
// alternates), with 0 the lists are replayed.
void BM_SmallWheelsRenderPass(benchmark::State& state) {
  Scene scene(20, 40);
  const bool bRebuild = state.range(0) != 0;
  bool flip = false;
  for (auto _ : state) {
    if (bRebuild) {
      for (auto& wheel : scene.wheels) wheel->SetItemColor(flip ? 190 : 191, 191, 191, 242);
      flip = !flip;
    }
    glClear(GL_COLOR_BUFFER_BIT);
    scene.manager.Render();
    glFinish();
  }
}
BENCHMARK(BM_SmallWheelsRenderPass)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_SmallWheelsRenderFloor(benchmark::State& state) {
  Scene scene(20, 40);
  const std::vector<const CDrawList*> lists = scene.Lists();
  for (auto _ : state) {
    glClear(GL_COLOR_BUFFER_BIT);
    vrenkbench::DrawFloor(lists, kWidth, kHeight);
    glFinish();
  }
}
BENCHMARK(BM_SmallWheelsRenderFloor)->Unit(benchmark::kMicrosecond);

}  // namespace
