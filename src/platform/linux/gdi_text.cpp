// gdi_text.cpp - GDI's text functions over FreeType and fontconfig: fonts,
// memory DCs with their bitmaps, solid brushes, and measuring and drawing
// one line of UTF-8 text.
//
// [SECTION] State, stock objects and handle checks
// [SECTION] UTF-8
// [SECTION] Fonts: matching, sizing, metrics, glyph cache
// [SECTION] Bitmaps and pixels
// [SECTION] Entry points
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstring>
#include <mutex>
#include <new>
#include <string>
#include <unordered_map>

#include "platform/linux/internal.h"

namespace VrenkGLWidge {
namespace platform {

// One cached glyph: its advance and, once rendered, its coverage.
struct CachedGlyph {
  LONG advance = 0;  // whole pixels
  bool rendered = false;
  int left = 0;  // ink origin relative to the pen, y up from the baseline
  int top = 0;
  int width = 0;
  int rows = 0;
  std::vector<uint8_t> coverage;  // width * rows, 0 to 255
};

struct GlyphFace {
  FT_Face face = nullptr;
  FT_Int32 loadFlags = FT_LOAD_DEFAULT;
  FT_Render_Mode renderMode = FT_RENDER_MODE_NORMAL;
  bool embolden = false;
  // Glyphs measured are nearly always drawn next, so at ordinary sizes one
  // load gives both; very large glyphs are only rendered when drawn.
  bool renderOnMeasure = true;
  std::unordered_map<char32_t, CachedGlyph> glyphs;
};

namespace {

// ---------------------------------------------------------------------------
// [SECTION] State, stock objects and handle checks
// ---------------------------------------------------------------------------

// Glyphs a font keeps before its cache starts over.
constexpr size_t kMaxCachedGlyphs = 4096;
// Font sizes beyond this many pixels are clamped: no texture could hold them.
constexpr long kMaxFontPixels = 16384;
// Fonts up to this cell height render glyphs as soon as they are measured.
constexpr LONG kRenderOnMeasurePixels = 256;
// The largest bitmap the layer makes, in bytes.
constexpr long long kMaxBitmapBytes = 1LL << 28;

struct GdiState {
  std::mutex mutex;
  bool libraryTried = false;
  FT_Library library = nullptr;
  GdiFont* systemFont = nullptr;
  GdiFont* guiFont = nullptr;
  GdiBrush* whiteBrush = nullptr;
  GdiBrush* blackBrush = nullptr;
  GdiBitmap* defaultBitmap = nullptr;
};

// Never destroyed: stock objects stay valid for static destructors of hosts.
GdiState& State() {
  static GdiState* state = new GdiState;
  return *state;
}

FT_Library Library(GdiState& s) {
  if (!s.libraryTried) {
    s.libraryTried = true;
    if (FT_Init_FreeType(&s.library) != 0) s.library = nullptr;
  }
  return s.library;
}

GlyphFace* OpenFace(GdiState& s, const LOGFONTW& lf, TEXTMETRICW* tm);

GdiFont* MakeStockFont(GdiState& s, LONG height) {
  GdiFont* font = new GdiFont;
  font->logFont.lfHeight = height;
  font->logFont.lfWeight = FW_NORMAL;
  font->stock = true;
  font->face = OpenFace(s, font->logFont, &font->metrics);
  RegisterGdiObject(font, OBJ_FONT);
  return font;
}

GdiBrush* MakeStockBrush(COLORREF color) {
  GdiBrush* brush = new GdiBrush;
  brush->color = color;
  brush->stock = true;
  RegisterGdiObject(brush, OBJ_BRUSH);
  return brush;
}

// The stock objects, made on first use. Callers hold the state's lock.
void EnsureStockObjects(GdiState& s) {
  if (s.whiteBrush != nullptr) return;
  s.whiteBrush = MakeStockBrush(0xFFFFFF);
  s.blackBrush = MakeStockBrush(0);
  s.systemFont = MakeStockFont(s, 16);
  s.guiFont = MakeStockFont(s, -11);
  GdiBitmap* bitmap = new GdiBitmap;
  bitmap->width = 1;
  bitmap->height = 1;
  bitmap->widthBytes = 2;
  bitmap->bitsPixel = 1;
  bitmap->bits.assign(2, 0);
  bitmap->stock = true;
  RegisterGdiObject(bitmap, OBJ_BITMAP);
  s.defaultBitmap = bitmap;
}

GdiFont* AsFont(HGDIOBJ h) {
  return LiveGdiObjectType(h) == OBJ_FONT ? static_cast<GdiFont*>(static_cast<HFONT__*>(h)) : nullptr;
}
GdiBitmap* AsBitmap(HGDIOBJ h) {
  return LiveGdiObjectType(h) == OBJ_BITMAP ? static_cast<GdiBitmap*>(static_cast<HBITMAP__*>(h)) : nullptr;
}
GdiBrush* AsBrush(HGDIOBJ h) {
  return LiveGdiObjectType(h) == OBJ_BRUSH ? static_cast<GdiBrush*>(static_cast<HBRUSH__*>(h)) : nullptr;
}
MemoryDC* AsMemoryDC(HDC hdc) {
  if (!IsLiveDC(hdc) || hdc->kind != HDC__::Kind::Memory) return nullptr;
  return static_cast<MemoryDC*>(hdc);
}

// The font text functions use in a DC: a memory DC's selected font, the
// system font elsewhere. Callers hold the state's lock.
GdiFont* FontOf(GdiState& s, HDC hdc) {
  if (!IsLiveDC(hdc)) return nullptr;
  if (hdc->kind == HDC__::Kind::Memory) return static_cast<MemoryDC*>(hdc)->font;
  EnsureStockObjects(s);
  return s.systemFont;
}

// ---------------------------------------------------------------------------
// [SECTION] UTF-8
// ---------------------------------------------------------------------------

constexpr char32_t kReplacement = 0xFFFD;

// Decodes the code point at p, never reading at or past end. A malformed
// sequence gives U+FFFD and consumes its longest valid prefix (at least one
// byte), so decoding always moves forward.
char32_t NextCodePoint(const unsigned char*& p, const unsigned char* end) {
  unsigned char lead = *p++;
  if (lead < 0x80) return lead;
  int extra;
  char32_t cp;
  unsigned char lo = 0x80;
  unsigned char hi = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    extra = 1;
    cp = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    extra = 2;
    cp = lead & 0x0F;
    if (lead == 0xE0) lo = 0xA0;  // no overlong forms
    if (lead == 0xED) hi = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    extra = 3;
    cp = lead & 0x07;
    if (lead == 0xF0) lo = 0x90;  // no overlong forms
    if (lead == 0xF4) hi = 0x8F;  // nothing past U+10FFFF
  } else {
    return kReplacement;
  }
  for (int i = 0; i < extra; ++i) {
    if (p == end || *p < lo || *p > hi) return kReplacement;
    cp = (cp << 6) | (*p++ & 0x3F);
    lo = 0x80;
    hi = 0xBF;
  }
  return cp;
}

// A face name as UTF-8 (wide characters are UTF-32 here), up to its
// terminating zero or LF_FACESIZE units; units that are no scalar value are
// left out.
std::string FaceNameUtf8(const WCHAR* name) {
  std::string out;
  // Units that are no Unicode scalar value are left out.
  for (int i = 0; i < LF_FACESIZE && name[i] != 0; ++i) AppendUtf8(out, static_cast<uint32_t>(name[i]));
  return out;
}

// ---------------------------------------------------------------------------
// [SECTION] Fonts: matching, sizing, metrics, glyph cache
// ---------------------------------------------------------------------------

LONG RoundToLong(double v) { return static_cast<LONG>(std::lround(v)); }

// Sizes the face as GDI reads lfHeight and fills the text metrics. False
// when the face has no usable vertical metrics.
bool SizeFace(GlyphFace* gf, const LOGFONTW& lf, TEXTMETRICW* tm) {
  FT_Face face = gf->face;
  double ascUnits = face->ascender;
  double descUnits = -static_cast<double>(face->descender);
  if (ascUnits + descUnits <= 0 || face->units_per_EM == 0) return false;

  // 64-bit magnitude: -INT_MIN must not overflow.
  long long request = lf.lfHeight == 0 ? 16 : lf.lfHeight;
  long long pixels = std::min<long long>(request < 0 ? -request : request, kMaxFontPixels);
  LONG ascent;
  LONG descent;
  if (request > 0) {
    FT_Size_RequestRec size = {FT_SIZE_REQUEST_TYPE_CELL, 0, static_cast<FT_Long>(pixels * 64), 0, 0};
    if (FT_Request_Size(face, &size) != 0) return false;
    // The cell is exactly the requested height, split in the font's ratio.
    ascent = RoundToLong(pixels * ascUnits / (ascUnits + descUnits));
    descent = static_cast<LONG>(pixels) - ascent;
  } else {
    if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixels)) != 0) return false;
    double scale = static_cast<double>(pixels) / face->units_per_EM;
    ascent = RoundToLong(ascUnits * scale);
    descent = RoundToLong(descUnits * scale);
  }
  double yScale = face->size->metrics.y_scale / 65536.0 / 64.0;  // pixels per font unit
  double xScale = face->size->metrics.x_scale / 65536.0 / 64.0;
  LONG em = RoundToLong(face->units_per_EM * yScale);

  *tm = TEXTMETRICW{};
  tm->tmAscent = ascent;
  tm->tmDescent = descent;
  tm->tmHeight = ascent + descent;
  tm->tmInternalLeading = std::max<LONG>(0, tm->tmHeight - em);
  tm->tmExternalLeading = std::max<LONG>(0, RoundToLong((face->height - ascUnits - descUnits) * yScale));
  tm->tmMaxCharWidth = RoundToLong(face->max_advance_width * xScale);
  tm->tmWeight = lf.lfWeight > 0 ? lf.lfWeight : FW_NORMAL;
  tm->tmDigitizedAspectX = 96;
  tm->tmDigitizedAspectY = 96;
  tm->tmFirstChar = 0x20;
  tm->tmLastChar = 0xFFFC;
  tm->tmBreakChar = 0x20;
  const TT_OS2* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  if (os2 != nullptr && os2->version != 0xFFFF) {
    if (os2->xAvgCharWidth > 0) tm->tmAveCharWidth = RoundToLong(os2->xAvgCharWidth * xScale);
    if (os2->usWeightClass > 0 && !gf->embolden) tm->tmWeight = os2->usWeightClass;
    tm->tmFirstChar = static_cast<WCHAR>(os2->usFirstCharIndex);
    tm->tmLastChar = static_cast<WCHAR>(os2->usLastCharIndex);
  }
  if (tm->tmAveCharWidth == 0) {
    FT_UInt x = FT_Get_Char_Index(face, 'x');
    if (x != 0 && FT_Load_Glyph(face, x, gf->loadFlags) == 0) {
      tm->tmAveCharWidth = static_cast<LONG>((face->glyph->advance.x + 32) >> 6);
    }
  }
  tm->tmDefaultChar = tm->tmFirstChar > 0 ? static_cast<WCHAR>(tm->tmFirstChar - 1) : 0;
  tm->tmItalic = (face->style_flags & FT_STYLE_FLAG_ITALIC) != 0 ? 255 : 0;
  tm->tmUnderlined = lf.lfUnderline != 0 ? 255 : 0;
  tm->tmStruckOut = lf.lfStrikeOut != 0 ? 255 : 0;
  // As GDI has it: the "fixed pitch" bit is set for variable-pitch fonts.
  tm->tmPitchAndFamily = static_cast<BYTE>((FT_IS_FIXED_WIDTH(face) ? 0 : 0x01) | 0x02 |
                                           (FT_IS_SFNT(face) ? 0x04 : 0) | (lf.lfPitchAndFamily & 0xF0));
  tm->tmCharSet = ANSI_CHARSET;
  return true;
}

