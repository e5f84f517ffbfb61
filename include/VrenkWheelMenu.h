// VrenkWheelMenu.h - a single-ring pie menu.
#ifndef VRENK_WHEEL_MENU_H
#define VRENK_WHEEL_MENU_H

#include "VrenkMenuBase.h"

namespace VrenkGLWidge {

namespace menu {
class CMenuDrawing;
struct SDrawingAccess;
}  // namespace menu
namespace layout {
struct SItemLook;
}  // namespace layout

// A filled disc cut into equal sectors, one per item, with each item's icon
// in the middle of its sector, shaded from a light direction that may follow
// the cursor. The centre, radius, box and hit-test points are in overlay
// pixels; the disc is drawn in wheel units (the centre translated to the
// origin, one unit per radius) from a rim of N_CIRCLE_VERTICES vertices.
// Angles are radians inside, degrees at the interface.
class VRENK_API CVrenkWheelMenu : public CVrenkMenuBase {
 public:
  // Single-precision angles derived from 3.1415925, a little below pi.
  static const float PI;
  static const float HALF_PI;
  static const float DOUBLE_PI;
  static const float QUADRANT_PI;
  static const float ONE_SIXTH_PI;
  static const float ONE_THIRD_PI;
  static const float TWO_THIRDS_PI;
  static const float FOUR_THIRDS_PI;
  static const float FIVE_THIRDS_PI;
  // Vertices on the rim.
  static const unsigned int N_CIRCLE_VERTICES = 128;
  // Margin that AdjustCenter keeps between the box and the viewport edge.
  static const unsigned int N_PADDED_PXLS = 0;

  CVrenkWheelMenu();
  // Frees the buffers, gives the items' texts and images back and leaves
  // the manager.
  virtual ~CVrenkWheelMenu();

  CVrenkWheelMenu(const CVrenkWheelMenu&) = delete;
  CVrenkWheelMenu& operator=(const CVrenkWheelMenu&) = delete;

  // Frees the four buffers, then releases the items and leaves the manager.
  void Release() override;

 protected:
  // True when (x, y) lies on the disc over an item; records the item under
  // the cursor as hovered and, with light tracing, aims the light at it.
  bool HitTest(float x, float y) override;
  // Recomputes the items' start vertices and places the wheel.
  void RecalculateLayout() override;
  // Draws the disc, rim, separators, icons and the fixed panel.
  void RenderActually() override;

 public:
  // Resizes the item list and re-lays the wheel out; 0.
  int SetItemSize(unsigned int nSize) override;

  using CVrenkMenuBase::Init;
  // Registers with the manager, sizes the item list, sets the radius, the
  // centre (also as fractions of the manager's viewport) and the angle at
  // which item 0 begins, builds the geometry and lays the wheel out.
  virtual void Init(CVrenkWidgeManager* pManager, int nItemSize, int nRadius, int nCenterX, int nCenterY,
                    float fStartDegree);

  // Sets the angle (degrees, counter-clockwise from +x) at which item 0
  // begins and re-lays the wheel out; 0. Negative angles are brought into
  // (0, 360]; others are kept as given.
  int SetItemStartDegree(float fDegree);
  float GetItemStartDegree() const;
  // Sets the radius in pixels and the box; no re-layout, no redraw request.
  void SetRadius(int nRadius);
  int GetRadius() const;
  // Moves the centre (overlay pixels) and remembers it as fractions of the
  // viewport, so that the wheel keeps its place when the viewport changes.
  void SetCenter(int x, int y);
  void GetCenter(int& x, int& y) const;
  // While set, the centre follows the viewport and the wheel is kept inside
  // it.
  void SetAutoReposition(bool bAuto);
  bool GetAutoReposition() const { return m_bAutoReposition; }
  // Draw the disc even when the menu has no items.
  void SetAlwaysShowDisk(bool bShow) { m_bAlwaysShowDisk = bShow; }
  bool IsAlwaysShowDisk() const { return m_bAlwaysShowDisk; }
  // Let the light direction follow the cursor over the wheel's box.
  void SetLightTracing(bool bTracing) { m_bLightTracing = bTracing; }
  bool IsLightTracing() const { return m_bLightTracing; }

  // Colour setters store the main colour and derive its lit partner; the
  // new colours show at the next render (no redraw request).
  void SetItemColor(unsigned char r, unsigned char g, unsigned char b, unsigned char a);
  void SetHighlightItemColor(unsigned char r, unsigned char g, unsigned char b, unsigned char a);
  void SetToggledItemColor(unsigned char r, unsigned char g, unsigned char b, unsigned char a);
  void SetEdgeColor(unsigned char r, unsigned char g, unsigned char b, unsigned char a);
  void GetItemColor(unsigned char& r, unsigned char& g, unsigned char& b, unsigned char& a) const {
    r = m_colorItem[0], g = m_colorItem[1], b = m_colorItem[2], a = m_colorItem[3];
  }
  void GetHighlightItemColor(unsigned char& r, unsigned char& g, unsigned char& b, unsigned char& a) const {
    r = m_colorHighlight[0], g = m_colorHighlight[1], b = m_colorHighlight[2], a = m_colorHighlight[3];
  }
  void GetToggledItemColor(unsigned char& r, unsigned char& g, unsigned char& b, unsigned char& a) const {
    r = m_colorToggled[0], g = m_colorToggled[1], b = m_colorToggled[2], a = m_colorToggled[3];
  }
  void GetEdgeColor(unsigned char& r, unsigned char& g, unsigned char& b, unsigned char& a) const {
    r = m_colorEdge[0], g = m_colorEdge[1], b = m_colorEdge[2], a = m_colorEdge[3];
  }

