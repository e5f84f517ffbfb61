// PNG files read into images: header, stored rows, the expansion to RGBA
// and every way a file can be bad.
#include <gtest/gtest.h>
#include <png.h>

#include <chrono>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <locale>
#include <string>
#include <vector>

#include "VrenkGLWidge.h"
#include "image/png_files.h"
#include "support/env.h"

using namespace VrenkGLWidge;
using vrenktest::PngPicture;

namespace {

class TestImage : public CVrenkImagePNG {
 public:
  using CVrenkImagePNG::Decode;
  const BITMAPINFOHEADER& Header() const { return m_Header; }
  const unsigned char* Bytes() const { return static_cast<const unsigned char*>(GetPixels()); }
  unsigned int RowBytes() const { return m_nRowBytes; }
};

// The reference expansion: libpng's own transforms to 8-bit RGBA.
std::vector<uint8_t> ReferenceRGBA(const std::vector<uint8_t>& file) {
  std::vector<uint8_t> out;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  struct Reader {
    const std::vector<uint8_t>* data;
    size_t offset;
  } reader{&file, 0};
  if (setjmp(png_jmpbuf(png)) != 0) {
    png_destroy_read_struct(&png, &info, nullptr);
    return {};
  }
  png_set_read_fn(png, &reader, [](png_structp p, png_bytep dst, png_size_t n) {
    auto* r = static_cast<Reader*>(png_get_io_ptr(p));
    if (r->offset + n > r->data->size()) png_error(p, "short");
    std::memcpy(dst, r->data->data() + r->offset, n);
    r->offset += n;
  });
  png_read_png(png, info,
               PNG_TRANSFORM_EXPAND | PNG_TRANSFORM_STRIP_16 | PNG_TRANSFORM_GRAY_TO_RGB, nullptr);
  png_uint_32 width = png_get_image_width(png, info);
  png_uint_32 height = png_get_image_height(png, info);
  int channels = png_get_channels(png, info);
  png_bytepp rows = png_get_rows(png, info);
  out.assign(static_cast<size_t>(width) * height * 4, 0);
  for (png_uint_32 y = 0; y < height; ++y) {
    for (png_uint_32 x = 0; x < width; ++x) {
      uint8_t* o = &out[(static_cast<size_t>(y) * width + x) * 4];
      const uint8_t* i = rows[y] + x * channels;
      o[0] = i[0];
      o[1] = i[1];
      o[2] = i[2];
      o[3] = channels == 4 ? i[3] : 255;
    }
  }
  png_destroy_read_struct(&png, &info, nullptr);
  return out;
}

class ImagePNGTest : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const PngPicture& picture) {
    std::string path = m_dir.Path(name);
    EXPECT_TRUE(vrenktest::WritePng(path, picture));
    return path;
  }
  std::string WriteRaw(const std::string& name, const std::vector<uint8_t>& bytes) {
    std::string path = m_dir.Path(name);
    EXPECT_TRUE(vrenktest::WriteBytes(path, bytes));
    return path;
  }
  vrenktest::ScratchDir m_dir;
};

TEST_F(ImagePNGTest, Rgba8FileIsStoredTopRowFirstWithItsHeader) {
  PngPicture picture = vrenktest::Rgba8Pattern(3, 2);
  std::string path = Write("icon.png", picture);
  TestImage image;
  ASSERT_EQ(image.Read(path.c_str()), 0);
  const BITMAPINFOHEADER& h = image.Header();
  EXPECT_EQ(h.biSize, 40u);
  EXPECT_EQ(h.biWidth, 3);
  EXPECT_EQ(h.biHeight, 2);
  EXPECT_EQ(h.biPlanes, 1);
  EXPECT_EQ(h.biBitCount, 24);
  EXPECT_EQ(h.biCompression, DWORD(BI_RGB));
  EXPECT_EQ(h.biSizeImage, 6u);
  EXPECT_EQ(h.biClrUsed, 0u);
  EXPECT_EQ(image.GetWidth(), 3u);
  EXPECT_EQ(image.GetHeight(), 2u);
  EXPECT_TRUE(image.IsRGBA8());
  for (size_t i = 0; i < picture.samples.size(); ++i) {
    ASSERT_EQ(image.Bytes()[i], picture.samples[i]) << "byte " << i;
  }

  // A 1 x 1 file: one pixel, four bytes.
  TestImage single;
  ASSERT_EQ(single.Read(Write("one.png", vrenktest::Rgba8Pattern(1, 1)).c_str()), 0);
  EXPECT_EQ(single.Header().biBitCount, 24);
  EXPECT_EQ(single.Header().biSizeImage, 1u);
  EXPECT_EQ(single.Header().biClrUsed, 0u);
  EXPECT_EQ(single.RowBytes(), 4u);
  PngPicture one = vrenktest::Rgba8Pattern(1, 1);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(single.Bytes()[i], one.samples[i]);
}

