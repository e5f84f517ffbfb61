// Tooltip texts: CreateText of a new 24-character string (rasterise and
// upload) against plain FreeType rendering of the same glyphs plus
// glTexImage2D, and CreateText of a string already cached among 1,000.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "VrenkGLWidge.h"
#include "bench_context.h"

#if defined(VRENK_BENCH_FREETYPE)
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#endif

using namespace VrenkGLWidge;

namespace {

// "Tooltip with number 0000" to "... 9999": 24 characters each.
const std::vector<std::string>& NewStrings() {
  static const std::vector<std::string> strings = [] {
    std::vector<std::string> v;
    char buffer[32];
    for (int i = 0; i < 10000; ++i) {
      std::snprintf(buffer, sizeof(buffer), "Tooltip with number %04d", i);
      v.emplace_back(buffer);
    }
    return v;
  }();
  return strings;
}

vrenkbench::BenchContext& Context() {
  static vrenkbench::BenchContext context;
  return context;
}

// A new string each time, given back and collected, so every call
// measures, draws, converts and uploads (and deletes the texture).
void BM_CreateTextNew(benchmark::State& state) {
  if (!Context().Ok()) return state.SkipWithError("no GL context");
  CVrenkTextureFontManager manager;
  manager.Init(GetDC(nullptr), 16);
  const std::vector<std::string>& strings = NewStrings();
  size_t i = 0;
  for (auto _ : state) {
    CVrenkTextureText* text = manager.CreateText(strings[i++ % strings.size()], false);
    benchmark::DoNotOptimize(text);
    manager.DestroyText(text);
    manager.GarbageCollection();
  }
  glFinish();
}
BENCHMARK(BM_CreateTextNew)->Unit(benchmark::kMicrosecond);

// Exposes the memory DC, to ready a new font before timing.
struct FreshFontManager : CVrenkTextureFontManager {
  void WarmUp() {
    SIZE size;
    GetTextExtentPoint32A(m_hMemDC, "~", 1, &size);
  }
};

// The same with a font made for each call, so no glyph of the string is
// cached yet. The font's one-time set-up (the first glyph load runs the
// font's own programs) happens before timing, as it does once for the
// plain face below.
void BM_CreateTextNewFreshFont(benchmark::State& state) {
  if (!Context().Ok()) return state.SkipWithError("no GL context");
  const std::vector<std::string>& strings = NewStrings();
  size_t i = 0;
  for (auto _ : state) {
    state.PauseTiming();
    FreshFontManager manager;
    manager.Init(GetDC(nullptr), 16);
    manager.WarmUp();
    state.ResumeTiming();
    benchmark::DoNotOptimize(manager.CreateText(strings[i++ % strings.size()], false));
    state.PauseTiming();
    manager.Release();
    state.ResumeTiming();
  }
  glFinish();
}
BENCHMARK(BM_CreateTextNewFreshFont)->Unit(benchmark::kMicrosecond);

void BM_CreateTextCached(benchmark::State& state) {
  if (!Context().Ok()) return state.SkipWithError("no GL context");
  CVrenkTextureFontManager manager;
  manager.Init(GetDC(nullptr), 16);
  std::vector<std::string> cached;
  for (int i = 0; i < 1000; ++i) {
    cached.push_back("Cached tooltip " + std::to_string(i));
    manager.CreateText(cached.back(), false);
  }
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(manager.CreateText(cached[(i += 7) % cached.size()], false));
  }
  manager.Release();
}
BENCHMARK(BM_CreateTextCached)->Unit(benchmark::kNanosecond);

#if defined(VRENK_BENCH_FREETYPE)
// The plain work: the default sans-serif face at the same cell height, each
// glyph rendered by FreeType into an RGBA buffer of the same power-of-two
// size, one glTexImage2D.
struct PlainFace {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  PlainFace() {
    FcInit();
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>("sans-serif"));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcChar8* file = nullptr;
    if (match != nullptr && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch &&
        FT_Init_FreeType(&library) == 0 && FT_New_Face(library, reinterpret_cast<char*>(file), 0, &face) == 0) {
      FT_Size_RequestRec size = {FT_SIZE_REQUEST_TYPE_CELL, 0, 16 * 64, 0, 0};
      FT_Request_Size(face, &size);
      FT_Load_Char(face, '~', FT_LOAD_RENDER);  // the face's one-time set-up
    }
    if (match != nullptr) FcPatternDestroy(match);
    FcPatternDestroy(pattern);
  }
  ~PlainFace() {
    if (face != nullptr) FT_Done_Face(face);
    if (library != nullptr) FT_Done_FreeType(library);
  }
  PlainFace(const PlainFace&) = delete;
  PlainFace& operator=(const PlainFace&) = delete;
};

void PlainRenderAndUpload(FT_Face face, const std::string& s, std::vector<unsigned char>& texels) {
  const int width = 256;
  const int height = 32;
  const int baseline = 14;
  texels.assign(static_cast<size_t>(width) * height * 4, 0);
  int pen = 1;
  for (char c : s) {
    if (FT_Load_Char(face, static_cast<unsigned char>(c), FT_LOAD_RENDER) != 0) continue;
    FT_GlyphSlot slot = face->glyph;
    for (unsigned y = 0; y < slot->bitmap.rows; ++y) {
      const int ty = baseline - slot->bitmap_top + static_cast<int>(y);
      for (unsigned x = 0; x < slot->bitmap.width; ++x) {
        const int tx = pen + slot->bitmap_left + static_cast<int>(x);
        if (tx < 0 || tx >= width || ty < 0 || ty >= height) continue;
        unsigned char* t = &texels[(static_cast<size_t>(ty) * width + tx) * 4];
        t[0] = t[1] = t[2] = 255;
        t[3] = slot->bitmap.buffer[y * slot->bitmap.pitch + x] != 0 ? 255 : 0;
      }
    }
    pen += static_cast<int>(slot->advance.x >> 6);
  }
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
  glBindTexture(GL_TEXTURE_2D, 0);
  glDeleteTextures(1, &texture);
}

void BM_PlainFreeTypeUpload(benchmark::State& state) {
  if (!Context().Ok()) return state.SkipWithError("no GL context");
  static PlainFace plain;
  if (plain.face == nullptr) return state.SkipWithError("no font");
  const std::vector<std::string>& strings = NewStrings();
  std::vector<unsigned char> texels;
  size_t i = 0;
  for (auto _ : state) PlainRenderAndUpload(plain.face, strings[i++ % strings.size()], texels);
  glFinish();
}
BENCHMARK(BM_PlainFreeTypeUpload)->Unit(benchmark::kMicrosecond);

// The plain work on a face opened (and set up) for each call, the
// counterpart of BM_CreateTextNewFreshFont.
void BM_PlainFreeTypeUploadFreshFace(benchmark::State& state) {
  if (!Context().Ok()) return state.SkipWithError("no GL context");
  const std::vector<std::string>& strings = NewStrings();
  std::vector<unsigned char> texels;
  size_t i = 0;
  for (auto _ : state) {
    state.PauseTiming();
    {
      PlainFace plain;
      state.ResumeTiming();
      if (plain.face != nullptr) PlainRenderAndUpload(plain.face, strings[i++ % strings.size()], texels);
      state.PauseTiming();
    }
    state.ResumeTiming();
  }
  glFinish();
}
BENCHMARK(BM_PlainFreeTypeUploadFreshFace)->Unit(benchmark::kMicrosecond);
#endif

}  // namespace