void CloseFace(GlyphFace* gf) {
  if (gf == nullptr) return;
  if (gf->face != nullptr) FT_Done_Face(gf->face);
  delete gf;
}

// Asks fontconfig for the face that best fits the description, opens it
// and sizes it. Null when no scalable face can be had. Callers hold the
// state's lock.
GlyphFace* OpenFace(GdiState& s, const LOGFONTW& lf, TEXTMETRICW* tm) {
  FT_Library library = Library(s);
  if (library == nullptr || !FcInit()) return nullptr;

  FcPattern* pattern = FcPatternCreate();
  if (pattern == nullptr) return nullptr;
  std::string family = FaceNameUtf8(lf.lfFaceName);
  FcPatternAddString(pattern, FC_FAMILY,
                     reinterpret_cast<const FcChar8*>(family.empty() ? "sans-serif" : family.c_str()));
  int weight = lf.lfWeight <= 0 ? FW_NORMAL : std::min<LONG>(lf.lfWeight, 1000);
  FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(weight));
  FcPatternAddInteger(pattern, FC_SLANT, lf.lfItalic != 0 ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  FcPatternDestroy(pattern);
  if (match == nullptr) return nullptr;

  FcChar8* file = nullptr;
  int index = 0;
  FcBool embolden = FcFalse;
  FcMatrix* matrix = nullptr;
  GlyphFace* gf = nullptr;
  if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
    FcPatternGetInteger(match, FC_INDEX, 0, &index);
    FcPatternGetBool(match, FC_EMBOLDEN, 0, &embolden);
    FT_Face face = nullptr;
    if (FT_New_Face(library, reinterpret_cast<const char*>(file), index, &face) == 0) {
      gf = new GlyphFace;
      gf->face = face;
      gf->embolden = embolden != FcFalse;
      // A synthetic slant when the family has no italic face.
      if (FcPatternGetMatrix(match, FC_MATRIX, 0, &matrix) == FcResultMatch && matrix != nullptr) {
        FT_Matrix m = {static_cast<FT_Fixed>(matrix->xx * 65536), static_cast<FT_Fixed>(matrix->xy * 65536),
                       static_cast<FT_Fixed>(matrix->yx * 65536), static_cast<FT_Fixed>(matrix->yy * 65536)};
        FT_Set_Transform(face, &m, nullptr);
      }
    }
  }
  FcPatternDestroy(match);
  if (gf == nullptr) return nullptr;

  if (lf.lfQuality == NONANTIALIASED_QUALITY) {
    gf->loadFlags = FT_LOAD_DEFAULT | FT_LOAD_TARGET_MONO;
    gf->renderMode = FT_RENDER_MODE_MONO;
  }
  if (!FT_IS_SCALABLE(gf->face) || !SizeFace(gf, lf, tm)) {
    CloseFace(gf);
    return nullptr;
  }
  if (gf->embolden && tm->tmWeight < FW_BOLD) tm->tmWeight = FW_BOLD;
  gf->renderOnMeasure = tm->tmHeight <= kRenderOnMeasurePixels;
  return gf;
}

