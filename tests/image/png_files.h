// png_files.h - PNG files made by the tests with libpng's write API, in a
// scratch folder of their own.
#ifndef VRENK_TESTS_PNG_FILES_H
#define VRENK_TESTS_PNG_FILES_H

#include <cstdint>
#include <string>
#include <vector>

namespace vrenktest {

// One picture in a chosen PNG format. Samples are given unpacked, one
// value per channel and pixel, top row first; the writer packs them to the
// bit depth.
struct PngPicture {
  int width = 1;
  int height = 1;
  int colorType = 6;  // PNG_COLOR_TYPE_*
  int bitDepth = 8;
  bool interlaced = false;
  std::vector<unsigned> samples;
  std::vector<uint8_t> palette;     // RGB triples, for colour type 3
  std::vector<uint8_t> trnsAlpha;   // palette alphas, for colour type 3
  bool hasColorKey = false;         // tRNS colour for gray or RGB
  unsigned colorKey[3] = {0, 0, 0};
};

// A folder removed with everything in it when the object goes.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  std::string Path(const std::string& name) const;

 private:
  std::string m_path;
};

// Writes the picture; false on failure.
bool WritePng(const std::string& path, const PngPicture& picture);
// The bytes of the picture as a PNG file.
std::vector<uint8_t> EncodePng(const PngPicture& picture);
bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
// The same for a wide path, opened the platform's way for wide names.
bool WriteBytes(const std::wstring& path, const std::vector<uint8_t>& bytes);
// An ASCII path as wide characters.
std::wstring Widen(const std::string& ascii);
// A PNG file whose header chunk claims the given size, with valid CRCs and
// no image data.
std::vector<uint8_t> PngHeaderOnly(uint32_t width, uint32_t height, int colorType, int bitDepth);
// An 8-bit RGBA picture with a distinct colour per pixel.
PngPicture Rgba8Pattern(int width, int height);

}  // namespace vrenktest

#endif  // VRENK_TESTS_PNG_FILES_H
