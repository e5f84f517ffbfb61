// VrenkDoubleWheelMenu.h - a pie menu with two concentric rings of items and
// tooltip panels.
#ifndef VRENK_DOUBLE_WHEEL_MENU_H
#define VRENK_DOUBLE_WHEEL_MENU_H

#include <string>
#include <vector>

#include "VrenkMenuBase.h"

namespace VrenkGLWidge {

namespace menu {
class CMenuDrawing;
struct SDrawingAccess;
}  // namespace menu
namespace layout {
struct SItemLook;
}  // namespace layout
namespace render {
class CDrawList;
}  // namespace render
namespace paint {
struct SRim;
}  // namespace paint

// One candidate anchor for a tooltip on the ring around the wheel.
struct VRENK_API STooltipDuckingPosition {
  int eCorner;  // CVrenkTextureText::EQuadPointIndex: the text's corner to put here
  bool bUsed;   // taken by an item
  float fX;
  float fY;
};

// An inner disc cut into sectors and an outer ring around it cut into
// sectors of its own, each ring with its own item count and start angle.
// The outer ring's items are the base's item list; the inner ring's items
// are a second list, so the base's single-list operations give way to pairs
// of inner and outer ones (the single-list ones answer -8 here). Both rings
// are hovered and clicked like the single wheel's. Tooltips are shown as
// labels around the wheel (style 0), a panel listing every item (style 1)
// or a panel under the wheel showing the hovered item (style 2).
//
// The outer rim lies at one wheel unit (the radius in pixels), the inner
// rim at m_fInnerRadiusRatio wheel units. Centre, radius, box and hit-test
// points are in overlay pixels; angles are radians inside, degrees at the
// interface.
class VRENK_API CVrenkDoubleWheelMenu : public CVrenkMenuBase {
 public:
  // Single-precision angles derived from 3.1415925, as the single wheel's.
  static const float PI;
  static const float HALF_PI;
  static const float DOUBLE_PI;
  static const float QUADRANT_PI;
  static const float ONE_SIXTH_PI;
  static const float ONE_THIRD_PI;
  static const float TWO_THIRDS_PI;
  static const float FOUR_THIRDS_PI;
  static const float FIVE_THIRDS_PI;
  static const float THREE_HALF_PI;
  // Vertices on each rim.
  static const unsigned int N_CIRCLE_VERTICES = 128;
  // Margin that AdjustCenter keeps between the wheel and the viewport edge.
  static const unsigned int N_PADDED_PXLS = 0;

  CVrenkDoubleWheelMenu();
  // Frees the buffers, gives both rings' texts and images back and leaves
  // the manager.
  virtual ~CVrenkDoubleWheelMenu();

  CVrenkDoubleWheelMenu(const CVrenkDoubleWheelMenu&) = delete;
  CVrenkDoubleWheelMenu& operator=(const CVrenkDoubleWheelMenu&) = delete;

  // Frees the buffers, gives the inner items' texts and images back, then
  // releases the outer items and leaves the manager.
  void Release() override;

 protected:
  // True when (x, y) lies over an item of either ring; records the hovered
  // item of each ring (at most one of them) and, with light tracing, aims
  // the light at the cursor. With no inner items the inner disc hits
  // nothing.
  bool HitTest(float x, float y) override;
  // Recomputes both rings' start vertices, places the wheel and its
  // tooltip panel, and sets the box.
  void RecalculateLayout() override;
  // Draws both rings, the rim outlines, separators, icons and tooltips.
  void RenderActually() override;

  // The hovered inner item, else the hovered outer item, else null: both
  // rings are clickable.
  SMenuItem* GetHoveredItem() override;

 public:
  // Shows or hides the tooltips; the box follows and a redraw is asked for.
  void SetShowTooltip(bool bShowTooltip) override;

