// VrenkImagePNG.cpp - PNG files read through libpng, kept in the file's own
// pixel format, and expanded to 8-bit RGBA on request.
#include "VrenkImagePNG.h"
#include "VrenkResult.h"

#include <png.h>

#include <clocale>
#include <cstring>
#include <locale>
#include <new>
#include <string>

#include "common/user_locale.h"
#include "platform/crt.h"

namespace VrenkGLWidge {
namespace {

// libpng reports through these instead of printing: the library shows no
// messages, and an error ends the read through the jump buffer.
void SilentError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void SilentWarning(png_structp, png_const_charp) {}

// Ancillary chunks (text, profiles) may not make libpng allocate more.
const png_alloc_size_t kMaxChunkBytes = 8u * 1024u * 1024u;

unsigned int ChannelsOf(unsigned int colorType) {
  switch (colorType) {
    case PNG_COLOR_TYPE_GRAY:
    case PNG_COLOR_TYPE_PALETTE:
      return 1;
    case PNG_COLOR_TYPE_GRAY_ALPHA:
      return 2;
    case PNG_COLOR_TYPE_RGB:
      return 3;
    case PNG_COLOR_TYPE_RGB_ALPHA:
      return 4;
    default:
      return 0;
  }
}

uint32_t BigEndian32(const unsigned char* p) {
  return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | uint32_t(p[3]);
}

// Looks at the header chunk before libpng does, so that a file claiming a
// huge picture is refused before anything is allocated for it. Anything
// that is not a plain header is left for libpng to judge. The file is
// rewound; false also when it cannot be.
bool HeaderWithinLimits(FILE* file) {
  unsigned char head[33];
  size_t got = fread(head, 1, sizeof head, file);
  if (fseek(file, 0, SEEK_SET) != 0) return false;
  static const unsigned char kSignature[8] = {137, 80, 78, 71, 13, 10, 26, 10};
  if (got < sizeof head || std::memcmp(head, kSignature, 8) != 0 || std::memcmp(head + 12, "IHDR", 4) != 0) {
    return true;
  }
  uint64_t width = BigEndian32(head + 16);
  uint64_t height = BigEndian32(head + 20);
  unsigned int depth = head[24];
  unsigned int channels = ChannelsOf(head[25]);
  if (width == 0 || height == 0 || channels == 0) return true;
  if (width > CVrenkImagePNG::MAX_DIMENSION || height > CVrenkImagePNG::MAX_DIMENSION) return false;
  uint64_t rowBytes = (width * channels * depth + 7) / 8;
  if (rowBytes * height > CVrenkImagePNG::MAX_DECODED_BYTES) return false;
  if (width * height * 4 > CVrenkImagePNG::MAX_DECODED_BYTES) return false;
  return true;
}

}  // namespace

CVrenkImagePNG::CVrenkImagePNG()
    : CVrenkImageBase(4),
      m_nColorType(0),
      m_nBitDepth(0),
      m_nRowBytes(0),
      m_nPaletteSize(0),
      m_Palette(),
      m_bHasColorKey(false),
      m_ColorKey() {}

void CVrenkImagePNG::Release() {}

int CVrenkImagePNG::Write(wchar_t* const) { return RESULT_NOT_SUPPORTED; }

int CVrenkImagePNG::Crop(int, int, int, int) { return RESULT_NOT_SUPPORTED; }

namespace {

// Opens a file for reading in the user's locale; null when it cannot be.
FILE* OpenForReading(const char* path) {
  FILE* file = nullptr;
  return fopen_s(&file, path, "rb") == 0 ? file : nullptr;
}
FILE* OpenForReading(const wchar_t* path) {
  FILE* file = nullptr;
  return _wfopen_s(&file, path, L"rb") == 0 ? file : nullptr;
}

}  // namespace

template <typename Char>
int CVrenkImagePNG::ReadPath(const Char* path) {
  FILE* file = nullptr;
  try {
    CUserLocaleScope scope;
    if (path != nullptr) file = OpenForReading(path);
  } catch (...) {
    file = nullptr;
  }
  if (file == nullptr) return RESULT_FILE_NOT_OPENED;
  bool ok = Decode(file);
  fclose(file);
  return ok ? RESULT_OK : RESULT_IMAGE_NOT_LOADED;
}

int CVrenkImagePNG::Read(const char* path) { return ReadPath(path); }

int CVrenkImagePNG::Read(const wchar_t* path) { return ReadPath(path); }

// Only trivially destructible locals live here: libpng's errors come back
// through longjmp to the setjmp below.
bool CVrenkImagePNG::Decode(FILE* file) {
  png_structp png = nullptr;
  png_infop info = nullptr;
  try {
    if (file == nullptr) throw "Null file pointer";
    if (!HeaderWithinLimits(file)) throw "Image too large";
    png = png_create_read_struct_2(PNG_LIBPNG_VER_STRING, nullptr, SilentError, SilentWarning, nullptr, nullptr,
                                   nullptr);
    if (png == nullptr) throw "Failed to create PNG structure";
    info = png_create_info_struct(png);
    if (info == nullptr) {
      png_destroy_read_struct(&png, nullptr, nullptr);
      throw "Failed to initialize PNG info structure";
    }
    if (setjmp(png_jmpbuf(png)) != 0) {
      png_destroy_read_struct(&png, &info, nullptr);
      throw "Damaged PNG data";
    }
    png_set_user_limits(png, MAX_DIMENSION, MAX_DIMENSION);
    png_set_chunk_malloc_max(png, kMaxChunkBytes);
    png_init_io(png, file);
    png_read_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);

    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    const unsigned int colorType = png_get_color_type(png, info);
    const unsigned int bitDepth = png_get_bit_depth(png, info);
    const png_size_t rowBytes = png_get_rowbytes(png, info);
    png_bytepp rows = png_get_rows(png, info);
    const unsigned int channels = ChannelsOf(colorType);
    const size_t total = rowBytes * height;
    unsigned char* pixels =
        (rows == nullptr || channels == 0) ? nullptr : static_cast<unsigned char*>(::operator new(total, std::nothrow));
    if (pixels == nullptr) {
      png_destroy_read_struct(&png, &info, nullptr);
      throw "No pixels";
    }
    for (png_uint_32 y = 0; y < height; ++y) std::memcpy(pixels + y * rowBytes, rows[y], rowBytes);

    // Palette and transparency, for the expansion to RGBA.
    unsigned int paletteSize = 0;
    unsigned char palette[256][4] = {};
    bool hasColorKey = false;
    unsigned short colorKey[3] = {0, 0, 0};
    png_colorp plte = nullptr;
    int plteCount = 0;
    if (colorType == PNG_COLOR_TYPE_PALETTE && png_get_PLTE(png, info, &plte, &plteCount) != 0 && plte != nullptr) {
      paletteSize = plteCount > 256 ? 256u : static_cast<unsigned int>(plteCount);
      for (unsigned int i = 0; i < paletteSize; ++i) {
        palette[i][0] = plte[i].red;
        palette[i][1] = plte[i].green;
        palette[i][2] = plte[i].blue;
        palette[i][3] = 255;
      }
    }
    png_bytep trnsAlpha = nullptr;
    int trnsCount = 0;
    png_color_16p trnsColor = nullptr;
    if (png_get_tRNS(png, info, &trnsAlpha, &trnsCount, &trnsColor) != 0) {
      if (colorType == PNG_COLOR_TYPE_PALETTE && trnsAlpha != nullptr) {
        for (int i = 0; i < trnsCount && i < 256; ++i) palette[i][3] = trnsAlpha[i];
      } else if (trnsColor != nullptr) {
        hasColorKey = true;
        if (colorType == PNG_COLOR_TYPE_GRAY) {
          colorKey[0] = trnsColor->gray;
        } else {
          colorKey[0] = trnsColor->red;
          colorKey[1] = trnsColor->green;
          colorKey[2] = trnsColor->blue;
        }
      }
    }

    // libpng's rows go back now: the image keeps only its own buffer.
    png_destroy_info_struct(png, &info);
    png_destroy_read_struct(&png, nullptr, nullptr);

    BITMAPINFOHEADER header = m_Header;
    header.biSize = 40;
    header.biWidth = static_cast<LONG>(width);
    header.biHeight = static_cast<LONG>(height);
    header.biPlanes = 1;
    if (channels == 1) {
      unsigned int bits = bitDepth;
      header.biBitCount = static_cast<WORD>(bits > 8 ? 8 : bits);
    } else if (channels == 2) {
      header.biBitCount = 8;
    } else {
      header.biBitCount = 24;
    }
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(width * height);
    header.biClrUsed = header.biBitCount == 1 ? 2 : header.biBitCount == 4 ? 16 : header.biBitCount == 8 ? 256 : 0;

    ::operator delete(m_pPixels);
    m_pPixels = pixels;
    m_Header = header;
    m_nColorType = colorType;
    m_nBitDepth = bitDepth;
    m_nRowBytes = static_cast<unsigned int>(rowBytes);
    m_nPaletteSize = paletteSize;
    std::memcpy(m_Palette, palette, sizeof palette);
    m_bHasColorKey = hasColorKey;
    std::memcpy(m_ColorKey, colorKey, sizeof colorKey);
    return true;
  } catch (const char*) {
    return false;
  }
}