TEST_F(ImagePNGTest, InterlacedFileGivesTheSameBufferAsItsTwin) {
  PngPicture plain = vrenktest::Rgba8Pattern(13, 9);
  PngPicture interlaced = plain;
  interlaced.interlaced = true;
  TestImage a;
  TestImage b;
  ASSERT_EQ(a.Read(Write("plain.png", plain).c_str()), 0);
  ASSERT_EQ(b.Read(Write("adam7.png", interlaced).c_str()), 0);
  EXPECT_EQ(std::memcmp(a.Bytes(), b.Bytes(), 13 * 9 * 4), 0);
}

struct FormatCase {
  const char* name;
  int colorType;
  int bitDepth;
  int bitCount;        // expected biBitCount
  unsigned clrUsed;    // expected biClrUsed
  int bytesPerRow;     // of a 5-pixel row as stored
  bool palette;
  bool trns;
};

class ImageFormatTest : public ImagePNGTest, public ::testing::WithParamInterface<FormatCase> {};

PngPicture PictureFor(const FormatCase& c, bool interlaced) {
  PngPicture p;
  p.width = 5;
  p.height = 4;
  p.colorType = c.colorType;
  p.bitDepth = c.bitDepth;
  p.interlaced = interlaced;
  int channels = c.colorType == 0 || c.colorType == 3 ? 1 : c.colorType == 4 ? 2 : c.colorType == 2 ? 3 : 4;
  unsigned maxValue = (1u << c.bitDepth) - 1;
  unsigned paletteSize = c.palette ? (c.bitDepth == 8 ? 7u : (1u << c.bitDepth)) : 0;
  for (int i = 0; i < p.width * p.height * channels; ++i) {
    unsigned v = static_cast<unsigned>(i * 2654435761u >> 7);
    p.samples.push_back(c.palette ? v % paletteSize : v % (maxValue + 1));
  }
  for (unsigned i = 0; i < paletteSize; ++i) {
    p.palette.push_back(static_cast<uint8_t>(i * 40));
    p.palette.push_back(static_cast<uint8_t>(255 - i * 30));
    p.palette.push_back(static_cast<uint8_t>(i * 7 + 3));
  }
  if (c.trns && c.palette) p.trnsAlpha = {0, 128};
  if (c.trns && !c.palette) {
    p.hasColorKey = true;
    for (int k = 0; k < 3; ++k) p.colorKey[k] = p.samples[static_cast<size_t>(k % channels)];
    if (channels == 1) p.colorKey[0] = p.samples[0];
  }
  return p;
}

TEST_P(ImageFormatTest, KeepsTheFilesFormatAndExpandsLikeLibpng) {
  const FormatCase& c = GetParam();
  PngPicture picture = PictureFor(c, false);
  std::vector<uint8_t> file = vrenktest::EncodePng(picture);
  ASSERT_FALSE(file.empty());
  std::string path = WriteRaw(std::string(c.name) + ".png", file);

  TestImage image;
  ASSERT_EQ(image.Read(path.c_str()), 0);
  EXPECT_EQ(image.Header().biBitCount, c.bitCount);
  EXPECT_EQ(image.Header().biClrUsed, c.clrUsed);
  EXPECT_EQ(image.Header().biSizeImage, 20u);

  // The rows are the file's own: packed at its bit depth, most significant
  // byte first for 16-bit samples.
  std::vector<uint8_t> reference = ReferenceRGBA(file);
  ASSERT_EQ(reference.size(), 5u * 4 * 4);
  EXPECT_EQ(image.RowBytes(), static_cast<unsigned>(c.bytesPerRow));
  if (c.bitDepth == 16) {
    EXPECT_EQ(image.Bytes()[0], picture.samples[0] >> 8);
    EXPECT_EQ(image.Bytes()[1], picture.samples[0] & 0xFF);
  }
  if (c.bitDepth == 8) {
    const int channels = c.bytesPerRow / 5;
    for (int i = 0; i < 5 * channels; ++i) ASSERT_EQ(image.Bytes()[i], picture.samples[i]);
  }

  std::vector<uint8_t> rgba(5 * 4 * 4);
  ASSERT_TRUE(image.ExpandToRGBA8(rgba.data()));
  EXPECT_EQ(rgba, reference);

  // An interlaced twin expands to the same pixels.
  TestImage twin;
  ASSERT_EQ(twin.Read(Write(std::string(c.name) + "-adam7.png", PictureFor(c, true)).c_str()), 0);
  std::vector<uint8_t> twinRgba(rgba.size());
  ASSERT_TRUE(twin.ExpandToRGBA8(twinRgba.data()));
  EXPECT_EQ(twinRgba, reference);
}

