// The Linux layer's GDI text functions over FreeType and fontconfig.
#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "VrenkGLWidge.h"

using namespace VrenkGLWidge;

namespace {

HFONT MakeFont(LONG height, LONG weight = FW_NORMAL, bool italic = false, const wchar_t* face = L"") {
  LOGFONTW lf = {};
  lf.lfHeight = height;
  lf.lfWeight = weight;
  lf.lfItalic = italic ? 1 : 0;
  std::wcsncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
  return CreateFontIndirectW(&lf);
}

// A memory DC with a font and, optionally, a white 32-bit bitmap selected.
class GdiDC {
 public:
  explicit GdiDC(HFONT font, int width = 0, int height = 0) : m_font(font) {
    m_dc = CreateCompatibleDC(GetDC(nullptr));
    m_oldFont = SelectObject(m_dc, font);
    if (width > 0) {
      m_bitmap = CreateCompatibleBitmap(GetDC(nullptr), width, height);
      m_oldBitmap = SelectObject(m_dc, m_bitmap);
      RECT all = {0, 0, width, height};
      FillRect(m_dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
  }
  ~GdiDC() {
    SelectObject(m_dc, m_oldFont);
    if (m_bitmap != nullptr) SelectObject(m_dc, m_oldBitmap);
    DeleteDC(m_dc);
    if (m_bitmap != nullptr) DeleteObject(m_bitmap);
    DeleteObject(m_font);
  }
  LONG Width(const char* s, int n = -1) const {
    SIZE size = {-1, -1};
    EXPECT_TRUE(GetTextExtentPoint32A(m_dc, s, n < 0 ? static_cast<int>(std::strlen(s)) : n, &size));
    return size.cx;
  }
  TEXTMETRICW Metrics() const {
    TEXTMETRICW tm = {};
    EXPECT_TRUE(GetTextMetricsW(m_dc, &tm));
    return tm;
  }
  std::vector<uint8_t> Bits() const {
    std::vector<uint8_t> bits(static_cast<size_t>(GetBitmapBits(m_bitmap, 0, nullptr)));
    GetBitmapBits(m_bitmap, static_cast<LONG>(bits.size()), bits.data());
    return bits;
  }
  HDC m_dc;
  HFONT m_font;
  HGDIOBJ m_oldFont;
  HBITMAP m_bitmap = nullptr;
  HGDIOBJ m_oldBitmap = nullptr;
};

// Columns and rows of a 32-bit bitmap that hold anything but white.
struct Ink {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
};
Ink FindInk(const std::vector<uint8_t>& bits, int width, int height) {
  Ink ink;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const uint8_t* p = &bits[(static_cast<size_t>(y) * width + x) * 4];
      if (p[0] == 255 && p[1] == 255 && p[2] == 255) continue;
      ink.left = std::min(ink.left, x);
      ink.right = std::max(ink.right, x);
      ink.top = std::min(ink.top, y);
      ink.bottom = std::max(ink.bottom, y);
    }
  }
  return ink;
}

TEST(LinuxGdiFonts, HeightsFollowGdiAndFacesAndStylesAreHonoured) {
  for (LONG height : {12, 16, 40}) {
    GdiDC dc(MakeFont(height));
    TEXTMETRICW tm = dc.Metrics();
    EXPECT_EQ(tm.tmHeight, height) << "a positive height is the cell height";
    EXPECT_EQ(tm.tmAscent + tm.tmDescent, tm.tmHeight);
    SIZE size = {};
    ASSERT_TRUE(GetTextExtentPoint32A(dc.m_dc, "x", 1, &size));
    EXPECT_EQ(size.cy, height);
  }
  GdiDC em(MakeFont(-16));
  TEXTMETRICW tm = em.Metrics();
  EXPECT_NEAR(tm.tmHeight - tm.tmInternalLeading, 16, 1) << "a negative height is the em height";
  EXPECT_GT(tm.tmHeight, 16);

  // The empty face name is fontconfig's sans-serif; faces and styles are
  // honoured.
  const char* sample = "Quick brown foxes";
  GdiDC byDefault(MakeFont(16));
  GdiDC byName(MakeFont(16, FW_NORMAL, false, L"sans-serif"));
  GdiDC serif(MakeFont(16, FW_NORMAL, false, L"DejaVu Serif"));
  GdiDC bold(MakeFont(16, FW_BOLD));
  GdiDC italic(MakeFont(16, FW_NORMAL, true));
  EXPECT_EQ(byDefault.Width(sample), byName.Width(sample));
  EXPECT_NE(byDefault.Width(sample), serif.Width(sample));
  EXPECT_GT(bold.Width(sample), byDefault.Width(sample));
  EXPECT_EQ(bold.Metrics().tmWeight, FW_BOLD);
  EXPECT_EQ(byDefault.Metrics().tmItalic, 0);
  EXPECT_NE(italic.Metrics().tmItalic, 0);

  LOGFONTW lf = {};
  ASSERT_EQ(GetObjectW(serif.m_font, sizeof(lf), &lf), static_cast<int>(sizeof(lf)));
  EXPECT_EQ(std::wstring(lf.lfFaceName), L"DejaVu Serif");
  EXPECT_EQ(GetObjectW(serif.m_font, 0, nullptr), static_cast<int>(sizeof(LOGFONTW)));
}

TEST(LinuxGdiText, ExtentsSumAdvancesAndDecodeUtf8Safely) {
  GdiDC dc(MakeFont(16));
  // No kerning: "AV" is as wide as its letters.
  EXPECT_EQ(dc.Width("AV"), dc.Width("A") + dc.Width("V"));
  EXPECT_EQ(dc.Width("To"), dc.Width("T") + dc.Width("o"));
  EXPECT_EQ(dc.Width(""), 0);
  SIZE size = {};
  EXPECT_FALSE(GetTextExtentPoint32A(dc.m_dc, "abc", -1, &size));
  EXPECT_FALSE(GetTextExtentPoint32A(dc.m_dc, nullptr, 3, &size));
  EXPECT_FALSE(GetTextExtentPoint32A(dc.m_dc, "abc", 3, nullptr));
  EXPECT_TRUE(GetTextExtentPoint32A(dc.m_dc, nullptr, 0, &size));

  // Malformed sequences count as U+FFFD each (the longest valid prefix as one).
  const LONG replacement = dc.Width("\xEF\xBF\xBD");
  ASSERT_GT(replacement, 0);
  EXPECT_EQ(dc.Width("\xC3\xA9"), dc.Width("e")) << "é is one glyph as wide as e";
  EXPECT_EQ(dc.Width("\xC3" "A"), replacement + dc.Width("A"));
  EXPECT_EQ(dc.Width("\xC0\xAF"), 2 * replacement);        // overlong
  EXPECT_EQ(dc.Width("\xED\xA0\x80"), 3 * replacement);    // a surrogate
  EXPECT_EQ(dc.Width("\xF4\x90\x80\x80"), 4 * replacement);  // past U+10FFFF
  EXPECT_EQ(dc.Width("\xE2\x82" "A"), replacement + dc.Width("A"));
  // A sequence cut off by the length is never read past it (the sanitizer
  // build checks the bounds).
  std::unique_ptr<char[]> cut(new char[3]{'\xF0', '\x9F', '\x98'});
  EXPECT_EQ(dc.Width(cut.get(), 3), replacement);
}

TEST(LinuxGdiText, DrawTextPlacesClipsAndColoursOneLine) {
  const int W = 120;
  const int H = 40;
  RECT rc = {10, 5, 100, 35};
  GdiDC left(MakeFont(16), W, H);
  const LONG width = left.Width("Tip");
  const LONG height = left.Metrics().tmHeight;
  EXPECT_EQ(DrawTextA(left.m_dc, "Tip", -1, &rc, DT_LEFT), height);
  const Ink base = FindInk(left.Bits(), W, H);
  ASSERT_GE(base.right, base.left);
  EXPECT_LT(base.bottom, 5 + height);
  // Compared by right edges: a glyph may reach left of its pen, where the
  // rectangle clips. DT_BOTTOM applies only with DT_SINGLELINE.
  GdiDC centred(MakeFont(16), W, H);
  DrawTextA(centred.m_dc, "Tip", 3, &rc, DT_CENTER | DT_BOTTOM);
  Ink ink = FindInk(centred.Bits(), W, H);
  EXPECT_EQ(ink.right - base.right, (90 - width) / 2);
  EXPECT_EQ(ink.top, base.top);
  GdiDC bottom(MakeFont(16), W, H);
  EXPECT_EQ(DrawTextA(bottom.m_dc, "Tip", -1, &rc, DT_RIGHT | DT_BOTTOM | DT_SINGLELINE), 30);
  ink = FindInk(bottom.Bits(), W, H);
  EXPECT_EQ(ink.right - base.right, 90 - width);
  EXPECT_EQ(ink.top - base.top, 30 - height);

  // Clipped to the rectangle unless DT_NOCLIP; black and anti-aliased.
  RECT narrow = {10, 5, 14, 35};
  GdiDC clipped(MakeFont(16), W, H);
  DrawTextA(clipped.m_dc, "WWWW", -1, &narrow, DT_LEFT);
  EXPECT_LE(FindInk(clipped.Bits(), W, H).right, 13);
  GdiDC unclipped(MakeFont(16), W, H);
  DrawTextA(unclipped.m_dc, "WWWW", -1, &narrow, DT_LEFT | DT_NOCLIP);
  std::vector<uint8_t> bits = unclipped.Bits();
  EXPECT_GT(FindInk(bits, W, H).right, 20);
  EXPECT_NE(std::count(bits.begin(), bits.end(), 0), 0);
  EXPECT_NE(std::count_if(bits.begin(), bits.end(), [](uint8_t v) { return v > 0 && v < 255; }), 0);

  // Malformed text and bad arguments fail or draw, but never crash.
  EXPECT_EQ(DrawTextA(left.m_dc, "\xFF\xC3", -1, &rc, DT_LEFT), height);
  EXPECT_EQ(DrawTextA(left.m_dc, "Tip", -2, &rc, DT_LEFT), 0);
  EXPECT_EQ(DrawTextA(left.m_dc, "Tip", -1, nullptr, DT_LEFT), 0);
  EXPECT_EQ(DrawTextA(GetDC(nullptr), "Tip", -1, &rc, DT_LEFT), 0);
}

TEST(LinuxGdiBitmaps, FormatsFillsAndPixelsAreAsOnWindows) {
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP colour = CreateCompatibleBitmap(screen, 5, 3);
  BITMAP bm = {};
  ASSERT_EQ(GetObjectW(colour, sizeof(bm), &bm), static_cast<int>(sizeof(bm)));
  EXPECT_EQ(bm.bmBitsPixel, 32);
  EXPECT_EQ(bm.bmWidthBytes, 20);
  HGDIOBJ defaultBitmap = SelectObject(memory, colour);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  RECT rc = {-10, 1, 2, 99};  // clipped; right and bottom edges excluded
  EXPECT_TRUE(FillRect(memory, &rc, red));
  uint8_t bits[64] = {};
  EXPECT_EQ(GetBitmapBits(colour, 7, bits), 7);
  EXPECT_EQ(GetBitmapBits(colour, sizeof(bits), bits), 60);
  const uint8_t row1[12] = {0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 0, 0};  // BGRA
  EXPECT_EQ(std::memcmp(bits + 20, row1, sizeof(row1)), 0);
  EXPECT_EQ(bits[2], 0) << "row 0 is outside";

  // A memory DC's own bitmap is 1 by 1 monochrome, so bitmaps made from it
  // are monochrome: rows padded to 16 bits, a set bit white.
  HDC memory2 = CreateCompatibleDC(memory);
  HBITMAP mono = CreateCompatibleBitmap(memory2, 20, 2);
  ASSERT_EQ(GetObjectW(mono, sizeof(bm), &bm), static_cast<int>(sizeof(bm)));
  EXPECT_EQ(bm.bmBitsPixel, 1);
  EXPECT_EQ(bm.bmWidthBytes, 4);
  ASSERT_NE(SelectObject(memory2, mono), nullptr);
  EXPECT_EQ(SelectObject(memory, mono), nullptr) << "a bitmap is selected into one DC at a time";
  RECT all = {0, 0, 20, 2};
  FillRect(memory2, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  RECT some = {0, 0, 9, 1};
  FillRect(memory2, &some, red);  // red is nearer black
  ASSERT_EQ(GetBitmapBits(mono, sizeof(bits), bits), 8);
  EXPECT_EQ(bits[0], 0x00);
  EXPECT_EQ(bits[1], 0x7F);
  EXPECT_EQ(bits[4], 0xFF);

  EXPECT_EQ(CreateCompatibleBitmap(screen, -1, 4), nullptr);
  EXPECT_EQ(CreateCompatibleBitmap(screen, 1 << 20, 1 << 20), nullptr);
  SelectObject(memory, defaultBitmap);
  SelectObject(memory2, defaultBitmap);
  DeleteDC(memory2);
  DeleteDC(memory);
  EXPECT_TRUE(DeleteObject(colour));
  EXPECT_TRUE(DeleteObject(mono));
  EXPECT_TRUE(DeleteObject(red));
}

TEST(LinuxGdiHandles, BadHandlesFailAndSelectedObjectsStayAlive) {
  HGDIOBJ madeUp = reinterpret_cast<HGDIOBJ>(uintptr_t{0x1000});
  HDC madeUpDC = reinterpret_cast<HDC>(uintptr_t{0x2000});
  EXPECT_EQ(CreateCompatibleDC(madeUpDC), nullptr);
  EXPECT_EQ(CreateCompatibleBitmap(madeUpDC, 4, 4), nullptr);
  EXPECT_FALSE(DeleteObject(madeUp));
  EXPECT_FALSE(DeleteDC(GetDC(nullptr))) << "only memory DCs are deleted";
  EXPECT_EQ(GetObjectW(madeUp, 4, nullptr), 0);

  HDC dc = CreateCompatibleDC(nullptr);
  HFONT font = MakeFont(16);
  HGDIOBJ systemFont = SelectObject(dc, font);
  EXPECT_EQ(systemFont, GetStockObject(SYSTEM_FONT));
  EXPECT_EQ(SelectObject(dc, madeUp), nullptr);
  EXPECT_FALSE(DeleteObject(font)) << "a selected font stays alive";
  SIZE size = {};
  EXPECT_TRUE(GetTextExtentPoint32A(dc, "still usable", 12, &size));
  EXPECT_EQ(SelectObject(dc, systemFont), font);
  EXPECT_TRUE(DeleteObject(font));
  EXPECT_EQ(SelectObject(dc, font), nullptr) << "a deleted font is refused";
  EXPECT_TRUE(DeleteObject(systemFont)) << "stock objects ignore deletion";
  EXPECT_EQ(GetObjectType(systemFont), DWORD(OBJ_FONT));
  EXPECT_TRUE(DeleteDC(dc));
  EXPECT_FALSE(DeleteDC(dc));
  TEXTMETRICW tm;
  EXPECT_FALSE(GetTextMetricsW(dc, &tm));
}

TEST(LinuxGdiFonts, WithoutAnyFontNothingIsMadeAndTextsFailCleanly) {
  GetStockObject(SYSTEM_FONT);  // stock fonts made while fonts exist
  // An empty fontconfig configuration: no font can be matched.
  FcConfig* previous = FcConfigReference(nullptr);
  FcConfig* empty = FcConfigCreate();
  ASSERT_TRUE(FcConfigSetCurrent(empty));
  FcConfigDestroy(empty);
  EXPECT_EQ(MakeFont(16), nullptr);
  {
    CVrenkTextureFontManager manager;
    EXPECT_EQ(manager.Init(GetDC(nullptr), 16), 0);
    EXPECT_EQ(manager.CreateText("no font", false), nullptr);
    EXPECT_EQ(manager.DestroyText(nullptr), -4);
    EXPECT_EQ(manager.GarbageCollection(), 0);
  }
  FcConfigSetCurrent(previous);
  FcConfigDestroy(previous);
  HFONT font = MakeFont(16);
  EXPECT_NE(font, nullptr);
  DeleteObject(font);
}

}  // namespace
