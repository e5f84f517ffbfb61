// list_floor.cpp - recorded lists drawn straight from their arrays.
#include "list_floor.h"

#include <cstdio>
#include <cstdlib>

#include "render/inspect.h"

namespace vrenkbench {

using VrenkGLWidge::render::CDrawList;
using VrenkGLWidge::render::SCommand;
using VrenkGLWidge::render::SVertex;

const CDrawList& RecordedList(const VrenkGLWidge::CVrenkWidge& widge) {
  const CDrawList* list = VrenkGLWidge::render::RecordedDrawList(&widge);
  if (list == nullptr) {
    std::fprintf(stderr, "benchmark: the menu recorded no list\n");
    std::abort();
  }
  return *list;
}

void DrawFloor(const std::vector<const CDrawList*>& lists, int width, int height) {
  static const GLenum kModes[] = {GL_TRIANGLES, GL_TRIANGLE_FAN, GL_QUADS,
                                  GL_LINES,     GL_LINE_STRIP,   GL_LINE_LOOP};
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(0, width, 0, height, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glPushAttrib(GL_COLOR_BUFFER_BIT | GL_CURRENT_BIT | GL_LINE_BIT | GL_ENABLE_BIT | GL_TEXTURE_BIT);
  glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_COLOR_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  for (const CDrawList* list : lists) {
    const SVertex* v = list->Vertices().data();
    glVertexPointer(2, GL_FLOAT, sizeof(SVertex), &v->x);
    glTexCoordPointer(2, GL_FLOAT, sizeof(SVertex), &v->s);
    glColorPointer(4, GL_UNSIGNED_BYTE, sizeof(SVertex), v->rgba);
    for (const SCommand& command : list->Commands()) {
      if (command.nTexture != 0) {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, command.nTexture);
      } else {
        glDisable(GL_TEXTURE_2D);
      }
      if (command.line.fWidth > 0) {
        glLineWidth(command.line.fWidth);
        if (command.line.bSmooth) glEnable(GL_LINE_SMOOTH);
      } else {
        glLineWidth(1.0f);
        glDisable(GL_LINE_SMOOTH);
      }
      glDrawArrays(kModes[command.ePrimitive], static_cast<GLint>(command.nFirst),
                   static_cast<GLsizei>(command.nCount));
    }
  }
  glPopClientAttrib();
  glPopAttrib();
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
}

void RunAlternatingFloor(benchmark::State& state, VrenkGLWidge::CVrenkWidgeManager& manager,
                         const VrenkGLWidge::CVrenkWidge& menu, VrenkGLWidge::POINT a, VrenkGLWidge::POINT b,
                         int width, int height) {
  manager.OnMouseMove(0, a);
  manager.Render();
  const CDrawList overA = RecordedList(menu);
  manager.OnMouseMove(0, b);
  manager.Render();
  const CDrawList overB = RecordedList(menu);
  bool flip = false;
  for (auto _ : state) {
    flip = !flip;
    glClear(GL_COLOR_BUFFER_BIT);
    DrawFloor({flip ? &overA : &overB}, width, height);
    glFinish();
  }
}

}  // namespace vrenkbench
