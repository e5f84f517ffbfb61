// fuzz_seeds.cpp - writes the fuzzers' seed corpora: fuzz_seeds <dir> fills
// <dir>/fuzz_png, <dir>/fuzz_text and <dir>/fuzz_menu with small inputs.
#include <sys/stat.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "fuzz_menu_ops.h"
#include "png_encoder.h"

namespace {

using Bytes = std::vector<uint8_t>;

bool Write(const std::string& path, const Bytes& bytes) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && ok;
}

// A picture of the given format with samples from a simple pattern.
Bytes Picture(uint32_t w, uint32_t h, int colorType, int depth, bool interlaced, const Bytes& plte = {},
              const Bytes& trns = {}) {
  const size_t rowBytes = (static_cast<size_t>(w) * vrenkpng::Channels(colorType) * depth + 7) / 8;
  std::vector<Bytes> rows(h, Bytes(rowBytes));
  for (uint32_t y = 0; y < h; ++y)
    for (size_t x = 0; x < rowBytes; ++x) rows[y][x] = static_cast<uint8_t>(x * 29 + y * 53);
  if (colorType == 3) {
    // Indices within the palette.
    const unsigned entries = static_cast<unsigned>(plte.size() / 3);
    for (auto& row : rows)
      for (auto& b : row) b = static_cast<uint8_t>(depth == 8 ? b % entries : b & (depth == 1 ? 0x55 : 0x11));
  }
  return vrenkpng::Encode(w, h, colorType, depth, interlaced, rows, plte, trns);
}

void PngSeeds(const std::string& dir, int& n) {
  const Bytes plte = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255};
  const std::vector<Bytes> seeds = {
      Picture(4, 4, 6, 8, false),
      Picture(3, 5, 6, 16, true),
      Picture(5, 2, 2, 8, false, {}, {0, 1, 0, 2, 0, 3}),
      Picture(7, 3, 0, 1, false),
      Picture(6, 6, 0, 4, true, {}, {0, 5}),
      Picture(2, 9, 4, 8, false),
      Picture(9, 2, 3, 2, false, plte, {0, 128}),
      Picture(8, 8, 3, 8, true, plte),
      Picture(1, 1, 0, 16, false),
  };
  for (const Bytes& seed : seeds) Write(dir + "/seed" + std::to_string(n++), seed);
}

// A string literal with any zero bytes inside it.
template <size_t N>
std::string Literal(const char (&s)[N]) {
  return std::string(s, N - 1);
}

void TextSeeds(const std::string& dir, int& n) {
  // The fuzzer takes its parameters from the end of the input and the
  // string from the front.
  const std::vector<std::string> strings = {
      Literal("Open"), Literal("Save the file"), Literal("  two  spaces  "), Literal("tab\there"),
      Literal("Gr\xc3\xbc\xc3\x9f" "e \xe2\x9c\x93"), Literal("a\0hidden"), Literal("\xff\xfe broken utf-8"),
      Literal("W"), Literal("Supercalifragilisticexpialidocious x")};
  for (size_t i = 0; i < strings.size(); ++i) {
    Bytes seed(strings[i].begin(), strings[i].end());
    for (uint8_t tail : {uint8_t(0x40), uint8_t(0x80), uint8_t(0x11), uint8_t(0x33), uint8_t(0x01), uint8_t(0x00)})
      seed.push_back(static_cast<uint8_t>(tail + i));
    Write(dir + "/seed" + std::to_string(n++), seed);
  }
}

