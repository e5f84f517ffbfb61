// VrenkTextureFontManager.cpp - rasterising strings with a GDI font into
// textures of white glyphs, and the cache that shares them by string.
#include "VrenkTextureFontManager.h"
#include "VrenkResult.h"

#include "common/user_locale.h"
#include "render/texture.h"

#include <cassert>
#include <climits>
#include <clocale>
#include <cstring>
#include <locale>
#include <memory>
#include <vector>

namespace VrenkGLWidge {

const unsigned char CVrenkTextureFontManager::DEFAULT_COLOR_R;
const unsigned char CVrenkTextureFontManager::DEFAULT_COLOR_G;
const unsigned char CVrenkTextureFontManager::DEFAULT_COLOR_B;
const unsigned char CVrenkTextureFontManager::DEFAULT_COLOR_A;
const unsigned char CVrenkTextureFontManager::DEFAULT_BG_COLOR_R;
const unsigned char CVrenkTextureFontManager::DEFAULT_BG_COLOR_G;
const unsigned char CVrenkTextureFontManager::DEFAULT_BG_COLOR_B;
const unsigned char CVrenkTextureFontManager::DEFAULT_BG_COLOR_A;

namespace {

// Deletes a GDI object when it goes out of scope.
class CGdiObjectScope {
 public:
  explicit CGdiObjectScope(HGDIOBJ hObject) : m_hObject(hObject) {}
  ~CGdiObjectScope() {
    if (m_hObject != nullptr) DeleteObject(m_hObject);
  }
  CGdiObjectScope(const CGdiObjectScope&) = delete;
  CGdiObjectScope& operator=(const CGdiObjectScope&) = delete;

