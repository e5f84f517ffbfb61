// fuzz_text.cpp - arbitrary bytes as tooltip strings: rasterised split and
// unsplit by the font manager, laid out both ways with arbitrary directions
// and wrap widths, and drawn.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>

#include "VrenkGLWidge.h"
#include "fuzz_support.h"

using namespace VrenkGLWidge;
using vrenkfuzz::CheckGLStateKept;

namespace {

// Reads a text's rows through its protected fields.
struct TextPeek : CVrenkTextureText {
  static unsigned int WordCount(const CVrenkTextureText* t) { return t->*(&TextPeek::m_nWordCount); }
  static const SWordRect* Rows(const CVrenkTextureText* t) { return t->*(&TextPeek::m_pWordRects); }
  static unsigned int BitmapWidth(const CVrenkTextureText* t) { return t->*(&TextPeek::m_nBitmapWidth); }
  static unsigned int BitmapHeight(const CVrenkTextureText* t) { return t->*(&TextPeek::m_nBitmapHeight); }
};

// Font managers of a few heights (GDI's meanings: cell, default, character).
CVrenkTextureFontManager& Manager(int k) {
  static const int kHeights[] = {16, 0, 1, -40};
  static std::unique_ptr<CVrenkTextureFontManager> managers[4];
  std::unique_ptr<CVrenkTextureFontManager>& m = managers[k & 3];
  if (m == nullptr) {
    m.reset(new CVrenkTextureFontManager());
    VRENK_FUZZ_CHECK(m->Init(vrenkfuzz::GLContext().hDC, kHeights[k & 3]) == 0, "font manager Init failed");
  }
  return *m;
}

// Words the split form makes a row of: runs between single spaces, up to
// the string's first zero.
unsigned int CountWords(const std::string& s) {
  const std::string words(s.c_str());
  unsigned int n = 0;
  bool inWord = false;
  for (char c : words) {
    if (c != ' ' && !inWord) ++n;
    inWord = c != ' ';
  }
  return n;
}

// A float that is often one of the awkward ones.
float Number(FuzzedDataProvider& in) {
  static const float kSpecial[] = {0.0f,
                                   -0.0f,
                                   1.0f,
                                   -1.0f,
                                   1e-30f,
                                   1e30f,
                                   -1e30f,
                                   std::numeric_limits<float>::infinity(),
                                   -std::numeric_limits<float>::infinity(),
                                   std::numeric_limits<float>::quiet_NaN(),
                                   std::numeric_limits<float>::denorm_min(),
                                   std::numeric_limits<float>::max()};
  const uint8_t pick = in.ConsumeIntegral<uint8_t>();
  if (pick < 2 * sizeof kSpecial / sizeof kSpecial[0]) return kSpecial[pick / 2];
  return in.ConsumeFloatingPointInRange<float>(-1e4f, 1e4f);
}

void Vector(FuzzedDataProvider& in, float* v) {
  for (int i = 0; i < 3; ++i) v[i] = Number(in);
}

bool Finite3(const float* v) { return std::isfinite(v[0]) && std::isfinite(v[1]) && std::isfinite(v[2]); }

void CheckRows(const CVrenkTextureText* pText, const std::string& s, bool bSplit) {
  const unsigned int nRows = TextPeek::WordCount(pText);
  VRENK_FUZZ_CHECK(pText->GetText() == s, "the text lost its string");
  VRENK_FUZZ_CHECK(nRows == (bSplit ? CountWords(s) : 1u), "wrong row count " + std::to_string(nRows));
  const CVrenkTextureText::SWordRect* rows = TextPeek::Rows(pText);
  for (unsigned int k = 0; k < nRows; ++k) {
    const CVrenkTextureText::SWordRect& r = rows[k];
    VRENK_FUZZ_CHECK(r.nWidth + 2 <= TextPeek::BitmapWidth(pText), "a row is wider than the bitmap");
    VRENK_FUZZ_CHECK(r.nHeight + 2 <= TextPeek::BitmapHeight(pText), "a row is higher than the bitmap");
    VRENK_FUZZ_CHECK(r.fTexLeft >= 0 && r.fTexRight <= 1 && r.fTexTop >= 0 && r.fTexBottom <= 1 &&
                         r.fTexLeft <= r.fTexRight && r.fTexTop <= r.fTexBottom,
                     "texture coordinates outside the texture");
  }
}

void LayOutAndDraw(FuzzedDataProvider& in, CVrenkTextureText* pText) {
  float lateral[3], normal[3], anchor[3];
  const bool bAxes = in.ConsumeBool();
  Vector(in, lateral);
  Vector(in, normal);
  Vector(in, anchor);
  if (bAxes) {
    const float x[3] = {1, 0, 0};
    const float z[3] = {0, 0, 1};
    for (int i = 0; i < 3; ++i) {
      lateral[i] = x[i];
      normal[i] = z[i];
    }
  }
  const auto corner = static_cast<CVrenkTextureText::EQuadPointIndex>(in.ConsumeIntegralInRange<int>(0, 3));
  const float fWrap = Number(in);
  const float fMargin = Number(in);
  VRENK_FUZZ_CHECK(pText->SetLayout(lateral, normal, corner, anchor, fWrap, fMargin) == 0, "SetLayout failed");
  // With sane inputs the placed box is finite.
  const bool bSane = bAxes && Finite3(anchor) && std::isfinite(fWrap) && std::fabs(fMargin) < 1e4f &&
                     std::fabs(anchor[0]) < 1e4f && std::fabs(anchor[1]) < 1e4f && std::fabs(anchor[2]) < 1e4f;
  if (bSane) {
    for (int k = 0; k < 4; ++k) {
      VRENK_FUZZ_CHECK(Finite3(pText->GetBound(static_cast<CVrenkTextureText::EQuadPointIndex>(k))),
                       "a sane layout has a non-finite corner");
    }
    VRENK_FUZZ_CHECK(std::isfinite(pText->GetBottomWidth()) && std::isfinite(pText->GetLeftHeight()),
                     "a sane layout has a non-finite size");
  }

  static const GLenum kModes[] = {GL_MODELVIEW, GL_PROJECTION, GL_TEXTURE};
  glMatrixMode(kModes[in.ConsumeIntegralInRange<int>(0, 2)]);
  vrenktest::GLStateSnapshot before = vrenktest::GLStateSnapshot::Capture();
  pText->Render();
  CheckGLStateKept(before, "Render after the anchored layout");

  float origin[3];
  Vector(in, lateral);
  Vector(in, normal);
  Vector(in, origin);
  const float fWrap2 = Number(in);
  const float fRowHeight = Number(in);
  VRENK_FUZZ_CHECK(pText->SetLayout(lateral, normal, origin, fWrap2, fRowHeight) == 0, "SetLayout failed");
  before = vrenktest::GLStateSnapshot::Capture();
  pText->RenderInViewportCoordinate();
  CheckGLStateKept(before, "RenderInViewportCoordinate after the direct layout");
  glMatrixMode(GL_MODELVIEW);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  vrenkfuzz::GLContext();
  FuzzedDataProvider in(data, size);
  CVrenkTextureFontManager& fm = Manager(in.ConsumeIntegral<uint8_t>());
  const bool bSplit = in.ConsumeBool();
  const bool bRelease = in.ConsumeIntegral<uint8_t>() == 0xA5;
  const std::string s = in.ConsumeRandomLengthString(4096);

  const vrenktest::GLStateSnapshot before = vrenktest::GLStateSnapshot::Capture();
  CVrenkTextureText* pText = fm.CreateText(s, bSplit);
  CheckGLStateKept(before, "CreateText");
  if (s.empty()) VRENK_FUZZ_CHECK(pText == nullptr, "an empty string made a text");
  if (pText != nullptr) {
    CheckRows(pText, s, bSplit);
    // The split flag is not part of the cache key: the same object comes back.
    VRENK_FUZZ_CHECK(fm.CreateText(s, !bSplit) == pText, "the cache missed an equal string");
    LayOutAndDraw(in, pText);
    VRENK_FUZZ_CHECK(fm.DestroyText(pText) == 0 && fm.DestroyText(pText) == 0, "DestroyText of a held text");
    VRENK_FUZZ_CHECK(fm.DestroyText(pText) == 0, "DestroyText at a count of 0");
  }
  VRENK_FUZZ_CHECK(fm.GarbageCollection() == (pText != nullptr ? 1 : 0), "the given-back text was not collected");
  if (pText != nullptr) VRENK_FUZZ_CHECK(fm.DestroyText(pText) == -4, "DestroyText of a collected text");
  if (bRelease) {
    fm.Release();
    VRENK_FUZZ_CHECK(fm.Init(vrenkfuzz::GLContext().hDC, 16) == 0, "font manager Init after Release failed");
  }
  return 0;
}