void MenuSeeds(const std::string& dir, int& n) {
  using namespace vrenkfuzz::ops;
  // Argument bytes as the fuzzer reads them: a count byte below 250 is the
  // count modulo 24, a coordinate byte from 32 to 159 is its value plus 64,
  // an angle byte from 24 on is 3 degrees a step from 24.
  auto at = [](int v) { return static_cast<uint8_t>(v + 64); };
  // A wheel of six items with icons and tooltips, hovered and clicked.
  Bytes a = {kInitWheel, 6, at(26), at(32), at(32), 34};
  for (uint8_t i = 0; i < 6; ++i) {
    a.insert(a.end(), {kSetItem, i, at(i), uint8_t(1 + i % 4), uint8_t(2 + i % 3), uint8_t(i & 1), 0, 1});
  }
  a.insert(a.end(), {kSetCallback, 3, kMove, at(45), at(32), kRender, kDown, at(45), at(32), kUp, at(45), at(32),
                     kMove, at(32), at(50), kRender});
  // A double wheel with both rings filled, tooltip styles switched.
  Bytes b = {kInitDouble, 3, 5, at(26), at(32), at(32), 34, 34};
  for (uint8_t i = 0; i < 5; ++i) {
    b.insert(b.end(), {kSetRingItem, uint8_t(i & 1), uint8_t(i / 2), at(i), uint8_t(1 + i % 4), uint8_t(2 + i % 3),
                       uint8_t(i & 1), 0, 1});
  }
  b.insert(b.end(), {kTooltip, 1, 1, 1, kRender, kMove, at(32), at(32), kMove, at(55), at(32), kTooltip, 1, 1, 2,
                     kRender, kDown, at(55), at(32), kUp, at(55), at(32), kTooltip, 1, 1, 0, kRender});
  // Both menus, an empty viewport, a release and a new start.
  Bytes c = {kInitWheel, 2, at(20), at(16), at(16), 30, kInitDouble, 0, 1, at(20), at(40), at(40), 30, 60,
             kOnSize, 0, at(0), at(0), at(0), at(0), at(0), at(0), kRender, kMove, at(16), at(48),
             kReleaseMenu, 0, kManagerRenew, kInitWheel, 9, at(20), at(32), at(32), 30, kRender};
  // Marking: direction mode with a hook, a popup with a delay on the
  // injected clock, a stroke, a tap, keys.
  Bytes d = {kInitWheel, 6, at(26), at(32), at(32), 34, kInitDouble, 2, 6, at(24), at(40), at(30), 30, 60,
             kDirection, 0, 1, 40, 24, kHighlightHook, 0, 0, kHighlightHook, 1, 2, kPopupDelay, at(50),
             kPopup, 0, at(32), at(32), kClock, 3, kMove, at(40), at(10), kClock, 10, kUp, at(40), at(10),
             kPopup, 1, at(20), at(20), kUp, at(20), at(20), kKey, 1, 2, 0, kKey, 1, 5, 0, kKey, 1, 7, 0,
             kMove, at(32), at(30), kDown, at(32), at(30), kMove, at(2), at(60), kUp, at(2), at(60), kRender};
  // The double wheel of b drawn by the shader backend (render mode bit 2).
  Bytes e(b.begin(), b.begin() + 8 + 5 * 9);
  e.insert(e.end(), {kTooltip, 1, 1, 1, kRender, 4, kMove, at(55), at(32), kRender, 5, kTooltip, 1, 1, 0,
                     kRender, 6, kRender, 0});
  for (const Bytes& seed : {a, b, c, d, e}) Write(dir + "/seed" + std::to_string(n++), seed);
  // And a few arbitrary ones.
  uint32_t state = 12345;
  for (int k = 0; k < 4; ++k) {
    Bytes seed(96);
    for (auto& byte : seed) {
      state = state * 1103515245u + 12345u;
      byte = static_cast<uint8_t>(state >> 16);
    }
    Write(dir + "/seed" + std::to_string(n++), seed);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <corpus dir>\n", argv[0]);
    return 2;
  }
  const std::string root = argv[1];
  mkdir(root.c_str(), 0755);
  int n = 0;
  const std::string png = root + "/fuzz_png", text = root + "/fuzz_text", menu = root + "/fuzz_menu";
  for (const std::string& d : {png, text, menu}) mkdir(d.c_str(), 0755);
  PngSeeds(png, n);
  TextSeeds(text, n);
  MenuSeeds(menu, n);
  std::printf("fuzz_seeds: %d seeds in %s\n", n, root.c_str());
  return 0;
}
