// VrenkImageSlot.h - a handle that gives its image back to the pool when it
// is destroyed.
#ifndef VRENK_IMAGE_SLOT_H
#define VRENK_IMAGE_SLOT_H

#include "VrenkImagePool.h"

namespace VrenkGLWidge {

class VRENK_API CVrenkImageSlot {
 public:
  // Takes over one reference that the caller holds; takes none of its own.
  CVrenkImageSlot(CVrenkImagePool* pPool, CVrenkImageBase* pImage);
  virtual ~CVrenkImageSlot();

  CVrenkImageSlot(const CVrenkImageSlot&) = delete;
  CVrenkImageSlot& operator=(const CVrenkImageSlot&) = delete;

  const CVrenkImageBase* GetImage() const { return m_pImage; }

 protected:
  // Gives the reference back to the pool, once.
  void ReleaseImage();

  CVrenkImagePool* m_pPool;
  CVrenkImageBase* m_pImage;
};

}  // namespace VrenkGLWidge

#endif  // VRENK_IMAGE_SLOT_H