 private:
  // The base's single-list operations do not apply to two rings.
  int AddItem(int nID) override;
  int SetItem(unsigned int nIndex, int nID, const std::string& strTooltip, const char* szImagePath, int nType,
              bool bToggled, bool bEnabled) override;
  int SetItemSize(unsigned int nSize) override;
  // Both rings together.
  int GetItemSize() const override;
  int GetItemID(unsigned int nIndex) const override;
  const std::string& GetItemTooltip(unsigned int nIndex) const override;
  CVrenkImageBase* GetItemImage(unsigned int nIndex) const override;
  unsigned int GetItemTextureName(unsigned int nIndex) const override;
  int GetItemIndexByID(unsigned int nID) const override;
  int SetItemType(unsigned int nIndex, int nType) override;
  int GetItemType(unsigned int nIndex) const override;
  int SetItemToggled(unsigned int nIndex, bool bToggled) override;
  bool IsItemToggled(unsigned int nIndex) const override;
  int SetItemEnabled(unsigned int nIndex, bool bEnabled) override;
  bool IsItemEnabled(unsigned int nIndex) const override;
  int GetHoveredIndex() const override;
  bool IsItemHovered(unsigned int nIndex) const override;

 public:
  // The base's SetItem with a wide path sets an outer item (without the
  // tooltip layout that SetOuterItem adds).
  using CVrenkMenuBase::SetItem;

  using CVrenkMenuBase::Init;
  // Registers with the manager, sizes both rings, sets the radius, the
  // centre (also as fractions of the manager's viewport) and both start
  // angles, builds the geometry and the tooltip anchors and panel, sets the
  // default colours and lays the wheel out.
  virtual void Init(CVrenkWidgeManager* pManager, int nInnerItemSize, int nOuterItemSize, int nRadius,
                    int nCenterX, int nCenterY, float fInnerStartDegree, float fOuterStartDegree);

 private:
  virtual int SetItemW(unsigned int nIndex, int nID, const std::string& strTooltip, const wchar_t* szImagePath,
                       int nType, bool bToggled, bool bEnabled);

 public:
  // Fill an item of a ring: flags, identifier, a new tooltip text laid out
  // for the panels, and the icon from the path (none for a null path). 0,
  // -1 when the icon could not be loaded, -2 for an index out of range.
  virtual int SetInnerItem(unsigned int nIndex, int nID, const std::string& strTooltip, const wchar_t* szImagePath,
                           int nType, bool bToggled, bool bEnabled);
  virtual int SetInnerItem(unsigned int nIndex, int nID, const std::string& strTooltip, const char* szImagePath,
                           int nType, bool bToggled, bool bEnabled);
  virtual int SetOuterItem(unsigned int nIndex, int nID, const std::string& strTooltip, const wchar_t* szImagePath,
                           int nType, bool bToggled, bool bEnabled);
  virtual int SetOuterItem(unsigned int nIndex, int nID, const std::string& strTooltip, const char* szImagePath,
                           int nType, bool bToggled, bool bEnabled);
  // Resize a ring; items cut off give their texts and images back. The
  // ring's start vertices and the tooltip panel follow. 0.
  virtual int SetInnerItemSize(unsigned int nSize);
  virtual int SetOuterItemSize(unsigned int nSize);
  virtual int GetInnerItemSize() const;
  virtual int GetOuterItemSize() const;

  // Readers: a bad index gives -2, null or 0; a missing identifier -4.
  virtual int GetInnerItemID(unsigned int nIndex) const;
  virtual CVrenkImageBase* GetInnerItemImage(unsigned int nIndex) const;
  virtual int GetInnerItemIndexByID(unsigned int nID) const;
  virtual unsigned int GetInnerItemTextureName(unsigned int nIndex) const;
  virtual int GetOuterItemID(unsigned int nIndex) const;
  virtual CVrenkImageBase* GetOuterItemImage(unsigned int nIndex) const;
  virtual unsigned int GetOuterItemTextureName(unsigned int nIndex) const;
  virtual int GetOuterItemIndexByID(unsigned int nID) const;

