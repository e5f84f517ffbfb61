// fuzz_support.cpp - the fuzzers' shared context, checks and icon files.
#include "fuzz_support.h"

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "png_encoder.h"

namespace vrenkfuzz {

using namespace VrenkGLWidge;

const Context& GLContext() {
  static const Context context = [] {
    Context c{};
    c.width = 64;
    c.height = 64;
    c.hWnd = CreateOffscreenWindow(c.width, c.height);
    if (c.hWnd == nullptr) Fail(__FILE__, __LINE__, "no offscreen window could be made");
    c.hDC = GetDC(c.hWnd);
    c.hRC = wglCreateContext(c.hDC);
    if (c.hRC == nullptr || !wglMakeCurrent(c.hDC, c.hRC)) Fail(__FILE__, __LINE__, "no GL context could be made");
    glViewport(0, 0, c.width, c.height);
    return c;
  }();
  return context;
}

void Fail(const char* file, int line, const std::string& what) {
  std::fprintf(stderr, "%s:%d: invariant broken: %s\n", file, line, what.c_str());
  std::fflush(stderr);
  std::abort();
}

void CheckGLStateKept(const vrenktest::GLStateSnapshot& before, const char* what) {
  const vrenktest::GLStateSnapshot after = vrenktest::GLStateSnapshot::Capture();
  const std::string diff = vrenktest::DiffGLState(before, after);
  if (!diff.empty()) Fail(__FILE__, __LINE__, std::string(what) + " changed the GL state:\n" + diff);
}

namespace {

void RemoveScratch() {
  const std::string& dir = ScratchDir();
  for (size_t k = 0; k < kIconCount; ++k) std::remove(IconPath(k).c_str());
  std::remove((dir + "/input.png").c_str());
  rmdir(dir.c_str());
}

std::vector<uint8_t> Rgba8Icon(uint32_t size) {
  std::vector<std::vector<uint8_t>> rows(size, std::vector<uint8_t>(size * 4));
  for (uint32_t y = 0; y < size; ++y)
    for (uint32_t x = 0; x < size * 4; ++x) rows[y][x] = static_cast<uint8_t>(x * 37 + y * 11);
  return vrenkpng::Encode(size, size, 6, 8, false, rows);
}

std::vector<uint8_t> PaletteIcon() {
  // 4-bit palette, 5 x 3, with a palette shorter than the indices used.
  std::vector<std::vector<uint8_t>> rows(3, std::vector<uint8_t>(3));
  for (auto& row : rows) row = {0x01, 0x23, 0xF0};
  return vrenkpng::Encode(5, 3, 3, 4, true, rows, {255, 0, 0, 0, 255, 0, 0, 0, 255}, {128, 255});
}

std::vector<uint8_t> Gray16Icon() {
  std::vector<std::vector<uint8_t>> rows(2, std::vector<uint8_t>{0x12, 0x34, 0xFF, 0xFF, 0x00, 0x00});
  return vrenkpng::Encode(3, 2, 0, 16, false, rows, {}, {0xFF, 0xFF});
}

}  // namespace

// The folder's name and the icon paths are never destroyed: the clean-up at
// exit needs them after static objects have gone.
const std::string& ScratchDir() {
  static const std::string* dir = [] {
    // libFuzzer often ends the process without running exit handlers:
    // scripts/run-fuzzers.sh points TMPDIR into the build tree and empties it.
    const char* tmp = std::getenv("TMPDIR");
    std::string name = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/vrenk-fuzz-XXXXXX";
    if (mkdtemp(&name[0]) == nullptr) Fail(__FILE__, __LINE__, "no scratch folder");
    std::atexit(RemoveScratch);
    return new std::string(name);
  }();
  return *dir;
}

bool WriteFile(const std::string& path, const uint8_t* data, size_t size) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool ok = size == 0 || std::fwrite(data, 1, size, file) == size;
  return std::fclose(file) == 0 && ok;
}

const std::string& IconPath(size_t k) {
  static const std::vector<std::string>* paths = [] {
    const std::string& dir = ScratchDir();
    auto* p = new std::vector<std::string>();
    auto add = [&](const char* name, const std::vector<uint8_t>& bytes) {
      p->push_back(dir + "/" + name);
      if (!WriteFile(p->back(), bytes.data(), bytes.size())) Fail(__FILE__, __LINE__, "cannot write " + p->back());
    };
    add("rgba.png", Rgba8Icon(8));
    add("palette.png", PaletteIcon());
    add("gray16.png", Gray16Icon());
    std::vector<uint8_t> damaged = Rgba8Icon(8);
    damaged[damaged.size() / 2] ^= 0x55;
    add("damaged.png", damaged);
    std::vector<uint8_t> truncated = Rgba8Icon(8);
    truncated.resize(truncated.size() / 2);
    add("truncated.png", truncated);
    add("text.png", std::vector<uint8_t>{'n', 'o', 't', ' ', 'a', ' ', 'P', 'N', 'G'});
    p->push_back(dir + "/missing.png");
    return p;
  }();
  return (*paths)[k % paths->size()];
}

std::wstring Widen(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

}  // namespace vrenkfuzz
