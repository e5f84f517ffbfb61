// VrenkTimeSource.h - the clock a manager reads for its timed behaviour
// (the popup's mark-ahead delay).
#ifndef VRENK_TIME_SOURCE_H
#define VRENK_TIME_SOURCE_H

#include "VrenkPlatform.h"

namespace VrenkFunctional {

// A millisecond clock. The library starts no threads and sets no timers of
// its own: it reads this clock when the host calls in, and tells the host
// when it wants a call (CVrenkWidgeManager::GetTimerDelay). A host or a test
// replaces the system clock with its own through
// CVrenkWidgeManager::SetTimeSource; the manager does not own it.
class VRENK_API IVrenkTimeSourceBase {
 public:
  IVrenkTimeSourceBase() = default;
  IVrenkTimeSourceBase(const IVrenkTimeSourceBase&) = default;
  IVrenkTimeSourceBase& operator=(const IVrenkTimeSourceBase&) = default;
  virtual ~IVrenkTimeSourceBase();

  // Milliseconds since any fixed start, wrapping past 2^32 - 1 to 0 as
  // GetTickCount does; only differences of two readings are used, taken
  // modulo 2^32, so the wrap does no harm.
  virtual unsigned int GetMilliseconds() = 0;
};

}  // namespace VrenkFunctional

#endif  // VRENK_TIME_SOURCE_H
