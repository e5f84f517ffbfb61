// CVrenkTextureFontManager with a real font and a real context. Sizes are
// measured through GDI, never taken from one font, so the suite holds on
// FreeType and on Windows' GDI alike.
#include <gtest/gtest.h>

#include <clocale>
#include <cstring>
#include <locale>
#include <string>
#include <vector>

#include "VrenkGLWidge.h"
#include "support/env.h"
#include "support/gl_fixture.h"
#include "support/gl_state.h"

using namespace VrenkGLWidge;
using vrenktest::ColorNear;
using vrenktest::Rgba;

namespace {

// Reads the protected fields of texts the manager made.
struct TextPeek : CVrenkTextureText {
  static unsigned BitmapWidth(const CVrenkTextureText* t) { return t->*(&TextPeek::m_nBitmapWidth); }
  static unsigned BitmapHeight(const CVrenkTextureText* t) { return t->*(&TextPeek::m_nBitmapHeight); }
  static unsigned BytesPerPixel(const CVrenkTextureText* t) { return t->*(&TextPeek::m_nBytesPerPixel); }
  static unsigned Texture(const CVrenkTextureText* t) { return t->*(&TextPeek::m_nTextureName); }
  static const unsigned char* Pixels(const CVrenkTextureText* t) { return t->*(&TextPeek::m_pPixels); }
  static std::vector<SWordRect> Rows(const CVrenkTextureText* t) {
    const SWordRect* rows = t->*(&TextPeek::m_pWordRects);
    return std::vector<SWordRect>(rows, rows + t->*(&TextPeek::m_nWordCount));
  }
};

class FontManager : public CVrenkTextureFontManager {
 public:
  using CVrenkTextureFontManager::m_hFont;
  using CVrenkTextureFontManager::m_hMemDC;
  using CVrenkTextureFontManager::m_LogFont;
  using CVrenkTextureFontManager::m_mapTexts;

  unsigned Count(const std::string& s) const { return m_mapTexts.at(s).nRefCount; }
  // The width GDI measures for s in the manager's font.
  unsigned Measure(const std::string& s) const {
    SIZE size = {0, 0};
    EXPECT_TRUE(GetTextExtentPoint32A(m_hMemDC, s.data(), static_cast<int>(s.size()), &size));
    return static_cast<unsigned>(size.cx);
  }
};

unsigned NextPow2(unsigned n) {
  unsigned p = 1;
  while (p < n) p <<= 1;
  return p;
}

// The texture's bitmap-sized region of level 0, as RGBA rows top first;
// the storage size goes to size[0] and size[1].
std::vector<uint8_t> TextureRegion(const CVrenkTextureText* text, GLint* size) {
  glBindTexture(GL_TEXTURE_2D, TextPeek::Texture(text));
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &size[0]);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &size[1]);
  std::vector<uint8_t> all(static_cast<size_t>(size[0]) * size[1] * 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, all.data());
  glBindTexture(GL_TEXTURE_2D, 0);
  std::vector<uint8_t> region;
  for (unsigned y = 0; y < TextPeek::BitmapHeight(text); ++y) {
    auto row = all.begin() + static_cast<ptrdiff_t>(y) * size[0] * 4;
    region.insert(region.end(), row, row + TextPeek::BitmapWidth(text) * 4);
  }
  return region;
}

// Which pixels GDI darkens when it draws s alone, centred in a row of the
// given size, on a white bitmap compatible with hRefDC.
std::vector<bool> GdiInk(HDC hRefDC, HDC hMemDC, const std::string& s, unsigned width, unsigned height) {
  HBITMAP bitmap = CreateCompatibleBitmap(hRefDC, static_cast<int>(width), static_cast<int>(height));
  HGDIOBJ old = SelectObject(hMemDC, bitmap);
  RECT rc = {0, 0, static_cast<LONG>(width), static_cast<LONG>(height)};
  HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
  FillRect(hMemDC, &rc, white);
  DeleteObject(white);
  DrawTextA(hMemDC, s.c_str(), -1, &rc, DT_CENTER | DT_BOTTOM);
  SelectObject(hMemDC, old);
  std::vector<uint8_t> bits(static_cast<size_t>(width) * height * 4);
  GetBitmapBits(bitmap, static_cast<LONG>(bits.size()), bits.data());
  DeleteObject(bitmap);
  std::vector<bool> ink(static_cast<size_t>(width) * height);
  for (size_t i = 0; i < ink.size(); ++i) ink[i] = bits[i * 4] != 255 || bits[i * 4 + 1] != 255 || bits[i * 4 + 2] != 255;
  return ink;
}