 private:
  HGDIOBJ m_hObject;
};

// One row of a text: the string drawn, its measured size and its place in
// the bitmap.
struct SRow {
  std::string strText;
  unsigned int nWidth = 0;
  unsigned int nHeight = 0;
  unsigned int nTop = 0;
};

// Measures a row in the DC's font; false when GDI cannot.
bool MeasureRow(HDC hDC, SRow& row) {
  if (row.strText.size() > static_cast<size_t>(INT_MAX)) return false;
  SIZE size = {0, 0};
  if (!GetTextExtentPoint32A(hDC, row.strText.data(), static_cast<int>(row.strText.size()), &size)) return false;
  if (size.cx < 0 || size.cy < 0) return false;
  row.nWidth = static_cast<unsigned int>(size.cx);
  row.nHeight = static_cast<unsigned int>(size.cy);
  return true;
}

// The smallest power of two not less than n (1 for n up to 1).
unsigned long long TextureSize(unsigned long long n) {
  unsigned long long size = 1;
  while (size < n) size <<= 1;
  return size;
}

// Whether the pixel at column x of a device-dependent bitmap row is white,
// the background GDI filled. False for depths that are not handled.
bool IsBackground(const unsigned char* pRow, unsigned int x, int nBitsPixel) {
  switch (nBitsPixel) {
    case 32:
    case 24: {
      const unsigned char* p = pRow + x * static_cast<unsigned int>(nBitsPixel / 8);
      return p[0] == 255 && p[1] == 255 && p[2] == 255;
    }
    case 16: {
      // 5-5-5 or 5-6-5: white has every colour bit set in both.
      const unsigned int v = pRow[x * 2] | (pRow[x * 2 + 1] << 8);
      return (v & 0x7FFF) == 0x7FFF;
    }
    case 1:
      return (pRow[x >> 3] & (0x80 >> (x & 7))) != 0;
    default:
      return false;
  }
}

// Turns the bitmap GDI drew into texels: opaque white where anything was
// drawn (anti-aliased edges included), transparent white elsewhere. pDst
// holds nWidth * nHeight RGBA texels and may be pSrc itself for 32-bit
// rows without padding.
void ConvertToTexels(const unsigned char* pSrc, unsigned int nWidthBytes, int nBitsPixel, unsigned int nWidth,
                     unsigned int nHeight, unsigned char* pDst) {
  for (unsigned int y = 0; y < nHeight; ++y) {
    const unsigned char* pRow = pSrc + static_cast<size_t>(y) * nWidthBytes;
    unsigned char* pOut = pDst + static_cast<size_t>(y) * nWidth * 4;
    for (unsigned int x = 0; x < nWidth; ++x, pOut += 4) {
      if (IsBackground(pRow, x, nBitsPixel)) {
        pOut[0] = CVrenkTextureFontManager::DEFAULT_BG_COLOR_R;
        pOut[1] = CVrenkTextureFontManager::DEFAULT_BG_COLOR_G;
        pOut[2] = CVrenkTextureFontManager::DEFAULT_BG_COLOR_B;
        pOut[3] = CVrenkTextureFontManager::DEFAULT_BG_COLOR_A;
      } else {
        pOut[0] = CVrenkTextureFontManager::DEFAULT_COLOR_R;
        pOut[1] = CVrenkTextureFontManager::DEFAULT_COLOR_G;
        pOut[2] = CVrenkTextureFontManager::DEFAULT_COLOR_B;
        pOut[3] = CVrenkTextureFontManager::DEFAULT_COLOR_A;
      }
    }
  }
}

// A string rasterised by GDI: its rows, the bitmap's size and bytes as GDI
// gave them, and the power-of-two texture size that holds it.
struct SRaster {
  std::vector<SRow> vecRows;
  unsigned int nWidth = 0;
  unsigned int nHeight = 0;
  unsigned long long nTextureWidth = 1;
  unsigned long long nTextureHeight = 1;
  std::vector<unsigned char> vecBits;  // top row first
  unsigned int nWidthBytes = 0;
  int nBitsPixel = 0;
};

// Cuts the string into rows and measures them: the whole string with a
// trailing space, or one row per word with a space after every word but the
// last. Words are cut at single spaces only (tabs stay inside words), up to
// the string's first zero. Then the bitmap and texture sizes.
bool MeasureRows(HDC hMemDC, const std::string& strText, bool bSplitWords, SRaster* pRaster) {
  std::vector<SRow>& vecRows = pRaster->vecRows;
  unsigned long long nTotalHeight = 0;
  if (bSplitWords) {
    const std::string strWords(strText.c_str());
    size_t nPos = 0;
    while ((nPos = strWords.find_first_not_of(' ', nPos)) != std::string::npos) {
      size_t nEnd = strWords.find(' ', nPos);
      if (nEnd == std::string::npos) nEnd = strWords.size();
      SRow row;
      row.strText.assign(strWords, nPos, nEnd - nPos);
      row.strText += ' ';
      if (!MeasureRow(hMemDC, row)) return false;
      nTotalHeight += row.nHeight;
      vecRows.push_back(std::move(row));
      nPos = nEnd;
    }
    if (!vecRows.empty()) {
      // The total height keeps the last row's first measure.
      SRow& last = vecRows.back();
      last.strText.pop_back();
      if (!MeasureRow(hMemDC, last)) return false;
    }
  } else {
    SRow row;
    row.strText = strText + ' ';
    if (!MeasureRow(hMemDC, row)) return false;
    nTotalHeight = row.nHeight;
    vecRows.push_back(std::move(row));
  }

  unsigned long long nMaxWidth = 0;
  for (const SRow& row : vecRows) nMaxWidth = row.nWidth > nMaxWidth ? row.nWidth : nMaxWidth;
  const unsigned long long nBitmapWidth = nMaxWidth + 2;
  const unsigned long long nBitmapHeight = nTotalHeight + 2;
  pRaster->nTextureWidth = TextureSize(nBitmapWidth);
  pRaster->nTextureHeight = TextureSize(nBitmapHeight);
  if (nBitmapWidth > UINT_MAX || nBitmapHeight > UINT_MAX) return false;
  pRaster->nWidth = static_cast<unsigned int>(nBitmapWidth);
  pRaster->nHeight = static_cast<unsigned int>(nBitmapHeight);
  unsigned int nTop = 1;
  for (SRow& row : vecRows) {
    row.nTop = nTop;
    nTop += row.nHeight;
  }
  return true;
}

// Draws the rows black on white, one below the other with a one-pixel
// border at the left and top, and reads the bitmap back, top row first.
bool DrawRows(HDC hRefDC, HDC hMemDC, SRaster* pRaster) {
  const unsigned int nWidth = pRaster->nWidth;
  const unsigned int nHeight = pRaster->nHeight;
  HBITMAP hBitmap = CreateCompatibleBitmap(hRefDC, static_cast<int>(nWidth), static_cast<int>(nHeight));
  if (hBitmap == nullptr) return false;
  CGdiObjectScope bitmapScope(hBitmap);
  HGDIOBJ hOldBitmap = SelectObject(hMemDC, hBitmap);
  if (hOldBitmap == nullptr) return false;
  HBRUSH hWhite = CreateSolidBrush(RGB(255, 255, 255));
  RECT rcAll = {0, 0, static_cast<LONG>(nWidth), static_cast<LONG>(nHeight)};
  FillRect(hMemDC, &rcAll, hWhite);
  DeleteObject(hWhite);
  for (const SRow& row : pRaster->vecRows) {
    RECT rc = {1, static_cast<LONG>(row.nTop), static_cast<LONG>(row.nWidth + 1),
               static_cast<LONG>(row.nTop + row.nHeight)};
    DrawTextA(hMemDC, row.strText.c_str(), -1, &rc, DT_CENTER | DT_BOTTOM);
  }
  SelectObject(hMemDC, hOldBitmap);

  // Depths other than 32 bits keep their own row layout for the conversion.
  BITMAP bm;
  std::memset(&bm, 0, sizeof(bm));
  if (GetObjectW(hBitmap, static_cast<int>(sizeof(BITMAP)), &bm) == 0) return false;
  const int nBitsPixel = bm.bmBitsPixel;
  const unsigned long long nMinWidthBytes = (static_cast<unsigned long long>(nWidth) * nBitsPixel + 7) / 8;
  if (bm.bmWidth != static_cast<LONG>(nWidth) || bm.bmHeight != static_cast<LONG>(nHeight) ||
      bm.bmWidthBytes <= 0 || static_cast<unsigned long long>(bm.bmWidthBytes) < nMinWidthBytes ||
      (nBitsPixel != 32 && nBitsPixel != 24 && nBitsPixel != 16 && nBitsPixel != 1)) {
    return false;
  }
  const size_t nBitmapBytes = static_cast<size_t>(bm.bmWidthBytes) * nHeight;
  if (nBitmapBytes > static_cast<size_t>(LONG_MAX)) return false;
  pRaster->vecBits.resize(nBitmapBytes);
  if (GetBitmapBits(hBitmap, static_cast<LONG>(nBitmapBytes), pRaster->vecBits.data()) !=
      static_cast<LONG>(nBitmapBytes)) {
    return false;
  }
  pRaster->nWidthBytes = static_cast<unsigned int>(bm.bmWidthBytes);
  pRaster->nBitsPixel = nBitsPixel;
  return true;
}

}  // namespace

CVrenkTextureFontManager::CVrenkTextureFontManager()
    : m_hRefDC(nullptr), m_hMemDC(nullptr), m_hOldFont(nullptr), m_hFont(nullptr), m_LogFont(), m_TextMetric() {}

CVrenkTextureFontManager::~CVrenkTextureFontManager() { Release(); }

int CVrenkTextureFontManager::Init(HDC hDC, int nHeight) {
  LOGFONTW logFont;
  std::memset(&logFont, 0, sizeof(logFont));
  logFont.lfHeight = nHeight;
  logFont.lfWidth = 0;
  logFont.lfEscapement = 0;
  logFont.lfOrientation = 0;
  logFont.lfWeight = FW_NORMAL;
  logFont.lfItalic = 0;
  logFont.lfUnderline = 0;
  logFont.lfStrikeOut = 0;
  logFont.lfCharSet = DEFAULT_CHARSET;
  logFont.lfOutPrecision = OUT_DEFAULT_PRECIS;
  logFont.lfClipPrecision = CLIP_CHARACTER_PRECIS;
  logFont.lfQuality = DEFAULT_QUALITY;
  logFont.lfPitchAndFamily = 0;
  // An empty face name lets GDI pick the face.
  return Init(hDC, logFont);
}

int CVrenkTextureFontManager::Init(HDC hDC, LOGFONTW logFont) {
  if (hDC == nullptr) return RESULT_NULL_ARGUMENT;
  assert(m_hMemDC == nullptr && m_hFont == nullptr && "CVrenkTextureFontManager::Init: call Release() first");
  m_hRefDC = hDC;
  m_hMemDC = CreateCompatibleDC(hDC);
  m_LogFont = logFont;
  m_hFont = CreateFontIndirectW(&m_LogFont);
  m_hOldFont = SelectObject(m_hMemDC, m_hFont);
  if (!GetTextMetricsW(m_hMemDC, &m_TextMetric)) std::memset(&m_TextMetric, 0, sizeof(m_TextMetric));
  return 0;
}

int CVrenkTextureFontManager::Init(HDC hDC, HFONT hFont) {
  if (hDC == nullptr || hFont == nullptr) return RESULT_NULL_ARGUMENT;
  assert(m_hMemDC == nullptr && m_hFont == nullptr && "CVrenkTextureFontManager::Init: call Release() first");
  m_hRefDC = hDC;
  m_hMemDC = CreateCompatibleDC(hDC);
  m_hFont = hFont;
  m_hOldFont = SelectObject(m_hMemDC, m_hFont);
  std::memset(&m_LogFont, 0, sizeof(m_LogFont));
  GetObjectW(m_hFont, static_cast<int>(sizeof(LOGFONTW)), &m_LogFont);
  if (!GetTextMetricsW(m_hMemDC, &m_TextMetric)) std::memset(&m_TextMetric, 0, sizeof(m_TextMetric));
  return 0;
}

int CVrenkTextureFontManager::Release() {
  if (!m_mapTexts.empty()) {
    for (auto& entry : m_mapTexts) _DestroyText(entry.second.pText);
    m_mapTexts.clear();
  }
  // The memory DC goes even when no font could be selected into it.
  if (m_hMemDC != nullptr) {
    if (m_hOldFont != nullptr) SelectObject(m_hMemDC, m_hOldFont);
    DeleteDC(m_hMemDC);
  }
  m_hMemDC = nullptr;
  m_hOldFont = nullptr;
  if (m_hFont != nullptr) DeleteObject(m_hFont);
  m_hFont = nullptr;
  m_hRefDC = nullptr;
  return 0;
}

CVrenkTextureText* CVrenkTextureFontManager::CreateText(const std::string& strText, bool bSplitWords) {
  if (!m_mapTexts.empty()) {
    auto it = m_mapTexts.find(strText);
    if (it != m_mapTexts.end()) {
      ++it->second.nRefCount;
      return it->second.pText;
    }
  }
  CVrenkTextureText* pText = _CreateText(strText, bSplitWords);
  if (pText == nullptr) return nullptr;
  try {
    m_mapTexts.emplace(strText, STextSlot{1, pText});
  } catch (...) {
    _DestroyText(pText);
    throw;
  }
  return pText;
}

int CVrenkTextureFontManager::DestroyText(CVrenkTextureText* pText) {
  if (pText == nullptr || m_mapTexts.empty()) return RESULT_NOT_FOUND;
  for (auto& entry : m_mapTexts) {
    if (entry.second.pText == pText) {
      if (entry.second.nRefCount > 0) --entry.second.nRefCount;
      return 0;
    }
  }
  return RESULT_NOT_FOUND;
}

int CVrenkTextureFontManager::GarbageCollection() {
  if (m_mapTexts.empty()) return 0;
  int nDestroyed = 0;
  for (auto it = m_mapTexts.begin(); it != m_mapTexts.end();) {
    if (it->second.nRefCount == 0) {
      _DestroyText(it->second.pText);
      it = m_mapTexts.erase(it);
      ++nDestroyed;
    } else {
      ++it;
    }
  }
  return nDestroyed;
}

unsigned int CVrenkTextureFontManager::GetFontHeight() const {
  return static_cast<unsigned int>(m_TextMetric.tmHeight);
}

void CVrenkTextureFontManager::_DestroyText(CVrenkTextureText* pText) { delete pText; }

namespace {

// A string rasterised into texels: the rows, the bitmap's size, and the
// white-on-transparent pixels, ready for upload into a texture of the
// power-of-two size. False when GDI cannot, or the texture would be larger
// than the current context can hold (or there is no context to ask).
bool RasterizeText(HDC hRefDC, HDC hMemDC, const std::string& strText, bool bSplitWords, SRaster* pRaster,
                   std::unique_ptr<unsigned char[]>* pTexels) {
  {
    CUserLocaleScope localeScope;
    if (!MeasureRows(hMemDC, strText, bSplitWords, pRaster)) return false;
    // Checked before any drawing.
    GLint nMaxTextureSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &nMaxTextureSize);
    if (nMaxTextureSize <= 0 || pRaster->nTextureWidth > static_cast<unsigned long long>(nMaxTextureSize) ||
        pRaster->nTextureHeight > static_cast<unsigned long long>(nMaxTextureSize)) {
      return false;
    }
    if (!DrawRows(hRefDC, hMemDC, pRaster)) return false;
  }
  pTexels->reset(new unsigned char[static_cast<size_t>(pRaster->nWidth) * pRaster->nHeight * 4]);
  ConvertToTexels(pRaster->vecBits.data(), pRaster->nWidthBytes, pRaster->nBitsPixel, pRaster->nWidth,
                  pRaster->nHeight, pTexels->get());
  return true;
}

// Power-of-two storage; only the bitmap's rectangle is uploaded.
unsigned int UploadText(const SRaster& raster, const unsigned char* pTexels) {
  const render::STextureUpload upload = {raster.nWidth, raster.nHeight,
                                         static_cast<unsigned int>(raster.nTextureWidth),
                                         static_cast<unsigned int>(raster.nTextureHeight), pTexels, false};
  return render::CreateTexture(upload);
}

}  // namespace

