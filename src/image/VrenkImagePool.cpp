// VrenkImagePool.cpp - icon images loaded once per path, uploaded into
// OpenGL textures and shared by reference count.
#include "VrenkImagePool.h"

#include <memory>
#include <new>
#include <vector>

#include "VrenkImagePNG.h"

namespace VrenkGLWidge {
namespace {

// Uploads the image as an 8-bit RGBA texture. Icons already in that form go
// up directly; every other PNG format is expanded first. The host's pixel
// unpacking state is set aside so that only the buffer's bytes are read.
void UploadTexture(const CVrenkImagePNG& image) {
  const GLsizei width = static_cast<GLsizei>(image.GetWidth());
  const GLsizei height = static_cast<GLsizei>(image.GetHeight());
  std::unique_ptr<unsigned char[]> expanded;
  const void* pixels = image.GetPixels();
  if (!image.IsRGBA8()) {
    expanded.reset(new (std::nothrow) unsigned char[static_cast<size_t>(width) * height * 4]);
    if (expanded == nullptr || !image.ExpandToRGBA8(expanded.get())) return;
    pixels = expanded.get();
  }
  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
  glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
  glPixelStorei(GL_UNPACK_SWAP_BYTES, GL_FALSE);
  glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
  glPopClientAttrib();
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
  if (pImage == nullptr || m_mapImageSlots.empty()) return -4;
  for (auto& entry : m_mapImageSlots) {
    SImageSlot& slot = entry.second;
    if (slot.pImage != pImage) continue;
    if (slot.nRefCount > 0) --slot.nRefCount;
    return 0;
  }
  return -4;
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

  GLuint name = 0;
  glGenTextures(1, &name);
  if (name != 0) {
    GLint previous = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &previous);
    glEnable(GL_TEXTURE_2D);  // left enabled, as callers expect
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    UploadTexture(*image);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(previous));
  }

  SImageSlot slot{1, image.get(), name};
  m_mapImageSlots.emplace(key, slot);
  image.release();
  nTexture = name;
  return slot.pImage;
}

}  // namespace VrenkGLWidge
