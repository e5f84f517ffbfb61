// VrenkImageBase.h - an image: pixel rows in memory and the bitmap header
// that states their size and format.
#ifndef VRENK_IMAGE_BASE_H
#define VRENK_IMAGE_BASE_H

#include <wchar.h>

#include "VrenkPlatform.h"

namespace VrenkGLWidge {

class VRENK_API CVrenkImageBase {
 public:
  explicit CVrenkImageBase(unsigned int nFormat = 0);
  // Frees the pixel buffer, if there is one.
  virtual ~CVrenkImageBase();

  CVrenkImageBase(const CVrenkImageBase&) = delete;
  CVrenkImageBase& operator=(const CVrenkImageBase&) = delete;

 protected:
  // Frees the pixel buffer, leaving the image without pixels.
  virtual void Release();

 public:
  // Loads the image from a file; 0 on success, a negative code otherwise.
  virtual int Read(const wchar_t* path) = 0;
  virtual int Read(const char* path) = 0;
  // Writes the image to a file; 0 on success, a negative code otherwise.
  virtual int Write(wchar_t* const path) = 0;
  // Cuts the image to a rectangle; 0 on success, a negative code otherwise.
  virtual int Crop(int, int, int, int) = 0;

  // The pixel buffer; null while the image has none.
  void* GetPixels() { return m_pPixels; }
  const void* GetPixels() const { return m_pPixels; }
  unsigned int GetWidth() const { return static_cast<unsigned int>(m_Header.biWidth); }
  unsigned int GetHeight() const { return static_cast<unsigned int>(m_Header.biHeight); }

 protected:
  // Makes a new buffer of nBytes bytes the pixel buffer; the image must have
  // none.
  void _AllocatePixels(unsigned int nBytes);
  unsigned char* _GetPixels() { return m_pPixels; }

  BITMAPINFOHEADER m_Header;
  unsigned char* m_pPixels;
  unsigned int m_nFormat;
};

}  // namespace VrenkGLWidge

#endif  // VRENK_IMAGE_BASE_H