namespace text {

// Writes a rasterisation into a text object, which the font manager made.
struct SRasterAccess {
  static void SetRows(CVrenkTextureText* pText, const SRaster& raster) {
    const float fTexWidth = static_cast<float>(raster.nTextureWidth);
    const float fTexHeight = static_cast<float>(raster.nTextureHeight);
    for (unsigned int k = 0; k < raster.vecRows.size(); ++k) {
      const SRow& row = raster.vecRows[k];
      pText->SetWordRect(k, row.nWidth, row.nHeight, 1.0f / fTexWidth,
                         static_cast<float>(row.nTop + row.nHeight) / fTexHeight,
                         static_cast<float>(row.nWidth + 1) / fTexWidth, static_cast<float>(row.nTop) / fTexHeight);
    }
  }
  // Puts a new rasterisation in place of the object's: texture, pixels,
  // bitmap and rows. The layout is the caller's to redo.
  static void Replace(CVrenkTextureText* pText, const SRaster& raster, unsigned int nTexture,
                      std::unique_ptr<unsigned char[]> pPixels) {
    const unsigned int nRows = static_cast<unsigned int>(raster.vecRows.size());
    if (nRows != pText->m_nWordCount) {
      CVrenkTextureText::SWordRect* pRects = new CVrenkTextureText::SWordRect[nRows];
      delete[] pText->m_pWordRects;
      pText->m_pWordRects = pRects;
      pText->m_pWordRectsEnd = pRects + nRows;
      pText->m_nWordCount = nRows;
    }
    if (pText->m_nTextureName != 0) {
      const GLuint nOld = pText->m_nTextureName;
      glDeleteTextures(1, &nOld);
    }
    pText->m_nTextureName = nTexture;
    delete[] pText->m_pPixels;
    pText->m_pPixels = pPixels.release();
    pText->m_nBytesPerPixel = 4;
    pText->m_nBitmapWidth = raster.nWidth;
    pText->m_nBitmapHeight = raster.nHeight;
    SetRows(pText, raster);
  }
  static unsigned int RowCount(const CVrenkTextureText* pText) { return pText->m_nWordCount; }
};

}  // namespace text