// Loads a glyph's outline (no bitmap yet), emboldened when the font asks
// for it. False on a FreeType error.
bool LoadGlyph(GlyphFace* gf, char32_t cp) {
  FT_UInt index = FT_Get_Char_Index(gf->face, cp);
  if (FT_Load_Glyph(gf->face, index, gf->loadFlags) != 0) return false;
  if (gf->embolden) FT_GlyphSlot_Embolden(gf->face->glyph);
  return true;
}

// The glyph for a code point, cached: its advance always, its coverage
// when render is true (or the font renders on measuring). A glyph FreeType
// cannot load advances 0 and draws nothing.
const CachedGlyph& Glyph(GlyphFace* gf, char32_t cp, bool render) {
  auto it = gf->glyphs.find(cp);
  if (it != gf->glyphs.end() && (it->second.rendered || !render)) return it->second;
  if (it == gf->glyphs.end() && gf->glyphs.size() >= kMaxCachedGlyphs) gf->glyphs.clear();
  CachedGlyph& glyph = it != gf->glyphs.end() ? it->second : gf->glyphs[cp];
  render = render || gf->renderOnMeasure;
  glyph.rendered = render;
  if (!LoadGlyph(gf, cp)) return glyph;
  FT_GlyphSlot slot = gf->face->glyph;
  glyph.advance = static_cast<LONG>((slot->advance.x + 32) >> 6);
  if (!render || FT_Render_Glyph(slot, gf->renderMode) != 0) return glyph;
  const FT_Bitmap& bitmap = slot->bitmap;
  glyph.left = slot->bitmap_left;
  glyph.top = slot->bitmap_top;
  glyph.width = static_cast<int>(bitmap.width);
  glyph.rows = static_cast<int>(bitmap.rows);
  glyph.coverage.assign(static_cast<size_t>(glyph.width) * glyph.rows, 0);
  for (int y = 0; y < glyph.rows; ++y) {
    const unsigned char* src = bitmap.buffer + static_cast<ptrdiff_t>(y) * bitmap.pitch;
    uint8_t* dst = glyph.coverage.data() + static_cast<size_t>(y) * glyph.width;
    if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
      for (int x = 0; x < glyph.width; ++x) dst[x] = (src[x >> 3] & (0x80 >> (x & 7))) != 0 ? 255 : 0;
    } else if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) {
      std::memcpy(dst, src, static_cast<size_t>(glyph.width));
    }
  }
  return glyph;
}