class TextureFontManagerTest : public vrenktest::GLTest {
 protected:
  TextureFontManagerTest() : vrenktest::GLTest(256, 64) {}
  void SetUp() override {
    vrenktest::GLTest::SetUp();
    ASSERT_EQ(m_manager.Init(m_hDC, 16), 0);
    ASSERT_NE(m_manager.m_hFont, nullptr) << "no usable font";
  }
  void TearDown() override {
    m_manager.Release();
    vrenktest::GLTest::TearDown();
  }
  FontManager m_manager;
};

TEST_F(TextureFontManagerTest, EqualStringsShareOneCountedText) {
  CVrenkTextureText* text = m_manager.CreateText("Open file", false);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(m_manager.CreateText("Open file", false), text);
  // The split flag is not part of the key: the single-row text comes back.
  EXPECT_EQ(m_manager.CreateText("Open file", true), text);
  EXPECT_EQ(TextPeek::Rows(text).size(), 1u);
  EXPECT_EQ(m_manager.Count("Open file"), 3u);

  for (unsigned expected : {2u, 1u, 0u, 0u}) {
    EXPECT_EQ(m_manager.DestroyText(text), 0);
    EXPECT_EQ(m_manager.Count("Open file"), expected);
  }
  // Given back but still cached: a new request revives it.
  EXPECT_EQ(m_manager.CreateText("Open file", false), text);
  EXPECT_EQ(m_manager.Count("Open file"), 1u);

  EXPECT_EQ(m_manager.DestroyText(nullptr), -4);
  EXPECT_EQ(m_manager.DestroyText(reinterpret_cast<CVrenkTextureText*>(&m_manager)), -4);
  EXPECT_EQ(m_manager.CreateText("", false), nullptr);
  EXPECT_EQ(m_manager.m_mapTexts.size(), 1u);
}

TEST_F(TextureFontManagerTest, RowsAreMeasuredAndSizeTheBitmapAndTexture) {
  const unsigned h = m_manager.GetFontHeight();
  EXPECT_EQ(h, 16u);
  // One row: the string with its trailing space.
  CVrenkTextureText* text = m_manager.CreateText("Hello, world", false);
  ASSERT_NE(text, nullptr);
  std::vector<CVrenkTextureText::SWordRect> rows = TextPeek::Rows(text);
  ASSERT_EQ(rows.size(), 1u);
  const unsigned w = m_manager.Measure("Hello, world ");
  EXPECT_EQ(rows[0].nWidth, w);
  EXPECT_EQ(rows[0].nHeight, h);
  EXPECT_EQ(TextPeek::BitmapWidth(text), w + 2);
  EXPECT_EQ(TextPeek::BitmapHeight(text), h + 2);
  EXPECT_EQ(TextPeek::BytesPerPixel(text), 4u);
  GLint size[2] = {0, 0};
  TextureRegion(text, size);
  EXPECT_EQ(size[0], static_cast<GLint>(NextPow2(w + 2)));
  EXPECT_EQ(size[1], static_cast<GLint>(NextPow2(h + 2)));
  EXPECT_FLOAT_EQ(rows[0].fTexLeft, 1.0f / size[0]);
  EXPECT_FLOAT_EQ(rows[0].fTexRight, (w + 1.0f) / size[0]);
  EXPECT_FLOAT_EQ(rows[0].fTexTop, 1.0f / size[1]);
  EXPECT_FLOAT_EQ(rows[0].fTexBottom, (h + 1.0f) / size[1]);

  // Words cut at spaces only, each measured with a space but the last.
  text = m_manager.CreateText("  alpha  be\tta ", true);
  ASSERT_NE(text, nullptr);
  rows = TextPeek::Rows(text);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].nWidth, m_manager.Measure("alpha "));
  EXPECT_EQ(rows[1].nWidth, m_manager.Measure("be\tta"));
  EXPECT_EQ(TextPeek::BitmapWidth(text), std::max(rows[0].nWidth, rows[1].nWidth) + 2);
  EXPECT_EQ(TextPeek::BitmapHeight(text), 2 * h + 2);
  TextureRegion(text, size);
  EXPECT_FLOAT_EQ(rows[1].fTexTop, (1.0f + h) / size[1]);
  EXPECT_FLOAT_EQ(rows[1].fTexBottom, (1.0f + 2 * h) / size[1]);

  // Spaces only: no rows and a 2 by 2 bitmap.
  text = m_manager.CreateText("   ", true);
  ASSERT_NE(text, nullptr);
  EXPECT_TRUE(TextPeek::Rows(text).empty());
  EXPECT_EQ(TextPeek::BitmapWidth(text) * TextPeek::BitmapHeight(text), 4u);
}