INSTANTIATE_TEST_SUITE_P(
    EveryColourTypeAndDepth, ImageFormatTest,
    ::testing::Values(FormatCase{"gray1", 0, 1, 1, 2, 1, false, false},
                      FormatCase{"gray2", 0, 2, 2, 0, 2, false, false},
                      FormatCase{"gray4_key", 0, 4, 4, 16, 3, false, true},
                      FormatCase{"gray8", 0, 8, 8, 256, 5, false, false},
                      FormatCase{"gray16_key", 0, 16, 8, 256, 10, false, true},
                      FormatCase{"graya8", 4, 8, 8, 256, 10, false, false},
                      FormatCase{"graya16", 4, 16, 8, 256, 20, false, false},
                      FormatCase{"rgb8_key", 2, 8, 24, 0, 15, false, true},
                      FormatCase{"rgb16", 2, 16, 24, 0, 30, false, false},
                      FormatCase{"rgba16", 6, 16, 24, 0, 40, false, false},
                      FormatCase{"pal1", 3, 1, 1, 2, 1, true, false},
                      FormatCase{"pal4_trns", 3, 4, 4, 16, 3, true, true},
                      FormatCase{"pal8_trns", 3, 8, 8, 256, 5, true, true}),
    [](const ::testing::TestParamInfo<FormatCase>& info) { return std::string(info.param.name); });

TEST_F(ImagePNGTest, BadFilesAreRefusedWithTheirCodes) {
  TestImage image;
  EXPECT_EQ(image.Read(m_dir.Path("missing.png").c_str()), -9);
  EXPECT_EQ(image.Read(static_cast<const char*>(nullptr)), -9);
  EXPECT_EQ(image.Read(static_cast<const wchar_t*>(nullptr)), -9);
  int onDirectory = image.Read(m_dir.Path("").c_str());
  EXPECT_TRUE(onDirectory == -9 || onDirectory == -1) << onDirectory;
  EXPECT_EQ(image.Read(WriteRaw("empty.png", {}).c_str()), -1);
  EXPECT_EQ(image.Read(WriteRaw("text.png", {'h', 'e', 'l', 'l', 'o', '\n'}).c_str()), -1);

  std::vector<uint8_t> good = vrenktest::EncodePng(vrenktest::Rgba8Pattern(16, 16));
  std::vector<uint8_t> truncated(good.begin(), good.begin() + good.size() / 2);
  EXPECT_EQ(image.Read(WriteRaw("truncated.png", truncated).c_str()), -1);
  std::vector<uint8_t> badCrc = good;
  for (size_t i = 8; i + 4 < badCrc.size(); ++i) {
    if (std::memcmp(&badCrc[i], "IDAT", 4) == 0) {
      badCrc[i + 6] ^= 0x5A;
      break;
    }
  }
  EXPECT_EQ(image.Read(WriteRaw("badcrc.png", badCrc).c_str()), -1);
  EXPECT_EQ(image.GetPixels(), nullptr);
  EXPECT_FALSE(image.Decode(nullptr));
}