  // Setters return the value stored (1 or 0 for flags), -2 for a bad index;
  // readers give -2 or false. None of them asks for a redraw.
  virtual int SetInnerItemType(unsigned int nIndex, int nType);
  virtual int GetInnerItemType(unsigned int nIndex) const;
  virtual int SetInnerItemToggled(unsigned int nIndex, bool bToggled);
  virtual bool IsInnerItemToggled(unsigned int nIndex) const;
  virtual int SetInnerItemEnabled(unsigned int nIndex, bool bEnabled);
  virtual bool IsInnerItemEnabled(unsigned int nIndex) const;
  virtual int SetOuterItemType(unsigned int nIndex, int nType);
  virtual int GetOuterItemType(unsigned int nIndex) const;
  virtual int SetOuterItemToggled(unsigned int nIndex, bool bToggled);
  virtual bool IsOuterItemToggled(unsigned int nIndex) const;
  virtual int SetOuterItemEnabled(unsigned int nIndex, bool bEnabled);
  virtual bool IsOuterItemEnabled(unsigned int nIndex) const;

  // The tooltip string of an item; the empty text for a bad index or an
  // item without a text.
  const std::string& GetInnerItemTooltip(unsigned int nIndex) const;
  const std::string& GetOuterItemTooltip(unsigned int nIndex) const;

  int GetInnerHoveredIndex() const { return m_nInnerHoveredIndex; }
  int GetOuterHoveredIndex() const { return m_nOuterHoveredIndex; }
  bool IsInnerItemHovered(unsigned int nIndex) const;
  bool IsOuterItemHovered(unsigned int nIndex) const;

  // Set the angle (degrees, counter-clockwise from +x) at which a ring's
  // item 0 begins and rebuild that ring's start vertices; 0. Negative angles
  // are brought into (0, 360]; others are kept as given.
  int SetInnerItemStartDegree(float fDegree);
  int SetOuterItemStartDegree(float fDegree);
  float GetInnerItemStartDegree() const;
  float GetOuterItemStartDegree() const;

  // Draw the inner disc even when the inner ring has no items.
  void SetAlwaysShowInnerDisk(bool bShow) { m_bAlwaysShowInnerDisk = bShow; }
  bool IsAlwaysShowInnerDisk() const { return m_bAlwaysShowInnerDisk; }
  // Sets the outer radius in pixels and the box.
  void SetRadius(int nRadius);
  int GetRadius() const;
  // The inner rim's radius in wheel units; the rims are rebuilt.
  void SetInnerRadiusRatio(float fRatio);
  float GetInnerRadiusRatio() const { return m_fInnerRadiusRatio; }
  // Moves the centre (overlay pixels) and remembers it as fractions of the
  // viewport, so that the wheel keeps its place when the viewport changes.
  void SetCenter(int x, int y);
  void GetCenter(int& x, int& y) const;
  // While set, the centre follows the viewport and the wheel is kept inside
  // it.
  void SetAutoReposition(bool bAuto);
  bool GetAutoReposition() const { return m_bAutoReposition; }
  // Let the light direction follow the cursor over the wheel's box.
  void SetLightTracing(bool bTracing) { m_bLightTracing = bTracing; }
  bool IsLightTracing() const { return m_bLightTracing; }

