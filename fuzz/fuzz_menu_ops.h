// fuzz_menu_ops.h - the byte encoding of the menu fuzzer's call sequences,
// shared with the seed writer. Each step is an operation byte (taken
// modulo kOpCount) followed by its arguments; see fuzz_menu.cpp.
#ifndef VRENK_FUZZ_MENU_OPS_H
#define VRENK_FUZZ_MENU_OPS_H

#include <cstdint>

namespace vrenkfuzz {
namespace ops {

enum : uint8_t {
  kInitWheel,     // count, radius, x, y, degrees
  kInitDouble,    // inner count, outer count, radius, x, y, inner degrees, outer degrees
  kAddItem,       // menu, id
  kSetItem,       // index, id, tooltip, icon, type, toggled, enabled (the wheel)
  kSetRingItem,   // ring, index, id, tooltip, icon, type, toggled, enabled (the double wheel)
  kSetItemSize,   // menu, ring, count
  kStartDegree,   // menu, ring, degrees
  kCenter,        // menu, x, y
  kRadius,        // menu, radius, inner ratio
  kOnSize,        // type, window width, height, viewport x, y, width, height
  kMove,          // x, y (client point)
  kDown,          // x, y
  kUp,            // x, y
  kRightButton,   // down?, x, y
  kWheel,         // delta, x, y (screen point)
  kTooltip,       // menu, show, style
  kColor,         // menu, which, r, g, b, a
  kFlags,         // menu, which, on
  kItemFlags,     // menu, ring, which, index, value
  kReleaseMenu,   // menu
  kManagerRelease,
  kManagerRenew,
  kRender,       // mode: matrix mode, shader backend
  kSetCallback,   // mode
  kPopup,         // menu, x, y (client point)
  kClosePopup,
  kKey,           // down?, key, repeat?
  kClock,         // step (the injected clock moves, then OnTimer)
  kDirection,     // menu, on, dead zone, cancel distance
  kPopupDelay,    // milliseconds
  kHighlightHook, // menu, mode
  kOpCount
};

}  // namespace ops
}  // namespace vrenkfuzz

#endif  // VRENK_FUZZ_MENU_OPS_H
