// VrenkImagePool.cpp - icon images loaded once per path, uploaded into
// OpenGL textures and shared by reference count.
#include "VrenkImagePool.h"
#include "VrenkResult.h"

#include <memory>
#include <new>
#include <vector>

#include "VrenkImagePNG.h"
#include "render/texture.h"

namespace VrenkGLWidge {
namespace {

// Makes the image's texture from its pixels as 8-bit RGBA. Icons already
// in that form go up directly; every other PNG format is expanded first.
// GL_TEXTURE_2D is left enabled, as callers expect. 0 when no texture name
// could be had.
unsigned int MakeTexture(const CVrenkImagePNG& image) {
  const unsigned int width = image.GetWidth();
  const unsigned int height = image.GetHeight();
  std::unique_ptr<unsigned char[]> expanded;
  const unsigned char* pixels = static_cast<const unsigned char*>(image.GetPixels());
  if (!image.IsRGBA8()) {
    expanded.reset(new (std::nothrow) unsigned char[static_cast<size_t>(width) * height * 4]);
    pixels = expanded != nullptr && image.ExpandToRGBA8(expanded.get()) ? expanded.get() : nullptr;
  }
  render::STextureUpload upload = {width, height, width, height, pixels, true};
  return render::CreateTexture(upload);
}

}  // namespace

CVrenkImagePool::CVrenkImagePool() {}

CVrenkImagePool::~CVrenkImagePool() {
  // Textures need a current context and are freed by Release; the images'
  // memory would be lost if it were not freed here.
  for (auto& entry : m_mapImageSlots) delete entry.second.pImage;
}

int CVrenkImagePool::Init() { return 0; }

int CVrenkImagePool::Release() {
  if (m_mapImageSlots.empty()) return 0;
  for (auto& entry : m_mapImageSlots) {
    SImageSlot& slot = entry.second;
    delete slot.pImage;
    slot.pImage = nullptr;
    if (slot.nTextureID != 0) {
      GLuint name = slot.nTextureID;
      glDeleteTextures(1, &name);
    }
  }
  m_mapImageSlots.clear();
  return 0;
}

int CVrenkImagePool::GarbageCollection() {
  if (m_mapImageSlots.empty()) return 0;
  int removed = 0;
  for (auto it = m_mapImageSlots.begin(); it != m_mapImageSlots.end();) {
    SImageSlot& slot = it->second;
    if (slot.nRefCount != 0) {
      ++it;
      continue;
    }
    delete slot.pImage;
    if (slot.nTextureID != 0) {
      GLuint name = slot.nTextureID;
      glDeleteTextures(1, &name);
    }
    it = m_mapImageSlots.erase(it);
    ++removed;
  }
  return removed;
}

CVrenkImageBase* CVrenkImagePool::GetImage(const std::string& path) {
  unsigned int nTexture = 0;
  return _GetImage(Transfer2Key(path), nTexture);
}

CVrenkImageBase* CVrenkImagePool::GetImage(const std::wstring& path) {
  unsigned int nTexture = 0;
  return _GetImage(Transfer2Key(path), nTexture);
}

CVrenkImageBase* CVrenkImagePool::GetImage(const std::string& path, unsigned int& nTexture) {
  return _GetImage(Transfer2Key(path), nTexture);
}

CVrenkImageBase* CVrenkImagePool::GetImage(const std::wstring& path, unsigned int& nTexture) {
  return _GetImage(Transfer2Key(path), nTexture);
}

int CVrenkImagePool::ReleaseImage(CVrenkImageBase* pImage) {
  if (pImage == nullptr || m_mapImageSlots.empty()) return RESULT_NOT_FOUND;
  for (auto& entry : m_mapImageSlots) {
    SImageSlot& slot = entry.second;
    if (slot.pImage != pImage) continue;
    if (slot.nRefCount > 0) --slot.nRefCount;
    return 0;
  }
  return RESULT_NOT_FOUND;
}

CVrenkImagePool::ImageKey CVrenkImagePool::Transfer2Key(const std::string& path) {
  return ImageKey(path, std::wstring());
}

CVrenkImagePool::ImageKey CVrenkImagePool::Transfer2Key(const std::wstring& path) {
  return ImageKey(std::string(), path);
}

CVrenkImagePool::SImageSlot CVrenkImagePool::_GetImageSlot(const ImageKey& key) {
  auto it = m_mapImageSlots.find(key);
  if (it == m_mapImageSlots.end()) return SImageSlot{0, nullptr, 0};
  return it->second;
}

CVrenkImageBase* CVrenkImagePool::_GetImage(const ImageKey& key, unsigned int& nTexture) {
  if (!m_mapImageSlots.empty()) {
    auto it = m_mapImageSlots.find(key);
    if (it != m_mapImageSlots.end()) {
      ++it->second.nRefCount;
      nTexture = it->second.nTextureID;
      return it->second.pImage;
    }
  }

  std::unique_ptr<CVrenkImagePNG> image(new CVrenkImagePNG());
  int result = key.first.empty() ? image->Read(key.second.c_str()) : image->Read(key.first.c_str());
  if (result != 0) {
    nTexture = 0;
    return nullptr;
  }

  const unsigned int name = MakeTexture(*image);

  SImageSlot slot{1, image.get(), name};
  m_mapImageSlots.emplace(key, slot);
  image.release();
  nTexture = name;
  return slot.pImage;
}

}  // namespace VrenkGLWidge