// The sum of the advances of the text's code points, in pixels.
long long MeasureText(GlyphFace* gf, const char* text, size_t length) {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
  const unsigned char* end = p + length;
  long long width = 0;
  while (p < end) width += Glyph(gf, NextCodePoint(p, end), false).advance;
  return width;
}

// ---------------------------------------------------------------------------
// [SECTION] Bitmaps and pixels
// ---------------------------------------------------------------------------

LONG WidthBytes(LONG width, WORD bitsPixel) {
  // Device-dependent rows are padded to 16 bits.
  return static_cast<LONG>(((static_cast<long long>(width) * bitsPixel + 15) / 16) * 2);
}

bool IsWhite(COLORREF color) { return (color & 0xFF) + ((color >> 8) & 0xFF) + ((color >> 16) & 0xFF) >= 3 * 128; }

// A clipping rectangle in bitmap pixels, right and bottom excluded.
struct Clip {
  long long left, top, right, bottom;
};

Clip Intersect(const GdiBitmap& bitmap, long long left, long long top, long long right, long long bottom) {
  return Clip{std::max<long long>(left, 0), std::max<long long>(top, 0), std::min<long long>(right, bitmap.width),
              std::min<long long>(bottom, bitmap.height)};
}

void FillPixels(GdiBitmap& bitmap, const Clip& clip, COLORREF color) {
  for (long long y = clip.top; y < clip.bottom; ++y) {
    uint8_t* row = bitmap.bits.data() + y * bitmap.widthBytes;
    for (long long x = clip.left; x < clip.right; ++x) {
      if (bitmap.bitsPixel == 32) {
        uint8_t* p = row + x * 4;
        p[0] = static_cast<uint8_t>(color >> 16);
        p[1] = static_cast<uint8_t>(color >> 8);
        p[2] = static_cast<uint8_t>(color);
        p[3] = 0;
      } else if (IsWhite(color)) {
        row[x >> 3] = static_cast<uint8_t>(row[x >> 3] | (0x80 >> (x & 7)));
      } else {
        row[x >> 3] = static_cast<uint8_t>(row[x >> 3] & ~(0x80 >> (x & 7)));
      }
    }
  }
}

