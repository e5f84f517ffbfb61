// VrenkImageBase.cpp - the image base: owns one pixel buffer.
#include "VrenkImageBase.h"

#include <new>

namespace VrenkGLWidge {

CVrenkImageBase::CVrenkImageBase(unsigned int nFormat) : m_Header(), m_pPixels(nullptr), m_nFormat(nFormat) {}

CVrenkImageBase::~CVrenkImageBase() {
  ::operator delete(m_pPixels);
  m_pPixels = nullptr;
}

void CVrenkImageBase::Release() {
  ::operator delete(m_pPixels);
  m_pPixels = nullptr;
}

void CVrenkImageBase::_AllocatePixels(unsigned int nBytes) {
  // A buffer left from before would be lost otherwise.
  ::operator delete(m_pPixels);
  m_pPixels = nullptr;
  m_pPixels = static_cast<unsigned char*>(::operator new(nBytes));
}

}  // namespace VrenkGLWidge
