// VrenkImagePool.h - the cache of icon images and their OpenGL textures,
// keyed by the path they were asked for and counted by reference.
#ifndef VRENK_IMAGE_POOL_H
#define VRENK_IMAGE_POOL_H

#include <map>
#include <string>
#include <utility>

#include "VrenkImageBase.h"

namespace VrenkGLWidge {

class VRENK_API CVrenkImagePool {
 public:
  struct SImageSlot {
    unsigned int nRefCount;      // references handed out
    CVrenkImageBase* pImage;     // owned by the pool
    unsigned int nTextureID;     // texture holding the pixels; 0 if none
  };

  CVrenkImagePool();
  // Frees the entries and the images still held; textures are the owner's
  // to free with Release while a context is current.
  virtual ~CVrenkImagePool();

  CVrenkImagePool(const CVrenkImagePool&) = delete;
  CVrenkImagePool& operator=(const CVrenkImagePool&) = delete;

  // Does nothing; returns 0.
  int Init();
  // Frees every image and texture, counts notwithstanding; returns 0.
  int Release();
  // Frees the images and textures nobody holds; returns how many went.
  int GarbageCollection();

  // The image for a path, loaded and uploaded on first use; null on failure.
  CVrenkImageBase* GetImage(const std::string& path);
  CVrenkImageBase* GetImage(const std::wstring& path);
  // The same, also giving the texture name (0 on failure or without one).
  CVrenkImageBase* GetImage(const std::string& path, unsigned int& nTexture);
  CVrenkImageBase* GetImage(const std::wstring& path, unsigned int& nTexture);
  // Gives back one reference; 0 if the pool holds the image, -4 otherwise.
  int ReleaseImage(CVrenkImageBase* pImage);

 protected:
  typedef std::pair<std::string, std::wstring> ImageKey;

  static ImageKey Transfer2Key(const std::string& path);
  static ImageKey Transfer2Key(const std::wstring& path);
  // A copy of the key's slot; an empty slot when the key is not pooled.
  SImageSlot _GetImageSlot(const ImageKey& key);
  CVrenkImageBase* _GetImage(const ImageKey& key, unsigned int& nTexture);

  std::map<ImageKey, SImageSlot> m_mapImageSlots;
};

}  // namespace VrenkGLWidge

#endif  // VRENK_IMAGE_POOL_H