// Darkens the bitmap under a glyph's coverage (black text, anti-aliased).
void BlendGlyph(GdiBitmap& bitmap, const Clip& clip, const CachedGlyph& glyph, long long originX,
                long long originY) {
  long long x0 = std::max(clip.left, originX);
  long long x1 = std::min(clip.right, originX + glyph.width);
  long long y0 = std::max(clip.top, originY);
  long long y1 = std::min(clip.bottom, originY + glyph.rows);
  for (long long y = y0; y < y1; ++y) {
    const uint8_t* cov = glyph.coverage.data() + (y - originY) * glyph.width;
    uint8_t* row = bitmap.bits.data() + y * bitmap.widthBytes;
    for (long long x = x0; x < x1; ++x) {
      unsigned a = cov[x - originX];
      if (a == 0) continue;
      if (bitmap.bitsPixel == 32) {
        uint8_t* p = row + x * 4;
        for (int c = 0; c < 3; ++c) p[c] = static_cast<uint8_t>((p[c] * (255 - a) + 127) / 255);
      } else if (a >= 128) {
        row[x >> 3] = static_cast<uint8_t>(row[x >> 3] & ~(0x80 >> (x & 7)));
      }
    }
  }
}

long long FloorHalf(long long v) { return v >= 0 ? v / 2 : -((-v + 1) / 2); }

