// menu_drawing.h - a menu's recorded drawing: the draw list of its last
// look and the inputs it was made from. A pass whose inputs did not change
// replays the list instead of rebuilding it. Internal to the library.
#ifndef VRENK_MENU_MENU_DRAWING_H
#define VRENK_MENU_MENU_DRAWING_H

#include <cstddef>
#include <cstring>
#include <type_traits>
#include <vector>

#include "render/draw_list.h"

namespace VrenkGLWidge {

class CVrenkWidge;
class CVrenkWidgeManager;

namespace menu {

class CMenuDrawing {
 public:
  // Starts collecting this pass's inputs.
  void BeginInputs() { m_vecNext.clear(); }
  template <typename T>
  void Add(const T& value) {
    static_assert(std::is_arithmetic<T>::value || std::is_pointer<T>::value, "scalars only: no padding");
    AddBytes(&value, sizeof(value));
  }
  void AddBytes(const void* p, size_t n) {
    const unsigned char* b = static_cast<const unsigned char*>(p);
    m_vecNext.insert(m_vecNext.end(), b, b + n);
  }
  // True when the inputs differ from those of the recorded list (or none
  // was recorded): the list is to be rebuilt, and these inputs are kept.
  bool NeedsRebuild() {
    if (m_bValid && m_vecNext == m_vecInputs) return false;
    m_vecInputs.swap(m_vecNext);
    m_bValid = true;
    return true;
  }
  // Forgets the recording, so the next pass rebuilds it.
  void Invalidate() { m_bValid = false; }

  render::CDrawList& List() { return m_list; }
  const render::CDrawList& List() const { return m_list; }

  // While set, the menu's passes emit into the recorded list.
  bool IsRecording() const { return m_bRecording; }

  // Records the menu's passes into the list for the scope's duration; a
  // pass that throws leaves no half-recorded list behind.
  class CRecording {
   public:
    explicit CRecording(CMenuDrawing& drawing) : m_drawing(drawing) {
      m_drawing.m_list.Clear();
      m_drawing.m_bRecording = true;
    }
    ~CRecording() {
      m_drawing.m_bRecording = false;
      if (!m_bDone) m_drawing.Invalidate();
    }
    CRecording(const CRecording&) = delete;
    CRecording& operator=(const CRecording&) = delete;
    void Done() { m_bDone = true; }

   private:
    CMenuDrawing& m_drawing;
    bool m_bDone = false;
  };

  // The list one drawing pass emits into: the recording, or, for a pass
  // called on its own (a derived menu drawing only some passes), a scratch
  // list drawn as soon as the pass is done.
  class CPassList {
   public:
    // Vertices of the pass are placed as (x * fScale + fX, y * fScale + fY).
    CPassList(CMenuDrawing& drawing, CVrenkWidgeManager* pManager, float fX, float fY, float fScale);
    ~CPassList();
    CPassList(const CPassList&) = delete;
    CPassList& operator=(const CPassList&) = delete;
    render::CDrawList& operator*() { return *m_pList; }
    render::CDrawList* operator->() { return m_pList; }

   private:
    render::CDrawList* m_pList;
    CVrenkWidgeManager* m_pManager;
    bool m_bScratch;
  };

 private:
  render::CDrawList m_list;
  render::CDrawList m_scratch;
  std::vector<unsigned char> m_vecInputs;
  std::vector<unsigned char> m_vecNext;
  bool m_bValid = false;
  bool m_bRecording = false;
};

// A line style at a screen scale: widths grow with it, and a line that
// keeps the context's own width is one pixel wide at the scale 1, so it
// takes the scale's width elsewhere (keeping the context's smoothing).
inline render::SLineStyle ScaledLine(render::SLineStyle line, float fScale) {
  if (fScale == 1.0f) return line;
  return {(line.fWidth > 0.0f ? line.fWidth : 1.0f) * fScale, line.bSmooth};
}

// Draws a menu's look: the recorded list, rebuilt first by record() when
// the inputs gathered since BeginInputs differ from those it was made from.
void SubmitDrawing(CMenuDrawing& drawing, CVrenkWidgeManager* pManager);
template <typename Record>
void RecordOrReplay(CMenuDrawing& drawing, CVrenkWidgeManager* pManager, Record record) {
  if (drawing.NeedsRebuild()) {
    CMenuDrawing::CRecording recording(drawing);
    record();
    recording.Done();
  }
  SubmitDrawing(drawing, pManager);
}

// Reaches a library menu's recorded drawing.
struct SDrawingAccess {
  static const CMenuDrawing* Of(const CVrenkWidge* pWidge);
};

}  // namespace menu
}  // namespace VrenkGLWidge

#endif  // VRENK_MENU_MENU_DRAWING_H
