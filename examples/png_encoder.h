// png_encoder.h - a small PNG writer (zlib only) for hosts that save
// screenshots, and for the project's own tests, which write their icon
// files with it in every PNG format.
#ifndef VRENK_EXAMPLES_PNG_ENCODER_H
#define VRENK_EXAMPLES_PNG_ENCODER_H

#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace vrenkpng {

inline int Channels(int colorType) {
  switch (colorType) {
    case 0:
    case 3:
      return 1;
    case 4:
      return 2;
    case 2:
      return 3;
    default:
      return 4;
  }
}

inline void Put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) out.push_back(static_cast<uint8_t>(v >> s));
}

// Appends one chunk: length, type, data and the CRC of type and data.
inline void AppendChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
  Put32(out, static_cast<uint32_t>(data.size()));
  const size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  Put32(out, static_cast<uint32_t>(crc32(0, out.data() + start, static_cast<uInt>(out.size() - start))));
}

// Encodes packed rows (top row first, each (width x channels x depth + 7) / 8
// bytes) as a PNG file, optionally Adam7-interlaced. plte holds RGB triples,
// trns the tRNS chunk's data as it is stored. Empty on failure.
inline std::vector<uint8_t> Encode(uint32_t width, uint32_t height, int colorType, int bitDepth, bool interlaced,
                                   const std::vector<std::vector<uint8_t>>& rows,
                                   const std::vector<uint8_t>& plte = {}, const std::vector<uint8_t>& trns = {}) {
  const size_t bpp = static_cast<size_t>(Channels(colorType)) * bitDepth;  // bits per pixel
  // Copies pixel x of a packed row into pixel i of another.
  auto copyPixel = [bpp](const uint8_t* src, size_t x, uint8_t* dst, size_t i) {
    if (bpp >= 8) {
      for (size_t b = 0; b < bpp / 8; ++b) dst[i * bpp / 8 + b] = src[x * bpp / 8 + b];
      return;
    }
    const size_t from = x * bpp;
    const size_t to = i * bpp;
    const unsigned mask = (1u << bpp) - 1;
    const unsigned v = (src[from / 8] >> (8 - bpp - from % 8)) & mask;
    dst[to / 8] = static_cast<uint8_t>(dst[to / 8] | (v << (8 - bpp - to % 8)));
  };

  std::vector<uint8_t> raw;
  auto addPass = [&](uint32_t x0, uint32_t y0, uint32_t dx, uint32_t dy) {
    if (x0 >= width || y0 >= height) return;
    const size_t count = (width - x0 + dx - 1) / dx;
    for (uint32_t y = y0; y < height; y += dy) {
      std::vector<uint8_t> line((count * bpp + 7) / 8, 0);
      for (size_t i = 0; i < count; ++i) copyPixel(rows[y].data(), x0 + i * dx, line.data(), i);
      raw.push_back(0);  // filter: none
      raw.insert(raw.end(), line.begin(), line.end());
    }
  };
  if (interlaced) {
    static const uint32_t kPasses[7][4] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                           {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
    for (const auto& p : kPasses) addPass(p[0], p[1], p[2], p[3]);
  } else {
    addPass(0, 0, 1, 1);
  }

  uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
  std::vector<uint8_t> idat(packedSize);
  if (compress2(idat.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 6) != Z_OK) return {};
  idat.resize(packedSize);

  std::vector<uint8_t> out = {137, 80, 78, 71, 13, 10, 26, 10};
  std::vector<uint8_t> ihdr;
  Put32(ihdr, width);
  Put32(ihdr, height);
  ihdr.push_back(static_cast<uint8_t>(bitDepth));
  ihdr.push_back(static_cast<uint8_t>(colorType));
  ihdr.push_back(0);
  ihdr.push_back(0);
  ihdr.push_back(interlaced ? 1 : 0);
  AppendChunk(out, "IHDR", ihdr);
  if (!plte.empty()) AppendChunk(out, "PLTE", plte);
  if (!trns.empty()) AppendChunk(out, "tRNS", trns);
  AppendChunk(out, "IDAT", idat);
  AppendChunk(out, "IEND", {});
  return out;
}

// Writes a bottom-up RGBA frame (as glReadPixels gives it) as a PNG file.
inline bool WriteFrame(const std::string& path, const std::vector<uint8_t>& rgba, uint32_t width, uint32_t height) {
  std::vector<std::vector<uint8_t>> rows;
  for (uint32_t y = 0; y < height; ++y) {
    const uint8_t* row = &rgba[static_cast<size_t>(height - 1 - y) * width * 4];
    rows.emplace_back(row, row + static_cast<size_t>(width) * 4);
  }
  std::vector<uint8_t> bytes = Encode(width, height, 6, 8, false, rows);
  if (bytes.empty()) return false;
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && ok;
}

}  // namespace vrenkpng

#endif  // VRENK_EXAMPLES_PNG_ENCODER_H