namespace {

// Reads sample x of a row of samples of the given bit depth (1 to 16).
inline unsigned int Sample(const unsigned char* row, size_t x, unsigned int depth) {
  switch (depth) {
    case 16:
      return (static_cast<unsigned int>(row[2 * x]) << 8) | row[2 * x + 1];
    case 8:
      return row[x];
    default: {
      size_t bit = x * depth;
      unsigned int shift = 8 - depth - static_cast<unsigned int>(bit % 8);
      return (row[bit / 8] >> shift) & ((1u << depth) - 1);
    }
  }
}

// Scales a sample of the given depth to 8 bits (16-bit samples keep their
// high byte).
inline unsigned char To8(unsigned int value, unsigned int depth) {
  if (depth == 16) return static_cast<unsigned char>(value >> 8);
  if (depth == 8) return static_cast<unsigned char>(value);
  return static_cast<unsigned char>(value * 255 / ((1u << depth) - 1));
}

}  // namespace

bool CVrenkImagePNG::ExpandToRGBA8(unsigned char* rgba) const {
  if (rgba == nullptr || m_pPixels == nullptr) return false;
  const size_t width = GetWidth();
  const size_t height = GetHeight();
  const unsigned int depth = m_nBitDepth;
  const unsigned int channels = ChannelsOf(m_nColorType);
  if (channels == 0 || (depth != 1 && depth != 2 && depth != 4 && depth != 8 && depth != 16)) return false;
  // The buffer must hold every sample the loops below read.
  if ((width * channels * depth + 7) / 8 > m_nRowBytes) return false;

  for (size_t y = 0; y < height; ++y) {
    const unsigned char* row = m_pPixels + y * m_nRowBytes;
    unsigned char* out = rgba + y * width * 4;
    for (size_t x = 0; x < width; ++x, out += 4) {
      switch (m_nColorType) {
        case PNG_COLOR_TYPE_GRAY: {
          unsigned int g = Sample(row, x, depth);
          out[0] = out[1] = out[2] = To8(g, depth);
          out[3] = (m_bHasColorKey && g == m_ColorKey[0]) ? 0 : 255;
          break;
        }
        case PNG_COLOR_TYPE_PALETTE: {
          unsigned int i = Sample(row, x, depth);
          if (i < m_nPaletteSize) {
            std::memcpy(out, m_Palette[i], 4);
          } else {
            out[0] = out[1] = out[2] = 0;  // an index past the palette shows black
            out[3] = 255;
          }
          break;
        }
        case PNG_COLOR_TYPE_GRAY_ALPHA:
          out[0] = out[1] = out[2] = To8(Sample(row, 2 * x, depth), depth);
          out[3] = To8(Sample(row, 2 * x + 1, depth), depth);
          break;
        case PNG_COLOR_TYPE_RGB: {
          unsigned int r = Sample(row, 3 * x, depth);
          unsigned int g = Sample(row, 3 * x + 1, depth);
          unsigned int b = Sample(row, 3 * x + 2, depth);
          out[0] = To8(r, depth);
          out[1] = To8(g, depth);
          out[2] = To8(b, depth);
          out[3] = (m_bHasColorKey && r == m_ColorKey[0] && g == m_ColorKey[1] && b == m_ColorKey[2]) ? 0 : 255;
          break;
        }
        default:  // RGBA
          for (unsigned int c = 0; c < 4; ++c) out[c] = To8(Sample(row, 4 * x + c, depth), depth);
          break;
      }
    }
  }
  return true;
}

}  // namespace VrenkGLWidge