  // Colour setters store the main colour and derive its partners; the new
  // colours show at the next render (no redraw request).
  void SetInnerItemColor(unsigned char r, unsigned char g, unsigned char b, unsigned char a);
  void SetOuterItemColor(unsigned char r, unsigned char g, unsigned char b, unsigned char a);
  void SetHighlightItemColor(unsigned char r, unsigned char g, unsigned char b, unsigned char a);
  void SetToggledItemColor(unsigned char r, unsigned char g, unsigned char b, unsigned char a);
  void SetEdgeColor(unsigned char r, unsigned char g, unsigned char b, unsigned char a);
  void GetInnerItemColor(unsigned char& r, unsigned char& g, unsigned char& b, unsigned char& a) const {
    r = m_colorInnerItem[0], g = m_colorInnerItem[1], b = m_colorInnerItem[2], a = m_colorInnerItem[3];
  }
  void GetOuterItemColor(unsigned char& r, unsigned char& g, unsigned char& b, unsigned char& a) const {
    r = m_colorOuterItem[0], g = m_colorOuterItem[1], b = m_colorOuterItem[2], a = m_colorOuterItem[3];
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

  // The tooltip styles; the interface takes and gives them as int.
  enum ETooltipStyle {
    TOOLTIP_RING_LABELS = 0,  // every outer item's text beside its sector
    TOOLTIP_LIST_PANEL = 1,   // a panel listing every item
    TOOLTIP_HOVER_PANEL = 2,  // a panel under the wheel with the hovered item
  };

  // Chooses the tooltip style (an ETooltipStyle; other values show none),
  // re-lays the panel and the box out and asks for a redraw.
  void SetTooltipStyle(int nTooltipStyle);
  int GetTooltipStyle() const { return m_nTooltipStyle; }

 protected:
  // The hovered item as an iterator into its ring's list; the end of the
  // inner list when nothing is hovered.
  std::vector<SMenuItem>::iterator _GetHoveredItemIterator();
  // Bounds-tested access; throws std::out_of_range for a bad index.
  SMenuItem* _GetInnerItem(unsigned int nIndex);
  const SMenuItem* _GetInnerItem(unsigned int nIndex) const;
  SMenuItem* _GetOuterItem(unsigned int nIndex);
  const SMenuItem* _GetOuterItem(unsigned int nIndex) const;

  // Store a start angle; no re-layout.
  void _SetInnerItemStartDegree(float fDegree);
  void _SetOuterItemStartDegree(float fDegree);

  // Geometry buffers.
  void CalculateInnerItemIndices();
  void CalculateOuterItemIndices();
  void ReleaseInnerItemIndices();
  void ReleaseOuterItemIndices();
  void BuildShadingRatio();
  void BuildCircles();
  void BuildAuxIndices();
  void ReleaseShadingRatio();
  void ReleaseCircles();
  void ReleaseIndices();
  // The wheel's own box, reaching down far enough for one text row under
  // the wheel.
  void CalculateWheelBBox(float* pLower, float* pUpper) const;
  // The widge's box: the wheel's, with the tooltips when they are shown.
  void UpdateBBox();
  // Places the centre from its viewport fractions and keeps the wheel
  // inside the viewport; true when the centre moved.
  bool AdjustCenter();

  // Drawing passes: both rings, the outlines and separators, the icons.
  void RenderFlatDonut();
  void RenderItemEdges();
  void RenderItemImages();

  // Tooltip layout.
  void UpdateInnerItemTooltipLayout(unsigned int nIndex);
  void UpdateOuterItemTooltipLayout(unsigned int nIndex);
  void UpdateTooltipPanelSize();
  void UpdateTooltipPanelPosition();
  // Does nothing; kept for the interface, the library does not call it.
  void UpdateTooltipLayout();
  void BuildTooltipDuckingPosition();
  // Places one item's tooltip at the free ducking position nearest to its
  // sector (an older placement of texts around the ring). Kept for derived
  // menus; the library does not call them.
  void UpdateInnerItemTooltipLayout_old(std::vector<SMenuItem>::iterator& it);
  void UpdateOuterItemTooltipLayout_old(std::vector<SMenuItem>::iterator& it);
  CVrenkTextureText* _GetInnerItemTooltipObject(unsigned int nIndex) const;
  CVrenkTextureText* _GetOuterItemTooltipObject(unsigned int nIndex) const;
  // The widest tooltip of both rings, margins included; 0 when none.
  float _GetMaximumTooltipTextRowWidth() const;
  // The height of one tooltip row: the manager's font height.
  float _GetSingleTooltipTextRowHeight() const;

  // Tooltip drawing, in pixels relative to the centre. RenderTooltips, the
  // style dispatch, is kept for derived menus: the render pass dispatches
  // itself and does not call it.
  void RenderTooltips();
  void _RenderTooltipStyle0();
  void _RenderTooltipStyle1();
  void _RenderTooltipStyle2();
  // The panel of styles 1 and 2 with its top-left corner at the origin.
  void RenderGreatTooltipPanel();
  // Panels behind one item's text; nothing for an item without a text.
  // Kept for derived menus; the library does not call them.
  void RenderTooltipPanel(const SMenuItem* pItem, bool bHighlighted);
  void RenderTooltipPanel2(const SMenuItem* pItem, bool bHighlighted);
  void RenderTooltipPanel3(const SMenuItem* pItem, bool bHighlighted);

  std::vector<SMenuItem> m_vecInnerItems;
  int m_nInnerHoveredIndex;
  int m_nOuterHoveredIndex;
  bool m_bAutoReposition;
  // The centre as fractions of the viewport; NaN on an axis until it could
  // be derived (no manager yet, or a viewport of zero extent on that axis).
  float m_fRelativeCenter[2];
  float m_fCenter[2];
  float m_fRadius;
  float m_fInnerRadiusRatio;
  float m_fImageHalfSize;
  float m_fImageHalfSizeHovered;
  float m_fImageHalfSizePressed;
  float m_fBBoxRatio;
  float m_fTooltipDuckingRatio;
  float m_fInnerItemStartAngle;
  float m_fOuterItemStartAngle;
  unsigned int* m_pInnerItemIndices;  // first rim vertex of each inner item
  unsigned int* m_pOuterItemIndices;  // first rim vertex of each outer item
  bool m_bLightTracing;
  unsigned int m_nLightVertex;    // rim vertex facing the light
  float* m_pShadingRatio;         // per rim vertex, both rims: 0 lit .. 1 shaded
  float* m_pInnerCircleVertices;  // inner rim, x y z
  float* m_pOuterCircleVertices;  // outer rim, x y z
  unsigned int* m_pAuxIndices;    // offset of each rim vertex; entry 128 wraps to 0
  bool m_bAlwaysShowInnerDisk;
  unsigned char m_colorInnerItemCenter[4];
  unsigned char m_colorInnerItemLit[4];
  unsigned char m_colorInnerItem[4];
  unsigned char m_colorOuterItemLit[4];
  unsigned char m_colorOuterItem[4];
  unsigned char m_colorHighlightLit[4];
  unsigned char m_colorHighlight[4];
  unsigned char m_colorToggledLit[4];
  unsigned char m_colorToggled[4];
  unsigned char m_colorEdgeEnd[4];
  unsigned char m_colorEdge[4];
  unsigned char m_colorRimFade[4];
  unsigned char m_colorRimShadow[4];
  int m_nTooltipStyle;
  std::vector<STooltipDuckingPosition> m_vecTooltipDuckingPositions;
  double m_dTooltipPanelPosition[3];  // panel top-left, relative to the centre
  float m_fTooltipPanelSize[2];
  float m_fTooltipPanelInset;        // between the panel edge and its content
  double m_dTooltipTextOrigin[3];    // top-left of the first panel row
  float m_fTooltipContentSize[2];

 private:
  // Which ring a helper works on.
  enum ERing { RING_INNER, RING_OUTER };

  std::vector<SMenuItem>& Items(ERing eRing) { return eRing == RING_INNER ? m_vecInnerItems : m_vecItems; }
  const std::vector<SMenuItem>& Items(ERing eRing) const {
    return eRing == RING_INNER ? m_vecInnerItems : m_vecItems;
  }
  // The item at nIndex of a ring, or null for a bad index.
  const SMenuItem* ItemAt(ERing eRing, unsigned int nIndex) const;
  SMenuItem* ItemAt(ERing eRing, unsigned int nIndex);
  // Lays a freshly made tooltip text out and updates the panel; nothing
  // for an item without a text.
  void LayOutNewTooltip(ERing eRing, unsigned int nIndex);
  // Makes the ring's start vertices match its item count when items were
  // added or removed without a re-layout.
  void SyncItemIndices();
  // Derives the viewport fractions of the current centre where the
  // viewport allows it.
  void DeriveRelativeCenter();
  // The rim, shading and offset buffers exist (from Init to Release).
  bool HasGeometry() const {
    return m_pInnerCircleVertices != nullptr && m_pOuterCircleVertices != nullptr &&
           m_pShadingRatio != nullptr && m_pAuxIndices != nullptr;
  }
  // Brings the start vertices up to date for drawing; false without
  // geometry (before Init or after Release).
  bool ReadyToDraw() {
    if (!HasGeometry()) return false;
    SyncItemIndices();
    return true;
  }
  // An item of a ring as the drawing sees it: through the virtual inner and
  // outer readers, so that a derived class answers for its items.
  int RingItemSize(ERing eRing) const;
  bool IsRingItemEnabled(ERing eRing, unsigned int nIndex) const;
  bool IsRingItemToggled(ERing eRing, unsigned int nIndex) const;
  CVrenkImageBase* GetRingItemImage(ERing eRing, unsigned int nIndex) const;
  unsigned int GetRingItemTextureName(ERing eRing, unsigned int nIndex) const;
  CVrenkTextureText* GetRingItemTooltipObject(ERing eRing, unsigned int nIndex) const;
  // The older ring placement of one item's text: its ring point at fRing
  // pixels in the middle of its sector, its corner from the nearest free
  // ducking position, anchored there or, with bAnchorOnRim, just outside
  // the rim.
  void PlaceOnDuckingRing(SMenuItem& item, std::ptrdiff_t nIndex, size_t nCount, float fStartAngle, float fRing,
                          bool bAnchorOnRim);
  // A ring's rim with the shared offsets and shading ratios.
  paint::SRim RimOf(ERing eRing) const;
  // The look of item i of a ring, from its state as the readers report it.
  void GetRingItemLook(ERing eRing, int nIndex, layout::SItemLook* pLook) const;
  // What the drawing depends on, for the replay of an unchanged look.
  void AddDrawInputs(menu::CMenuDrawing& drawing) const;
  // The rows of the list panel (style 1) and the hover panel (style 2).
  void EmitListPanelRows();
  void EmitHoverPanel();
  // One panel row of an item at (x, y), its top-left corner in pixels: the
  // icon, then the text in pTextColor; nothing for an item without a text.
  void EmitPanelRow(render::CDrawList& list, ERing eRing, unsigned int nIndex, float x, float y,
                    const unsigned char* pTextColor);

  // Entries in m_pInnerItemIndices and m_pOuterItemIndices.
  unsigned int m_nInnerIndexCount;
  unsigned int m_nOuterIndexCount;
  // The recorded draw list and the inputs it was made from.
  menu::CMenuDrawing* m_pDrawing;
  // The manager's screen scale the pixel sizes (radius, inset, margins,
  // line widths, the texts' layout) are at.
  float m_fAppliedScale = 1.0f;
  // Brings the pixel sizes to the manager's scale; the texts are laid out
  // again at it.
  void ApplyScale();

  friend struct menu::SDrawingAccess;

  // The selection code reads the centre, radius, rings and hovered items.
  friend class CVrenkMenuSelection;
};

}  // namespace VrenkGLWidge

#endif  // VRENK_DOUBLE_WHEEL_MENU_H