TEST_F(TextureFontManagerTest, TexelsAreWhiteGlyphsOnTransparentExactlyWhereGdiDraws) {
  // A host's unusual unpack settings must not garble (or overrun) the upload.
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 7);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  const std::string s = "Grüße, Wg";  // non-ASCII, and glyphs reaching into the descent
  CVrenkTextureText* text = m_manager.CreateText(s, false);
  ASSERT_NE(text, nullptr);
  GLint rowLength = 0;
  glGetIntegerv(GL_UNPACK_ROW_LENGTH, &rowLength);
  EXPECT_EQ(rowLength, 7);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);

  const unsigned w = TextPeek::BitmapWidth(text);
  const unsigned h = TextPeek::BitmapHeight(text);
  GLint size[2];
  std::vector<uint8_t> texels = TextureRegion(text, size);
  ASSERT_EQ(texels.size(), static_cast<size_t>(w) * h * 4);
  EXPECT_EQ(0, std::memcmp(texels.data(), TextPeek::Pixels(text), texels.size()));

  const unsigned rowW = w - 2;
  const unsigned rowH = h - 2;
  std::vector<bool> ink = GdiInk(m_hDC, m_manager.m_hMemDC, s + " ", rowW, rowH);
  size_t opaque = 0;
  for (unsigned y = 0; y < h; ++y) {
    for (unsigned x = 0; x < w; ++x) {
      const uint8_t* t = &texels[(static_cast<size_t>(y) * w + x) * 4];
      ASSERT_TRUE(t[0] == 255 && t[1] == 255 && t[2] == 255 && (t[3] == 0 || t[3] == 255))
          << "texel " << x << ", " << y;
      const bool inRow = x >= 1 && x <= rowW && y >= 1 && y <= rowH;
      const bool expected = inRow && ink[(y - 1) * rowW + (x - 1)];
      ASSERT_EQ(t[3] == 255, expected) << "texel " << x << ", " << y;
      opaque += t[3] == 255;
    }
  }
  EXPECT_GT(opaque, 20u);
}

