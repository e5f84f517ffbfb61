// menu_drawing.cpp - handing a pass's scratch list to the manager.
#include "menu/menu_drawing.h"

#include "VrenkDoubleWheelMenu.h"
#include "VrenkWheelMenu.h"
#include "render/inspect.h"
#include "render/renderer.h"

namespace VrenkGLWidge {
namespace menu {

CMenuDrawing::CPassList::CPassList(CMenuDrawing& drawing, CVrenkWidgeManager* pManager, float fX, float fY,
                                   float fScale)
    : m_pList(&drawing.m_list), m_pManager(pManager), m_bScratch(!drawing.m_bRecording) {
  if (m_bScratch) {
    m_pList = &drawing.m_scratch;
    m_pList->Clear();
  }
  m_pList->SetTransform(fX, fY, fScale);
}

CMenuDrawing::CPassList::~CPassList() {
  if (!m_bScratch) return;
  // A destructor must not throw: without memory for the backend the pass
  // draws nothing.
  try {
    render::Submit(m_pManager, *m_pList);
  } catch (...) {
  }
}

void SubmitDrawing(CMenuDrawing& drawing, CVrenkWidgeManager* pManager) {
  render::Submit(pManager, drawing.List());
}

const CMenuDrawing* SDrawingAccess::Of(const CVrenkWidge* pWidge) {
  if (const auto* pWheel = dynamic_cast<const CVrenkWheelMenu*>(pWidge)) return pWheel->m_pDrawing;
  if (const auto* pDouble = dynamic_cast<const CVrenkDoubleWheelMenu*>(pWidge)) return pDouble->m_pDrawing;
  return nullptr;
}

}  // namespace menu

const render::CDrawList* render::RecordedDrawList(const CVrenkWidge* pWidge) {
  const menu::CMenuDrawing* pDrawing = menu::SDrawingAccess::Of(pWidge);
  return pDrawing == nullptr || pDrawing->List().IsEmpty() ? nullptr : &pDrawing->List();
}

}  // namespace VrenkGLWidge
