#include "image/png_files.h"

#include <png.h>
#include <zlib.h>

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

int Channels(int colorType) {
  switch (colorType) {
    case PNG_COLOR_TYPE_GRAY:
    case PNG_COLOR_TYPE_PALETTE:
      return 1;
    case PNG_COLOR_TYPE_GRAY_ALPHA:
      return 2;
    case PNG_COLOR_TYPE_RGB:
      return 3;
    default:
      return 4;
  }
}

// Packs one row of unpacked samples at the picture's bit depth.
std::vector<uint8_t> PackRow(const PngPicture& p, int y) {
  const int n = p.width * Channels(p.colorType);
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

void AppendToVector(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

void Flush(png_structp) {}

void Chunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
  auto put32 = [&out](uint32_t v) {
    for (int s = 24; s >= 0; s -= 8) out.push_back(static_cast<uint8_t>(v >> s));
  };
  put32(static_cast<uint32_t>(data.size()));
  size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  put32(static_cast<uint32_t>(crc32(0, out.data() + start, static_cast<uInt>(out.size() - start))));
}

}  // namespace

std::vector<uint8_t> EncodePng(const PngPicture& p) {
  std::vector<uint8_t> out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  std::vector<std::vector<uint8_t>> rows;
  for (int y = 0; y < p.height; ++y) rows.push_back(PackRow(p, y));
  std::vector<png_bytep> pointers;
  for (auto& row : rows) pointers.push_back(row.data());
  std::vector<png_color> palette;
  for (size_t i = 0; i + 2 < p.palette.size(); i += 3) {
    palette.push_back(png_color{p.palette[i], p.palette[i + 1], p.palette[i + 2]});
  }
  png_color_16 key{};
  key.gray = static_cast<png_uint_16>(p.colorKey[0]);
  key.red = static_cast<png_uint_16>(p.colorKey[0]);
  key.green = static_cast<png_uint_16>(p.colorKey[1]);
  key.blue = static_cast<png_uint_16>(p.colorKey[2]);
  // Nothing with a destructor is made between here and the last libpng call.
  if (setjmp(png_jmpbuf(png)) != 0) {
    png_destroy_write_struct(&png, &info);
    return {};
  }
  png_set_write_fn(png, &out, AppendToVector, Flush);
  png_set_IHDR(png, info, p.width, p.height, p.bitDepth, p.colorType,
               p.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  if (!palette.empty()) png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
  if (!p.trnsAlpha.empty()) {
    png_set_tRNS(png, info, p.trnsAlpha.data(), static_cast<int>(p.trnsAlpha.size()), nullptr);
  } else if (p.hasColorKey) {
    png_set_tRNS(png, info, nullptr, 0, &key);
  }
  png_set_rows(png, info, pointers.data());
  png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
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
  Chunk(out, "IHDR", ihdr);
  Chunk(out, "IEND", {});
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