TEST_F(TextureFontManagerTest, RenderDrawsGlyphsInTheCurrentColourInsideTheBoundsOnly) {
  CVrenkTextureText* text = m_manager.CreateText("Tip", false);
  ASSERT_NE(text, nullptr);
  const float x[3] = {1, 0, 0};
  const float z[3] = {0, 0, 1};
  const float anchor[3] = {20, 10, 0};
  text->SetLayout(x, z, CVrenkTextureText::QUAD_BOTTOM_LEFT, anchor, 0, 0);
  glMatrixMode(GL_PROJECTION);
  glOrtho(0, m_nWidth, 0, m_nHeight, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glColor4ub(40, 200, 90, 255);
  vrenktest::GLStateSnapshot before = vrenktest::GLStateSnapshot::Capture();
  text->Render();
  EXPECT_EQ(vrenktest::DiffGLState(before, vrenktest::GLStateSnapshot::Capture()), "");

  // One texel per pixel: pixel (20 + i, 10 + rowH - 1 - j) shows texel (1 + i, 1 + j).
  const std::vector<uint8_t> pixels = ReadAll();
  const unsigned w = TextPeek::BitmapWidth(text);
  const unsigned rowW = w - 2;
  const unsigned rowH = TextPeek::BitmapHeight(text) - 2;
  const unsigned char* texels = TextPeek::Pixels(text);
  for (int py = 0; py < m_nHeight; ++py) {
    for (int px = 0; px < m_nWidth; ++px) {
      const uint8_t* p = &pixels[(static_cast<size_t>(py) * m_nWidth + px) * 4];
      const Rgba got{p[0], p[1], p[2], p[3]};
      bool glyph = false;
      if (px >= 20 && px < 20 + static_cast<int>(rowW) && py >= 10 && py < 10 + static_cast<int>(rowH)) {
        const unsigned tx = 1 + (px - 20);
        const unsigned ty = 1 + (rowH - 1 - (py - 10));
        glyph = texels[(ty * w + tx) * 4 + 3] == 255;
      }
      ASSERT_TRUE(ColorNear(got, glyph ? Rgba{40, 200, 90, 255} : Rgba{0, 0, 0, 0})) << px << ", " << py;
    }
  }
}

TEST_F(TextureFontManagerTest, GarbageCollectionAndReleaseDestroyTexts) {
  CVrenkTextureText* unused = m_manager.CreateText("one", false);
  CVrenkTextureText* held = m_manager.CreateText("two", false);
  ASSERT_NE(unused, nullptr);
  ASSERT_NE(held, nullptr);
  m_manager.CreateText("two", false);
  m_manager.DestroyText(unused);
  const GLuint unusedTexture = TextPeek::Texture(unused);
  const GLuint heldTexture = TextPeek::Texture(held);
  EXPECT_EQ(m_manager.GarbageCollection(), 1);
  EXPECT_FALSE(glIsTexture(unusedTexture));
  EXPECT_TRUE(glIsTexture(heldTexture));
  EXPECT_EQ(m_manager.m_mapTexts.count("one"), 0u);
  EXPECT_EQ(m_manager.GarbageCollection(), 0);

  // Release destroys texts still held, and the manager can start again.
  EXPECT_EQ(m_manager.Release(), 0);
  EXPECT_FALSE(glIsTexture(heldTexture));
  EXPECT_TRUE(m_manager.m_mapTexts.empty());
  EXPECT_EQ(m_manager.CreateText("two", false), nullptr);
  ASSERT_EQ(m_manager.Init(m_hDC, 16), 0);
  EXPECT_NE(m_manager.CreateText("two", false), nullptr);
}

TEST_F(TextureFontManagerTest, InitChecksArgumentsAndTakesOverTheCallersFont) {
  FontManager other;
  LOGFONTW logFont = {};
  logFont.lfHeight = 22;
  logFont.lfWeight = FW_BOLD;
  EXPECT_EQ(other.Init(nullptr, 16), -5);
  EXPECT_EQ(other.Init(nullptr, logFont), -5);
  EXPECT_EQ(other.Init(m_hDC, static_cast<HFONT>(nullptr)), -5);
  EXPECT_EQ(other.CreateText("nothing", false), nullptr);

  HFONT font = CreateFontIndirectW(&logFont);
  ASSERT_NE(font, nullptr);
  ASSERT_EQ(other.Init(m_hDC, font), 0);
  EXPECT_EQ(other.m_LogFont.lfHeight, 22);
  EXPECT_EQ(other.m_LogFont.lfWeight, FW_BOLD);
  EXPECT_EQ(other.GetFontHeight(), 22u);
  EXPECT_NE(other.CreateText("bold", false), nullptr);
  other.Release();
  LOGFONTW after = {};
  EXPECT_EQ(GetObjectW(font, sizeof(after), &after), 0) << "the font should have been deleted";
}

TEST_F(TextureFontManagerTest, TextTooLargeForATextureIsRefusedAndNotCached) {
  GLint maxSize = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
  ASSERT_GT(maxSize, 0);
  const unsigned wWidth = m_manager.Measure("W");
  ASSERT_GT(wWidth, 0u);
  const std::string wide(maxSize / wWidth + 4, 'W');
  EXPECT_EQ(m_manager.CreateText(wide, false), nullptr);
  std::string tall;
  for (unsigned i = 0; i < maxSize / m_manager.GetFontHeight() + 2; ++i) tall += "W ";
  EXPECT_EQ(m_manager.CreateText(tall, true), nullptr);
  EXPECT_TRUE(m_manager.m_mapTexts.empty());
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(TextureFontManagerTest, MonochromeReferenceBitmapsStillGiveFourByteTexels) {
  // A fresh memory DC holds a 1 by 1 monochrome bitmap, so bitmaps made
  // compatible with it are monochrome.
  HDC memory = CreateCompatibleDC(m_hDC);
  ASSERT_NE(memory, nullptr);
  {
    FontManager mono;
    ASSERT_EQ(mono.Init(memory, 16), 0);
    CVrenkTextureText* text = mono.CreateText("Mono", false);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(TextPeek::BytesPerPixel(text), 4u);
    GLint size[2];
    std::vector<uint8_t> texels = TextureRegion(text, size);
    size_t opaque = 0;
    for (size_t i = 3; i < texels.size(); i += 4) {
      ASSERT_TRUE(texels[i] == 0 || texels[i] == 255);
      opaque += texels[i] == 255;
    }
    EXPECT_GT(opaque, 10u);
    EXPECT_LT(opaque, texels.size() / 8) << "the background must stay transparent";
  }
  DeleteDC(memory);
}

TEST_F(TextureFontManagerTest, RasterisingLeavesTheGlobalLocaleAsItWas) {
  // A locale name that is not installed makes the user locale unusable.
  vrenktest::ScopedEnv env("LC_ALL", "xx_YY.NOT-INSTALLED");
  const std::string cBefore = std::setlocale(LC_ALL, nullptr);
  const std::string cxxBefore = std::locale().name();
  EXPECT_NE(m_manager.CreateText("Locale", false), nullptr);
  EXPECT_EQ(std::setlocale(LC_ALL, nullptr), cBefore);
  EXPECT_EQ(std::locale().name(), cxxBefore);
}

}  // namespace