// Moves an object into a memory DC's slot, keeping selection counts.
template <typename T>
T* Swap(T*& slot, T* object) {
  T* previous = slot;
  if (previous == object) return previous;
  if (previous != nullptr) --previous->selections;
  ++object->selections;
  slot = object;
  return previous;
}

}  // namespace
}  // namespace platform

// ---------------------------------------------------------------------------
// [SECTION] Entry points
// ---------------------------------------------------------------------------

using platform::GdiBitmap;
using platform::GdiBrush;
using platform::GdiFont;
using platform::MemoryDC;

HFONT CreateFontIndirectW(const LOGFONTW* lplf) {
  if (lplf == nullptr) return nullptr;
  platform::GdiState& s = platform::State();
  std::lock_guard<std::mutex> lock(s.mutex);
  GdiFont* font = new GdiFont;
  font->logFont = *lplf;
  font->face = platform::OpenFace(s, font->logFont, &font->metrics);
  if (font->face == nullptr) {
    delete font;
    return nullptr;
  }
  platform::RegisterGdiObject(font, OBJ_FONT);
  return font;
}

HDC CreateCompatibleDC(HDC hdc) {
  if (hdc != nullptr && !platform::IsLiveDC(hdc)) return nullptr;
  platform::GdiState& s = platform::State();
  std::lock_guard<std::mutex> lock(s.mutex);
  platform::EnsureStockObjects(s);
  MemoryDC* dc = new MemoryDC;
  dc->kind = HDC__::Kind::Memory;
  platform::Swap(dc->font, s.systemFont);
  platform::Swap(dc->bitmap, s.defaultBitmap);
  platform::Swap(dc->brush, s.whiteBrush);
  platform::RegisterHandle(static_cast<HDC>(dc));
  return dc;
}

BOOL DeleteDC(HDC hdc) {
  platform::GdiState& s = platform::State();
  std::lock_guard<std::mutex> lock(s.mutex);
  MemoryDC* dc = platform::AsMemoryDC(hdc);
  if (dc == nullptr) return 0;
  --dc->font->selections;
  --dc->bitmap->selections;
  --dc->brush->selections;
  platform::UnregisterHandle(static_cast<HDC>(dc));
  delete dc;
  return 1;
}

HBITMAP CreateCompatibleBitmap(HDC hdc, int cx, int cy) {
  platform::GdiState& s = platform::State();
  std::lock_guard<std::mutex> lock(s.mutex);
  if (!platform::IsLiveDC(hdc) || cx < 0 || cy < 0) return nullptr;
  platform::EnsureStockObjects(s);
  if (cx == 0 || cy == 0) return s.defaultBitmap;
  WORD bitsPixel = 32;
  if (hdc->kind == HDC__::Kind::Memory) bitsPixel = static_cast<MemoryDC*>(hdc)->bitmap->bitsPixel;
  LONG widthBytes = platform::WidthBytes(cx, bitsPixel);
  long long bytes = static_cast<long long>(widthBytes) * cy;
  if (bytes > platform::kMaxBitmapBytes) return nullptr;
  GdiBitmap* bitmap = new (std::nothrow) GdiBitmap;
  if (bitmap == nullptr) return nullptr;
  try {
    bitmap->bits.assign(static_cast<size_t>(bytes), 0);
  } catch (const std::bad_alloc&) {
    delete bitmap;
    return nullptr;
  }
  bitmap->width = cx;
  bitmap->height = cy;
  bitmap->widthBytes = widthBytes;
  bitmap->bitsPixel = bitsPixel;
  platform::RegisterGdiObject(bitmap, OBJ_BITMAP);
  return bitmap;
}

HBRUSH CreateSolidBrush(COLORREF color) {
  platform::GdiState& s = platform::State();
  std::lock_guard<std::mutex> lock(s.mutex);
  GdiBrush* brush = new GdiBrush;
  brush->color = color & 0xFFFFFF;
  platform::RegisterGdiObject(brush, OBJ_BRUSH);
  return brush;
}

