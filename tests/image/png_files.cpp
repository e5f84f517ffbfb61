#include "image/png_files.h"

#include "png_encoder.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

namespace vrenktest {
namespace fs = std::filesystem;

ScratchDir::ScratchDir() {
  std::random_device random;
  fs::path base = fs::temp_directory_path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    fs::path candidate = base / ("vrenk-test-" + std::to_string(random()));
    std::error_code error;
    if (fs::create_directory(candidate, error)) {
      m_path = candidate.string();
      return;
    }
  }
}

ScratchDir::~ScratchDir() {
  std::error_code error;
  if (!m_path.empty()) fs::remove_all(m_path, error);
}

std::string ScratchDir::Path(const std::string& name) const { return (fs::path(m_path) / name).string(); }

namespace {

// Packs one row of unpacked samples at the picture's bit depth.
std::vector<uint8_t> PackRow(const PngPicture& p, int y) {
  const int n = p.width * vrenkpng::Channels(p.colorType);
  std::vector<uint8_t> row((static_cast<size_t>(n) * p.bitDepth + 7) / 8, 0);
  for (int i = 0; i < n; ++i) {
    unsigned v = p.samples[static_cast<size_t>(y) * n + i];
    if (p.bitDepth == 16) {
      row[2 * i] = static_cast<uint8_t>(v >> 8);
      row[2 * i + 1] = static_cast<uint8_t>(v);
    } else if (p.bitDepth == 8) {
      row[i] = static_cast<uint8_t>(v);
    } else {
      size_t bit = static_cast<size_t>(i) * p.bitDepth;
      row[bit / 8] |= static_cast<uint8_t>(v << (8 - p.bitDepth - bit % 8));
    }
  }
  return row;
}

}  // namespace

std::vector<uint8_t> EncodePng(const PngPicture& p) {
  std::vector<std::vector<uint8_t>> rows;
  for (int y = 0; y < p.height; ++y) rows.push_back(PackRow(p, y));
  std::vector<uint8_t> trns;
  if (!p.trnsAlpha.empty()) {
    trns = p.trnsAlpha;
  } else if (p.hasColorKey) {
    const int keys = p.colorType == 0 ? 1 : 3;
    for (int k = 0; k < keys; ++k) {
      trns.push_back(static_cast<uint8_t>(p.colorKey[k] >> 8));
      trns.push_back(static_cast<uint8_t>(p.colorKey[k]));
    }
  }
  return vrenkpng::Encode(static_cast<uint32_t>(p.width), static_cast<uint32_t>(p.height), p.colorType,
                          p.bitDepth, p.interlaced, rows, p.palette, trns);
}

bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && ok;
}

bool WriteBytes(const std::wstring& path, const std::vector<uint8_t>& bytes) {
#if defined(_WIN32)
  fs::path native(path);
#else
  // File names are UTF-8 here, whatever the process's locale says.
  std::string native;
  for (wchar_t w : path) {
    uint32_t c = static_cast<uint32_t>(w);
    if (c < 0x80) {
      native += static_cast<char>(c);
    } else if (c < 0x800) {
      native += static_cast<char>(0xC0 | (c >> 6));
      native += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      native += static_cast<char>(0xE0 | (c >> 12));
      native += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      native += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      native += static_cast<char>(0xF0 | (c >> 18));
      native += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      native += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      native += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
#endif
  std::ofstream out(native, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return static_cast<bool>(out);
}

std::wstring Widen(const std::string& ascii) {
  std::wstring wide;
  for (char c : ascii) wide += static_cast<wchar_t>(static_cast<unsigned char>(c));
  return wide;
}

bool WritePng(const std::string& path, const PngPicture& picture) {
  std::vector<uint8_t> bytes = EncodePng(picture);
  return !bytes.empty() && WriteBytes(path, bytes);
}

std::vector<uint8_t> PngHeaderOnly(uint32_t width, uint32_t height, int colorType, int bitDepth) {
  std::vector<uint8_t> out = {137, 80, 78, 71, 13, 10, 26, 10};
  std::vector<uint8_t> ihdr;
  for (uint32_t v : {width, height}) {
    for (int s = 24; s >= 0; s -= 8) ihdr.push_back(static_cast<uint8_t>(v >> s));
  }
  ihdr.push_back(static_cast<uint8_t>(bitDepth));
  ihdr.push_back(static_cast<uint8_t>(colorType));
  ihdr.push_back(0);
  ihdr.push_back(0);
  ihdr.push_back(0);
  vrenkpng::AppendChunk(out, "IHDR", ihdr);
  vrenkpng::AppendChunk(out, "IEND", {});
  return out;
}

PngPicture Rgba8Pattern(int width, int height) {
  PngPicture p;
  p.width = width;
  p.height = height;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      p.samples.push_back(static_cast<unsigned>((x * 37 + 11) & 0xFF));
      p.samples.push_back(static_cast<unsigned>((y * 53 + 7) & 0xFF));
      p.samples.push_back(static_cast<unsigned>((x * y + 101) & 0xFF));
      p.samples.push_back(static_cast<unsigned>((x + 2 * y) * 29 & 0xFF));
    }
  }
  return p;
}

}  // namespace vrenktest
