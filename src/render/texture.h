// texture.h - the one way icons and texts become textures: RGBA8 pixels
// uploaded with the context's unpack state set aside and put back, in a form
// every kind of context accepts. Internal to the library.
#ifndef VRENK_RENDER_TEXTURE_H
#define VRENK_RENDER_TEXTURE_H

namespace VrenkGLWidge {
namespace render {

// Pixels to upload: nWidth x nHeight RGBA8 texels, rows top first and
// tightly packed, copied into the corner of a texture of nStorageWidth x
// nStorageHeight (at least as large).
struct STextureUpload {
  unsigned int nWidth;
  unsigned int nHeight;
  unsigned int nStorageWidth;
  unsigned int nStorageHeight;
  const unsigned char* pPixels;
  // Leave GL_TEXTURE_2D enabled afterwards, in a context that has the
  // fixed-function pipeline (what the image pool has always done).
  bool bLeaveTexturingEnabled;
};

// Makes a texture from the pixels: linear filtering, repeating (clamped to
// the edge in OpenGL ES, where repeating a texture whose sides are not
// powers of two is not allowed). The current 2D binding and the unpack
// state are as before afterwards. Returns the texture name, 0 when no
// name could be had (no current context).
unsigned int CreateTexture(const STextureUpload& upload);

// The backend table's texture operations, the same for every backend:
// CreateTexture without leaving texturing enabled, and glDeleteTextures of
// a name other than 0.
unsigned int CreateTextureForBackend(void* pState, unsigned int nWidth, unsigned int nHeight,
                                     unsigned int nStorageWidth, unsigned int nStorageHeight,
                                     const unsigned char* pPixels);
void DeleteTextureForBackend(void* pState, unsigned int nTexture);

}  // namespace render
}  // namespace VrenkGLWidge

#endif  // VRENK_RENDER_TEXTURE_H