HGDIOBJ GetStockObject(int i) {
  platform::GdiState& s = platform::State();
  std::lock_guard<std::mutex> lock(s.mutex);
  platform::EnsureStockObjects(s);
  switch (i) {
    case WHITE_BRUSH:
      return s.whiteBrush;
    case BLACK_BRUSH:
      return s.blackBrush;
    case SYSTEM_FONT:
      return s.systemFont;
    case DEFAULT_GUI_FONT:
      return s.guiFont;
    default:
      return nullptr;
  }
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ h) {
  platform::GdiState& s = platform::State();
  std::lock_guard<std::mutex> lock(s.mutex);
  MemoryDC* dc = platform::AsMemoryDC(hdc);
  if (dc == nullptr) return nullptr;
  if (GdiFont* font = platform::AsFont(h)) return platform::Swap(dc->font, font);
  if (GdiBrush* brush = platform::AsBrush(h)) return platform::Swap(dc->brush, brush);
  if (GdiBitmap* bitmap = platform::AsBitmap(h)) {
    // A bitmap belongs to one DC at a time; the shared default one excepted.
    if (!bitmap->stock && bitmap->selections > 0 && dc->bitmap != bitmap) return nullptr;
    return platform::Swap(dc->bitmap, bitmap);
  }
  return nullptr;
}

BOOL DeleteObject(HGDIOBJ ho) {
  platform::GdiState& s = platform::State();
  std::lock_guard<std::mutex> lock(s.mutex);
  if (GdiFont* font = platform::AsFont(ho)) {
    if (font->stock) return 1;
    if (font->selections > 0) return 0;
    platform::UnregisterGdiObject(ho);
    platform::CloseFace(font->face);
    delete font;
    return 1;
  }
  if (GdiBitmap* bitmap = platform::AsBitmap(ho)) {
    if (bitmap->stock) return 1;
    if (bitmap->selections > 0) return 0;
    platform::UnregisterGdiObject(ho);
    delete bitmap;
    return 1;
  }
  if (GdiBrush* brush = platform::AsBrush(ho)) {
    if (brush->stock) return 1;
    if (brush->selections > 0) return 0;
    platform::UnregisterGdiObject(ho);
    delete brush;
    return 1;
  }
  return 0;
}

DWORD GetObjectType(HGDIOBJ h) { return platform::LiveGdiObjectType(h); }

int GetObjectW(HGDIOBJ h, int c, void* pv) {
  platform::GdiState& s = platform::State();
  std::lock_guard<std::mutex> lock(s.mutex);
  if (GdiFont* font = platform::AsFont(h)) {
    if (pv == nullptr) return static_cast<int>(sizeof(LOGFONTW));
    if (c <= 0) return 0;
    size_t n = std::min(static_cast<size_t>(c), sizeof(LOGFONTW));
    std::memcpy(pv, &font->logFont, n);
    return static_cast<int>(n);
  }
  if (GdiBitmap* bitmap = platform::AsBitmap(h)) {
    if (pv == nullptr) return static_cast<int>(sizeof(BITMAP));
    if (c < static_cast<int>(sizeof(BITMAP))) return 0;
    BITMAP bm{};
    bm.bmWidth = bitmap->width;
    bm.bmHeight = bitmap->height;
    bm.bmWidthBytes = bitmap->widthBytes;
    bm.bmPlanes = 1;
    bm.bmBitsPixel = bitmap->bitsPixel;
    std::memcpy(pv, &bm, sizeof(bm));
    return static_cast<int>(sizeof(BITMAP));
  }
  return 0;
}

BOOL GetTextMetricsW(HDC hdc, TEXTMETRICW* lptm) {
  platform::GdiState& s = platform::State();
  std::lock_guard<std::mutex> lock(s.mutex);
  GdiFont* font = platform::FontOf(s, hdc);
  if (lptm == nullptr || font == nullptr || font->face == nullptr) return 0;
  *lptm = font->metrics;
  return 1;
}