 protected:
  // Normalises and stores the start angle; no re-layout.
  void _SetItemStartDegree(float fDegree);

  // Geometry buffers.
  void CalculateItemIndices();
  void ReleaseItemIndices();
  void BuildShadingRatio();
  void ReleaseShadingRatio();
  void BuildCircles();
  void ReleaseCircles();
  void BuildAuxIndices();
  void ReleaseIndices();
  // The box from the centre and radius.
  void UpdateBBox();
  // Places the centre from its viewport fractions and keeps the box inside
  // the viewport.
  void AdjustCenter();

  // Drawing passes, in wheel units.
  void RenderFlatDonut();
  void RenderSideStripEdges();
  void RenderItemEdges();
  void RenderItemImages();
  void RenderTooltip();

  bool m_bAutoReposition;
  // The centre as fractions of the viewport; NaN on an axis until it could
  // be derived (no manager yet, or a viewport of zero extent on that axis).
  float m_fRelativeCenter[2];
  float m_fCenter[2];
  float m_fRadius;
  float m_fDiskRatio;
  float m_fImageHalfSize;
  float m_fImageHalfSizeHovered;
  float m_fImageHalfSizePressed;
  float m_fBBoxRatio;
  float m_fItemStartAngle;
  unsigned int* m_pItemIndices;  // first rim vertex of each item
  bool m_bLightTracing;
  unsigned int m_nLightVertex;  // rim vertex facing the light
  float* m_pShadingRatio;       // per rim vertex: 0 lit .. 1 shaded
  float* m_pCircleVertices;     // rim vertices, x y z
  unsigned int* m_pAuxIndices;  // offset of each rim vertex; entry 128 wraps to 0
  bool m_bAlwaysShowDisk;
  unsigned char m_colorItemCenter[4];
  unsigned char m_colorItemLit[4];
  unsigned char m_colorItem[4];
  unsigned char m_colorHighlightLit[4];
  unsigned char m_colorHighlight[4];
  unsigned char m_colorToggledLit[4];
  unsigned char m_colorToggled[4];
  unsigned char m_colorEdgeEnd[4];
  unsigned char m_colorEdge[4];
  unsigned char m_colorRimLit[4];
  unsigned char m_colorRimShadow[4];

 private:
  // Makes m_pItemIndices match the item count when items were added or
  // removed without a re-layout.
  void SyncItemIndices();
  // Steps 2 to 5 of AdjustCenter: moves the centre so that the box stays
  // inside the viewport.
  void FitIntoViewport();
  // Derives the viewport fractions of the current centre where the
  // viewport allows it.
  void DeriveRelativeCenter();
  // Fills the shading ratios for the current light vertex.
  void FillShadingRatio();
  // The rim, shading and offset buffers exist (from Init to Release).
  bool HasGeometry() const {
    return m_pCircleVertices != nullptr && m_pShadingRatio != nullptr && m_pAuxIndices != nullptr;
  }
  // Brings the start vertices up to date for drawing; false without
  // geometry (before Init or after Release).
  bool ReadyToDraw() {
    if (!HasGeometry()) return false;
    SyncItemIndices();
    return true;
  }
  // The start angle the sectors, icons and hit test use: the stored one,
  // reduced modulo a full turn from 540 degrees on; non-finite stays so.
  float ReducedStartAngle() const;
  // The look of item i, from its state as the readers report it.
  void GetItemLook(int nIndex, layout::SItemLook* pLook) const;
  // What the drawing depends on, for the replay of an unchanged look.
  void AddDrawInputs(menu::CMenuDrawing& drawing) const;

  // Entries in m_pItemIndices.
  unsigned int m_nItemIndexCount;
  // The recorded draw list and the inputs it was made from.
  menu::CMenuDrawing* m_pDrawing;
  // The manager's screen scale the pixel sizes (radius, line widths) are
  // at.
  float m_fAppliedScale = 1.0f;
  // Brings the pixel sizes to the manager's scale.
  void ApplyScale();

  friend struct menu::SDrawingAccess;

  // The selection code reads the centre, radius, rings and hovered items.
  friend class CVrenkMenuSelection;
};

}  // namespace VrenkGLWidge

#endif  // VRENK_WHEEL_MENU_H
