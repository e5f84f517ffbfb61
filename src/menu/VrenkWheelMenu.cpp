// VrenkWheelMenu.cpp - the wheel menu's constants, life cycle, options and
// colours. Geometry, placement and hit testing are in
// VrenkWheelMenuGeometry.cpp, drawing in VrenkWheelMenuRender.cpp.
#include "VrenkWheelMenu.h"

#include <cmath>
#include <limits>

#include "VrenkWidgeManager.h"
#include "common/color.h"
#include "menu/menu_drawing.h"
#include "menu/VrenkMenuSelection.h"
#include "menu/wheel_shared.h"

namespace VrenkGLWidge {

// 3.1415925 is one unit in the last place below the float nearest to pi;
// the other angles are exact power-of-two multiples of it, or its sixth and
// third rounded to float. The hexadecimal forms pin the bit patterns.
const float CVrenkWheelMenu::PI = 0x1.921fb4p+1f;            // 0x40490FDA
const float CVrenkWheelMenu::HALF_PI = 0x1.921fb4p+0f;       // 0x3FC90FDA
const float CVrenkWheelMenu::DOUBLE_PI = 0x1.921fb4p+2f;     // 0x40C90FDA
const float CVrenkWheelMenu::QUADRANT_PI = 0x1.921fb4p-1f;   // 0x3F490FDA
const float CVrenkWheelMenu::ONE_SIXTH_PI = 0x1.0c1522p-1f;  // 0x3F060A91
const float CVrenkWheelMenu::ONE_THIRD_PI = 0x1.0c1522p+0f;  // 0x3F860A91
const float CVrenkWheelMenu::TWO_THIRDS_PI = CVrenkWheelMenu::ONE_THIRD_PI * 2.0f;
const float CVrenkWheelMenu::FOUR_THIRDS_PI = CVrenkWheelMenu::ONE_THIRD_PI * 4.0f;
const float CVrenkWheelMenu::FIVE_THIRDS_PI = CVrenkWheelMenu::ONE_THIRD_PI * 5.0f;
const unsigned int CVrenkWheelMenu::N_CIRCLE_VERTICES;
const unsigned int CVrenkWheelMenu::N_PADDED_PXLS;

CVrenkWheelMenu::CVrenkWheelMenu()
    : m_bAutoReposition(true),
      m_fRelativeCenter{std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::quiet_NaN()},
      m_fCenter{0.0f, 0.0f},
      m_fRadius(0.0f),
      m_fDiskRatio(0.99f),
      m_fImageHalfSize(0.1645f),
      m_fImageHalfSizeHovered(0.189175f),
      m_fImageHalfSizePressed(0.14805f),
      m_fBBoxRatio(1.15f),
      m_fItemStartAngle(QUADRANT_PI),
      m_pItemIndices(nullptr),
      m_bLightTracing(false),
      m_nLightVertex(48),
      m_pShadingRatio(nullptr),
      m_pCircleVertices(nullptr),
      m_pAuxIndices(nullptr),
      m_bAlwaysShowDisk(false),
      m_colorItemCenter{0, 0, 0, 0},
      m_colorItemLit{255, 255, 255, 217},
      m_colorItem{191, 191, 191, 242},
      m_colorHighlightLit{242, 154, 40, 217},
      m_colorHighlight{242, 154, 40, 242},
      m_colorToggledLit{179, 179, 230, 217},
      m_colorToggled{77, 77, 230, 242},
      m_colorEdgeEnd{204, 204, 204, 51},
      m_colorEdge{153, 153, 153, 77},
      m_colorRimLit{230, 230, 230, 115},
      m_colorRimShadow{0, 0, 0, 153},
      m_nItemIndexCount(0),
      m_pDrawing(new menu::CMenuDrawing()) {
  InterpolateColor4(m_colorItemCenter, m_colorItemLit, 0.75f, 0.5f, m_colorItem, 0.25f, 0.5f);
  UpdateBBox();
  CVrenkMenuSelection::SetKind(*this, MENU_KIND_WHEEL);
}

CVrenkWheelMenu::~CVrenkWheelMenu() {
  CVrenkWheelMenu::Release();
  delete m_pDrawing;
  // What is left of the object is no longer a wheel.
  CVrenkMenuSelection::SetKind(*this, MENU_KIND_OTHER);
}

void CVrenkWheelMenu::Init(CVrenkWidgeManager* pManager, int nItemSize, int nRadius, int nCenterX,
                           int nCenterY, float fStartDegree) {
  CVrenkMenuBase::Init(pManager, nItemSize);
  // The radius is given at the scale 1 and drawn at the manager's.
  m_fAppliedScale = 1.0f;
  m_fRadius = static_cast<float>(nRadius);
  ApplyScale();
  m_fCenter[0] = static_cast<float>(nCenterX);
  m_fCenter[1] = static_cast<float>(nCenterY);
  // The wheel appears where the host asked, and keeps that place in the
  // viewport when the viewport changes.
  m_fRelativeCenter[0] = std::numeric_limits<float>::quiet_NaN();
  m_fRelativeCenter[1] = std::numeric_limits<float>::quiet_NaN();
  DeriveRelativeCenter();
  _SetItemStartDegree(fStartDegree);
  BuildShadingRatio();
  BuildCircles();
  BuildAuxIndices();
  RecalculateLayout();
}

void CVrenkWheelMenu::Release() {
  ReleaseItemIndices();
  ReleaseIndices();
  ReleaseCircles();
  ReleaseShadingRatio();
  // The recorded list names the items' textures, which go now.
  m_pDrawing->Invalidate();
  m_pDrawing->List().Clear();
  CVrenkMenuBase::Release();
}

int CVrenkWheelMenu::SetItemSize(unsigned int nSize) {
  const int result = CVrenkMenuBase::SetItemSize(nSize);
  if (result == 0) RecalculateLayout();
  return result;
}

// --- Options ------------------------------------------------------------------

int CVrenkWheelMenu::SetItemStartDegree(float fDegree) {
  _SetItemStartDegree(fDegree);
  RecalculateLayout();
  return 0;
}

void CVrenkWheelMenu::_SetItemStartDegree(float fDegree) { m_fItemStartAngle = wheel::StartAngleFromDegrees(fDegree); }

float CVrenkWheelMenu::GetItemStartDegree() const { return wheel::DegreesFromStartAngle(m_fItemStartAngle); }

void CVrenkWheelMenu::SetRadius(int nRadius) {
  m_fRadius = wheel::Rescaled(static_cast<float>(nRadius), 1.0f, m_fAppliedScale);
  UpdateBBox();
}

// The getters saturate: a centre pushed far outside a huge viewport must not
// make the conversion undefined. The radius is the host's, at scale 1.
int CVrenkWheelMenu::GetRadius() const {
  return wheel::TruncateToInt(wheel::Rescaled(m_fRadius, m_fAppliedScale, 1.0f));
}

void CVrenkWheelMenu::ApplyScale() {
  const float fScale = m_pManager != nullptr ? m_pManager->GetScale() : 1.0f;
  m_fRadius = wheel::Rescaled(m_fRadius, m_fAppliedScale, fScale);
  m_fAppliedScale = fScale;
}

void CVrenkWheelMenu::SetCenter(int x, int y) {
  m_fCenter[0] = static_cast<float>(x);
  m_fCenter[1] = static_cast<float>(y);
  DeriveRelativeCenter();
  if (m_bAutoReposition) {
    AdjustCenter();
  } else {
    UpdateBBox();
  }
}

void CVrenkWheelMenu::GetCenter(int& x, int& y) const {
  x = wheel::TruncateToInt(m_fCenter[0]);
  y = wheel::TruncateToInt(m_fCenter[1]);
}

void CVrenkWheelMenu::SetAutoReposition(bool bAuto) {
  m_bAutoReposition = bAuto;
  if (bAuto) AdjustCenter();
}

// --- Colours ------------------------------------------------------------------

void CVrenkWheelMenu::SetItemColor(unsigned char r, unsigned char g, unsigned char b, unsigned char a) {
  AssignColor4(m_colorItem, r, g, b, a);
  AssignColor4(m_colorItemLit, ScaleColor(r, 1.2f), ScaleColor(g, 1.2f), ScaleColor(b, 1.2f), a);
  InterpolateColor4(m_colorItemCenter, m_colorItemLit, 0.75f, 0.5f, m_colorItem, 0.25f, 0.5f);
}

void CVrenkWheelMenu::SetHighlightItemColor(unsigned char r, unsigned char g, unsigned char b,
                                            unsigned char a) {
  color::SetWithScaledAlpha(m_colorHighlight, m_colorHighlightLit, r, g, b, a, 0.85f);
}

void CVrenkWheelMenu::SetToggledItemColor(unsigned char r, unsigned char g, unsigned char b,
                                          unsigned char a) {
  color::SetWithScaledAlpha(m_colorToggled, m_colorToggledLit, r, g, b, a, 0.85f);
}

void CVrenkWheelMenu::SetEdgeColor(unsigned char r, unsigned char g, unsigned char b, unsigned char a) {
  color::SetWithScaledAlpha(m_colorEdge, m_colorEdgeEnd, r, g, b, a, 0.65f);
}

}  // namespace VrenkGLWidge