BOOL GetTextExtentPoint32A(HDC hdc, const char* lpString, int c, SIZE* psizl) {
  if (psizl == nullptr || c < 0 || (lpString == nullptr && c > 0)) return 0;
  platform::GdiState& s = platform::State();
  std::lock_guard<std::mutex> lock(s.mutex);
  GdiFont* font = platform::FontOf(s, hdc);
  if (font == nullptr || font->face == nullptr) return 0;
  long long width = c > 0 ? platform::MeasureText(font->face, lpString, static_cast<size_t>(c)) : 0;
  psizl->cx = static_cast<LONG>(std::min<long long>(width, INT32_MAX));
  psizl->cy = font->metrics.tmHeight;
  return 1;
}

int FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
  if (lprc == nullptr) return 0;
  platform::GdiState& s = platform::State();
  std::lock_guard<std::mutex> lock(s.mutex);
  MemoryDC* dc = platform::AsMemoryDC(hDC);
  GdiBrush* brush = platform::AsBrush(hbr);
  if (dc == nullptr || brush == nullptr) return 0;
  platform::FillPixels(*dc->bitmap, platform::Intersect(*dc->bitmap, lprc->left, lprc->top, lprc->right, lprc->bottom),
                       brush->color);
  return 1;
}

int DrawTextA(HDC hdc, const char* lpchText, int cchText, RECT* lprc, UINT format) {
  if (lprc == nullptr || cchText < -1 || (lpchText == nullptr && cchText != 0)) return 0;
  platform::GdiState& s = platform::State();
  std::lock_guard<std::mutex> lock(s.mutex);
  MemoryDC* dc = platform::AsMemoryDC(hdc);
  if (dc == nullptr || dc->font->face == nullptr) return 0;
  platform::GlyphFace* gf = dc->font->face;
  const TEXTMETRICW& tm = dc->font->metrics;
  size_t length = cchText == -1 ? std::strlen(lpchText) : static_cast<size_t>(cchText);

  const long long left = lprc->left;
  const long long right = lprc->right;
  const long long top = lprc->top;
  const long long bottom = lprc->bottom;
  long long width = platform::MeasureText(gf, lpchText, length);
  long long x = left;
  if (format & DT_CENTER) {
    x = left + platform::FloorHalf(right - left - width);
  } else if (format & DT_RIGHT) {
    x = right - width;
  }
  long long lineTop = top;
  if (format & DT_SINGLELINE) {
    if (format & DT_BOTTOM) {
      lineTop = bottom - tm.tmHeight;
    } else if (format & DT_VCENTER) {
      lineTop = top + platform::FloorHalf(bottom - top - tm.tmHeight);
    }
  }
  const long long baseline = lineTop + tm.tmAscent;

  GdiBitmap& bitmap = *dc->bitmap;
  platform::Clip clip = (format & DT_NOCLIP) ? platform::Intersect(bitmap, 0, 0, bitmap.width, bitmap.height)
                                             : platform::Intersect(bitmap, left, top, right, bottom);
  const unsigned char* p = reinterpret_cast<const unsigned char*>(lpchText);
  const unsigned char* end = p + length;
  while (p < end) {
    const char32_t cp = platform::NextCodePoint(p, end);
    const platform::CachedGlyph& glyph = platform::Glyph(gf, cp, x < clip.right);
    if (glyph.width > 0 && glyph.rows > 0 && x < clip.right) {
      platform::BlendGlyph(bitmap, clip, glyph, x + glyph.left, baseline - glyph.top);
    }
    x += glyph.advance;
  }
  long long drawn = lineTop + tm.tmHeight - top;
  return static_cast<int>(std::max<long long>(std::min<long long>(drawn, INT32_MAX), 0));
}

LONG GetBitmapBits(HBITMAP hbit, LONG cb, void* lpvBits) {
  platform::GdiState& s = platform::State();
  std::lock_guard<std::mutex> lock(s.mutex);
  GdiBitmap* bitmap = platform::AsBitmap(hbit);
  if (bitmap == nullptr) return 0;
  LONG size = static_cast<LONG>(bitmap->bits.size());
  if (lpvBits == nullptr) return size;
  if (cb <= 0) return 0;
  LONG n = std::min(cb, size);
  std::memcpy(lpvBits, bitmap->bits.data(), static_cast<size_t>(n));
  return n;
}

}  // namespace VrenkGLWidge
