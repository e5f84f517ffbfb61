// fuzz_png.cpp - arbitrary bytes as an icon file: read as a PNG image,
// expanded to RGBA, and loaded through the image pool into a texture.
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "VrenkGLWidge.h"
#include "fuzz_support.h"

using namespace VrenkGLWidge;
using vrenkfuzz::CheckGLStateKept;

namespace {

// Reads a file, checking what a read promises whatever the bytes were.
void CheckRead(const std::string& path, bool bWide) {
  // A known good picture first: a failed read must leave it untouched.
  CVrenkImagePNG image;
  VRENK_FUZZ_CHECK(image.Read(vrenkfuzz::IconPath(0).c_str()) == 0, "the good icon cannot be read");
  const void* pBefore = image.GetPixels();
  const unsigned int nWidthBefore = image.GetWidth();
  const unsigned int nHeightBefore = image.GetHeight();

  const int result = bWide ? image.Read(vrenkfuzz::Widen(path).c_str()) : image.Read(path.c_str());
  VRENK_FUZZ_CHECK(result == 0 || result == -1, "Read of an existing file gave " + std::to_string(result));
  if (result != 0) {
    VRENK_FUZZ_CHECK(image.GetPixels() == pBefore && image.GetWidth() == nWidthBefore &&
                         image.GetHeight() == nHeightBefore,
                     "a failed read changed the image");
    return;
  }
  const size_t width = image.GetWidth();
  const size_t height = image.GetHeight();
  VRENK_FUZZ_CHECK(width >= 1 && height >= 1 && width <= CVrenkImagePNG::MAX_DIMENSION &&
                       height <= CVrenkImagePNG::MAX_DIMENSION,
                   "decoded size out of range");
  VRENK_FUZZ_CHECK(width * height * 4 <= CVrenkImagePNG::MAX_DECODED_BYTES, "decoded picture over the limit");
  VRENK_FUZZ_CHECK(image.GetPixels() != nullptr, "decoded image without pixels");
  // The expansion is what the pool uploads; ASan catches any read past the
  // pixel buffer or write past the RGBA buffer.
  std::unique_ptr<unsigned char[]> rgba(new unsigned char[width * height * 4]);
  VRENK_FUZZ_CHECK(image.ExpandToRGBA8(rgba.get()), "a decoded image could not be expanded");
  VRENK_FUZZ_CHECK(!image.ExpandToRGBA8(nullptr), "expansion into null reported success");
}

// Loads the file through a pool, as the manager does for an icon.
void CheckPool(const std::string& path, bool bReadable) {
  CVrenkImagePool pool;
  const vrenktest::GLStateSnapshot before = vrenktest::GLStateSnapshot::Capture();
  unsigned int nTexture = 12345;
  CVrenkImageBase* pImage = pool.GetImage(path, nTexture);
  VRENK_FUZZ_CHECK((pImage != nullptr) == bReadable, "the pool and a plain read disagree");
  if (pImage == nullptr) {
    VRENK_FUZZ_CHECK(nTexture == 0, "a failed load reported a texture");
    CheckGLStateKept(before, "a failed icon load");
    return;
  }
  VRENK_FUZZ_CHECK(nTexture != 0, "a loaded icon has no texture");
  // The pool leaves GL_TEXTURE_2D enabled on purpose; everything else, the
  // binding included, must be as it was.
  vrenktest::GLStateSnapshot expected = before;
  expected.texture2D = GL_TRUE;
  GLint nMax = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &nMax);
  if (pImage->GetWidth() <= static_cast<unsigned int>(nMax) && pImage->GetHeight() <= static_cast<unsigned int>(nMax)) {
    CheckGLStateKept(expected, "an icon upload");
    GLint nTexWidth = 0;
    GLint nTexHeight = 0;
    glBindTexture(GL_TEXTURE_2D, nTexture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &nTexWidth);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &nTexHeight);
    glBindTexture(GL_TEXTURE_2D, 0);
    VRENK_FUZZ_CHECK(static_cast<unsigned int>(nTexWidth) == pImage->GetWidth() &&
                         static_cast<unsigned int>(nTexHeight) == pImage->GetHeight(),
                     "the texture's size is not the image's");
  }
  VRENK_FUZZ_CHECK(pool.ReleaseImage(pImage) == 0, "the pool does not know its own image");
  VRENK_FUZZ_CHECK(pool.GarbageCollection() == 1, "the released icon was not collected");
  pool.Release();
  glDisable(GL_TEXTURE_2D);
  while (glGetError() != GL_NO_ERROR) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  vrenkfuzz::GLContext();
  const std::string path = vrenkfuzz::ScratchDir() + "/input.png";
  if (!vrenkfuzz::WriteFile(path, data, size)) return 0;
  CheckRead(path, (size & 1) != 0);
  CVrenkImagePNG probe;
  CheckPool(path, probe.Read(path.c_str()) == 0);
  return 0;
}
