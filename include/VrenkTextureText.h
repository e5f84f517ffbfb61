// VrenkTextureText.h - one rasterised string: its texture, its pixels and
// the quads that place its rows in 3D.
#ifndef VRENK_TEXTURE_TEXT_H
#define VRENK_TEXTURE_TEXT_H

#include <string>

#include "VrenkPlatform.h"

namespace VrenkGLWidge {

class CVrenkTextureFontManager;
namespace render {
struct STextEmitter;
}  // namespace render
namespace text {
struct SRasterAccess;
}  // namespace text

// A string rasterised by a CVrenkTextureFontManager into a texture of white
// glyphs on transparent texels, one row for the whole string or one row per
// word. Rows are laid out as quads in a local frame (x along the text, y up,
// z the plane normal; row tops on y = 0, bodies below) and placed in the
// caller's coordinates by a transform. The text takes the current GL colour
// when drawn. Only the font manager creates and destroys these objects.
class VRENK_API CVrenkTextureText {
 public:
  // Corners of a quad and of the layout box.
  enum EQuadPointIndex {
    QUAD_BOTTOM_LEFT = 0,
    QUAD_BOTTOM_RIGHT = 1,
    QUAD_TOP_RIGHT = 2,
    QUAD_TOP_LEFT = 3,
  };

  // One rasterised row. Texture t runs down the bitmap, so fTexTop is less
  // than fTexBottom.
  struct SWordRect {
    unsigned int nWidth;   // pixels, as measured
    unsigned int nHeight;  // pixels, as measured
    float fTexLeft;
    float fTexBottom;
    float fTexRight;
    float fTexTop;
    float fCorner[4][3];  // the row's quad in the local frame, by EQuadPointIndex
  };

  CVrenkTextureText(const CVrenkTextureText&) = delete;
  CVrenkTextureText& operator=(const CVrenkTextureText&) = delete;

  // Lays the rows out left to right from the local origin, starting a new
  // line when a row would take the line past fWrapWidth (when it is above
  // 0), widens the layout box by fMargin on the left and right, and places
  // the box so that its corner eCorner lands on fAnchor (exactly so when the
  // directions are the x and z axes). Any eCorner other than the four
  // corners counts as QUAD_BOTTOM_LEFT. Returns 0.
  int SetLayout(const float* fLateralDir, const float* fNormalDir, EQuadPointIndex eCorner, const float* fAnchor,
                float fWrapWidth, float fMargin);
  // Lays the rows out directly in the caller's coordinates from fOrigin,
  // along fLateralDir in the plane with normal fNormalDir, scaled so that
  // each row is fRowHeight high; a row that would take the line past
  // fWrapWidth starts a new line (a wrap width of 0 puts every row on its
  // own line). The transform and bounds keep their last values. Returns 0.
  int SetLayout(const float* fLateralDir, const float* fNormalDir, const float* fOrigin, float fWrapWidth,
                float fRowHeight);

  // A corner of the placed layout box (three floats).
  const float* GetBound(EQuadPointIndex eCorner) const;
  // The length of the placed box's bottom edge.
  float GetBottomWidth() const;
  // The length of the placed box's left edge.
  float GetLeftHeight() const;
  const std::string& GetText() const;

  // Draws the rows in the current colour, through the placement transform
  // on top of the current model-view matrix. GL state is restored. Returns 0.
  int Render();
  // Draws as Render, under a projection of one unit per viewport pixel with
  // the origin at the viewport's lower left. Returns 0.
  int RenderInViewportCoordinate();

 protected:
  friend class CVrenkTextureFontManager;
  // Hands the laid-out rows to the library's draw lists.
  friend struct render::STextEmitter;
  // Gives the object its rasterised rows, when it is made and when its
  // font changes.
  friend struct text::SRasterAccess;

  // Takes ownership of the texture and of pPixels (an array); the rows are
  // set afterwards with SetWordRect.
  CVrenkTextureText(CVrenkTextureFontManager* pManager, const std::string& strText, unsigned int nTextureName,
                    unsigned int nBytesPerPixel, unsigned int nBitmapWidth, unsigned int nBitmapHeight,
                    unsigned char* pPixels, unsigned int nWordCount);
  // Deletes the texture, so it runs with a GL context current.
  virtual ~CVrenkTextureText();

  // Sets a row's size and texture coordinates; nIndex must be below the row
  // count.
  void SetWordRect(unsigned int nIndex, unsigned int nWidth, unsigned int nHeight, float fTexLeft, float fTexBottom,
                   float fTexRight, float fTexTop);

  // The placement transform: columns x = fLateralDir normalised, y = z × x,
  // z = fNormalDir normalised, and the translation. Returns 0.
  int _CalculateTransformMatrix(const float* fLateralDir, const float* fNormalDir, const float* fTranslation);
  // Fills the rows' corners in the local frame and the layout box. Returns 0.
  int _ArrangeTextQuads(float fWrapWidth, float fMargin);

  // Three-component vector helpers. None checks for zero length.
  static void Assign(float* dst, const float* src);
  static void Normalize(float* dst, const float* src);
  static float DotProduct(const float* a, const float* b);
  static void CrossProduct(float* dst, const float* a, const float* b);
  static void Add(float* dst, const float* a, const float* b, float s);
  static void Add(float* dst, const float* a, const float* b);
  static float Distance(const float* a, const float* b);
  // Despite its name, true when a and b coincide: their squared distance is
  // below 1e-8.
  static bool Different(const float* a, const float* b);
  static void Combine(float* dst, float s1, const float* a, float s2, const float* b, float s3, const float* c);
  // The point v through the column-major 4 by 4 matrix m (w = 1, no division).
  static void Transform(float* dst, const double* m, const float* v);

  CVrenkTextureFontManager* m_pOwner;
  std::string m_strText;
  unsigned int m_nTextureName;
  unsigned int m_nBytesPerPixel;
  unsigned int m_nBitmapWidth;
  unsigned int m_nBitmapHeight;
  unsigned char* m_pPixels;  // top row first
  unsigned int m_nWordCount;
  SWordRect* m_pWordRects;
  SWordRect* m_pWordRectsEnd;
  double m_dTransform[16];  // column-major
  float m_fBoxMin[3];
  float m_fBoxMax[3];
  float m_fBound[4][3];
};

}  // namespace VrenkGLWidge

#endif  // VRENK_TEXTURE_TEXT_H
