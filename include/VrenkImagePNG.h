// VrenkImagePNG.h - an image read from a PNG file.
#ifndef VRENK_IMAGE_PNG_H
#define VRENK_IMAGE_PNG_H

#include <stdio.h>

#include "VrenkImageBase.h"

namespace VrenkGLWidge {

// Reads a PNG file as it is stored: the pixel buffer holds the file's rows,
// top row first, in the file's own pixel format. What is needed to turn any
// PNG pixel format into 8-bit RGBA (colour type, bit depth, palette and
// transparency) is kept beside the pixels.
class VRENK_API CVrenkImagePNG : public CVrenkImageBase {
 public:
  CVrenkImagePNG();

  // 0 read and decoded; -1 the file was opened but not decoded; -9 the file
  // could not be opened. A failed read leaves the image as it was.
  int Read(const char* path) override;
  int Read(const wchar_t* path) override;
  // Not supported for PNG images: always -8.
  int Write(wchar_t* const path) override;
  int Crop(int, int, int, int) override;

  // Largest width or height accepted, and largest decoded size in bytes:
  // files claiming more are refused before anything big is allocated.
  static const unsigned int MAX_DIMENSION = 16384;
  static const unsigned int MAX_DECODED_BYTES = 64u * 1024u * 1024u;

  // Fills rgba (width x height x 4 bytes, top row first) with the pixels
  // expanded to 8-bit straight RGBA. False when the image has no pixels or
  // rgba is null; never reads past the pixel buffer.
  bool ExpandToRGBA8(unsigned char* rgba) const;
  // Whether the pixel buffer already is tightly packed 8-bit RGBA.
  bool IsRGBA8() const { return m_pPixels != nullptr && m_nColorType == 6 && m_nBitDepth == 8; }

 protected:
  // Keeps the pixels: a decoded image's buffer stays for its whole life.
  void Release() override;
  // Fills the image from an open file; true on success.
  bool Decode(FILE* file);

  // The file's pixel format, kept for the expansion to RGBA.
  unsigned int m_nColorType;
  unsigned int m_nBitDepth;
  unsigned int m_nRowBytes;
  unsigned int m_nPaletteSize;
  unsigned char m_Palette[256][4];  // palette entries as RGBA, alpha from tRNS
  bool m_bHasColorKey;              // a tRNS colour marks transparent pixels
  unsigned short m_ColorKey[3];     // gray in [0], or red, green, blue

 private:
  // Read for a narrow or wide path.
  template <typename Char>
  int ReadPath(const Char* path);
};

}  // namespace VrenkGLWidge

#endif  // VRENK_IMAGE_PNG_H