CVrenkTextureText* CVrenkTextureFontManager::_CreateText(const std::string& strText, bool bSplitWords) {
  if (m_hRefDC == nullptr || m_hMemDC == nullptr || m_hFont == nullptr || strText.empty()) return nullptr;
  SRaster raster;
  std::unique_ptr<unsigned char[]> pPixels;
  if (!RasterizeText(m_hRefDC, m_hMemDC, strText, bSplitWords, &raster, &pPixels)) return nullptr;
  GLuint nTexture = UploadText(raster, pPixels.get());

  CVrenkTextureText* pText = nullptr;
  try {
    pText = new CVrenkTextureText(this, strText, nTexture, 4, raster.nWidth, raster.nHeight, pPixels.get(),
                                  static_cast<unsigned int>(raster.vecRows.size()));
  } catch (...) {
    if (nTexture != 0) glDeleteTextures(1, &nTexture);
    throw;
  }
  pPixels.release();
  text::SRasterAccess::SetRows(pText, raster);
  return pText;
}

int CVrenkTextureFontManager::SetFontHeight(int nHeight) {
  if (m_hMemDC == nullptr || m_hFont == nullptr) return RESULT_NULL_ARGUMENT;
  LOGFONTW logFont = m_LogFont;
  logFont.lfHeight = nHeight;
  HFONT hFont = CreateFontIndirectW(&logFont);
  if (hFont == nullptr) return RESULT_OK;  // the old font stays
  SelectObject(m_hMemDC, hFont);
  DeleteObject(m_hFont);
  m_hFont = hFont;
  m_LogFont = logFont;
  if (!GetTextMetricsW(m_hMemDC, &m_TextMetric)) std::memset(&m_TextMetric, 0, sizeof(m_TextMetric));

  for (auto& entry : m_mapTexts) {
    CVrenkTextureText* pText = entry.second.pText;
    // Texts of several rows were made one row per word.
    const bool bSplitWords = text::SRasterAccess::RowCount(pText) > 1;
    SRaster raster;
    std::unique_ptr<unsigned char[]> pPixels;
    if (!RasterizeText(m_hRefDC, m_hMemDC, entry.first, bSplitWords, &raster, &pPixels)) continue;
    const GLuint nTexture = UploadText(raster, pPixels.get());
    text::SRasterAccess::Replace(pText, raster, nTexture, std::move(pPixels));
  }
  return RESULT_OK;
}

}  // namespace VrenkGLWidge
