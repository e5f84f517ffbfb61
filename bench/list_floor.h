// list_floor.h - the floor a render pass is measured against: the very
// lists the menus recorded, drawn straight from their arrays with the
// least state work (one attribute push for the whole pass, no reads).
#ifndef VRENK_BENCH_LIST_FLOOR_H
#define VRENK_BENCH_LIST_FLOOR_H

#include <benchmark/benchmark.h>

#include <vector>

#include "VrenkGLWidge.h"
#include "render/draw_list.h"

namespace vrenkbench {

// The list a menu recorded at its last pass; aborts the benchmark program
// when there is none (the menu was never drawn).
const VrenkGLWidge::render::CDrawList& RecordedList(const VrenkGLWidge::CVrenkWidge& widge);

// One pass of the floor over a viewport of width x height: projection,
// blending, the lists' arrays, one glDrawArrays per command.
void DrawFloor(const std::vector<const VrenkGLWidge::render::CDrawList*>& lists, int width, int height);

// The floor of a pass that alternates between two hover states: the lists
// the menu records with the pointer at a and at b, drawn alternately.
void RunAlternatingFloor(benchmark::State& state, VrenkGLWidge::CVrenkWidgeManager& manager,
                         const VrenkGLWidge::CVrenkWidge& menu, VrenkGLWidge::POINT a, VrenkGLWidge::POINT b,
                         int width, int height);

}  // namespace vrenkbench

#endif  // VRENK_BENCH_LIST_FLOOR_H