TEST_F(ImagePNGTest, HugeClaimedSizesAreRefusedQuickly) {
  auto start = std::chrono::steady_clock::now();
  TestImage image;
  EXPECT_EQ(image.Read(WriteRaw("huge.png", vrenktest::PngHeaderOnly(100000, 100000, 6, 8)).c_str()), -1);
  EXPECT_EQ(image.Read(WriteRaw("tall.png", vrenktest::PngHeaderOnly(1, 10000000, 6, 8)).c_str()), -1);
  EXPECT_EQ(image.Read(WriteRaw("wide16.png", vrenktest::PngHeaderOnly(16000, 16000, 6, 16)).c_str()), -1);
  EXPECT_EQ(image.Read(WriteRaw("zero.png", vrenktest::PngHeaderOnly(0, 5, 6, 8)).c_str()), -1);
  EXPECT_EQ(image.Read(WriteRaw("badtype.png", vrenktest::PngHeaderOnly(4, 4, 5, 8)).c_str()), -1);
  EXPECT_EQ(image.GetPixels(), nullptr);
  // Not a timing assertion on the decoder's speed: a refused header must
  // not go on to allocate and inflate gigabytes, which takes far longer.
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
}

TEST_F(ImagePNGTest, FailedReadLeavesALoadedImageAsItWas) {
  PngPicture picture = vrenktest::Rgba8Pattern(2, 2);
  TestImage image;
  ASSERT_EQ(image.Read(Write("a.png", picture).c_str()), 0);
  const void* pixels = image.GetPixels();
  EXPECT_EQ(image.Read(WriteRaw("bad.png", {1, 2, 3}).c_str()), -1);
  EXPECT_EQ(image.Read(m_dir.Path("nothing.png").c_str()), -9);
  EXPECT_EQ(image.GetPixels(), pixels);
  EXPECT_EQ(image.GetWidth(), 2u);
  EXPECT_EQ(image.Bytes()[5], picture.samples[5]);

  // A second successful read replaces the pixels.
  ASSERT_EQ(image.Read(Write("b.png", vrenktest::Rgba8Pattern(4, 1)).c_str()), 0);
  EXPECT_EQ(image.GetWidth(), 4u);
  EXPECT_EQ(image.GetHeight(), 1u);

  EXPECT_EQ(image.Write(nullptr), -8);
  EXPECT_EQ(image.Crop(0, 0, 1, 1), -8);
  EXPECT_EQ(image.Crop(-5, 7, 100000, -1), -8);
  EXPECT_EQ(image.GetWidth(), 4u);
}

TEST_F(ImagePNGTest, WidePathsIncludingNonAsciiNamesAreRead) {
  PngPicture picture = vrenktest::Rgba8Pattern(3, 3);
  std::vector<uint8_t> file = vrenktest::EncodePng(picture);
  // "ïcon-✓.png" in UTF-8 for the writer, and as wide characters.
  std::wstring dir = vrenktest::Widen(m_dir.Path(""));
  std::wstring wide = dir + L"\u00EFcon-\u2713.png";
  ASSERT_TRUE(vrenktest::WriteBytes(wide, file));
  TestImage image;
  ASSERT_EQ(image.Read(wide.c_str()), 0);
  EXPECT_EQ(image.GetWidth(), 3u);
  EXPECT_EQ(image.Read((dir + L"absent.png").c_str()), -9);
}

TEST_F(ImagePNGTest, ReadLeavesTheGlobalLocaleAsItFoundIt) {
  std::string path = Write("l.png", vrenktest::Rgba8Pattern(1, 1));
  const std::string before = std::locale().name();
  const std::string cBefore = std::setlocale(LC_ALL, nullptr);
  TestImage image;
  EXPECT_EQ(image.Read(path.c_str()), 0);
  EXPECT_EQ(image.Read(m_dir.Path("none.png").c_str()), -9);
  EXPECT_EQ(std::locale().name(), before);
  EXPECT_EQ(std::setlocale(LC_ALL, nullptr), cBefore);

  // An environment naming a locale that is not installed: the read still
  // works and nothing escapes.
  {
    vrenktest::ScopedEnv env("LC_ALL", "xx_NOWHERE.UTF-8");
    EXPECT_EQ(image.Read(path.c_str()), 0);
    EXPECT_EQ(image.Read(m_dir.Path("none.png").c_str()), -9);
  }
  EXPECT_EQ(std::locale().name(), before);
  EXPECT_EQ(std::setlocale(LC_ALL, nullptr), cBefore);
}

}  // namespace
