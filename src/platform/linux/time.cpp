// time.cpp - GetTickCount over the monotonic clock.
#include <time.h>

#include <cstdint>

#include "VrenkPlatform.h"

namespace VrenkGLWidge {

DWORD GetTickCount() {
  timespec now{};
  if (clock_gettime(CLOCK_MONOTONIC, &now) != 0) return 0;
  // Only the low 32 bits are kept: the count wraps as Windows' does.
  const uint64_t ms = static_cast<uint64_t>(now.tv_sec) * 1000u + static_cast<uint64_t>(now.tv_nsec) / 1000000u;
  return static_cast<DWORD>(ms);
}

}  // namespace VrenkGLWidge
