// VrenkImageSlot.cpp - gives a pooled image back when the slot goes.
#include "VrenkImageSlot.h"

namespace VrenkGLWidge {

CVrenkImageSlot::CVrenkImageSlot(CVrenkImagePool* pPool, CVrenkImageBase* pImage)
    : m_pPool(pPool), m_pImage(pImage) {}

CVrenkImageSlot::~CVrenkImageSlot() { ReleaseImage(); }

void CVrenkImageSlot::ReleaseImage() {
  if (m_pPool == nullptr || m_pImage == nullptr) return;
  m_pPool->ReleaseImage(m_pImage);
  m_pImage = nullptr;
}

}  // namespace VrenkGLWidge
