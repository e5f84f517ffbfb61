// The standard library's exceptions that leave the library's operations, and
// a host's own exception passing back through the library's frames, are
// caught in this program. On 32-bit Windows this holds only while the DLL
// and its host share one exception unwinder (libgcc_s_dw2-1.dll): with a
// static libgcc in each module, every case here ends in std::terminate.
#include <gtest/gtest.h>

#include <cstdint>
#include <exception>
#include <functional>
#include <limits>
#include <new>
#include <stdexcept>
#include <string>
#include <typeinfo>

#include "VrenkGLWidge.h"

using namespace VrenkGLWidge;

namespace {

// Protected members a host reaches by deriving.
class ExposedWheel : public CVrenkWheelMenu {
 public:
  using CVrenkWheelMenu::_GetItem;
  using CVrenkWheelMenu::UpdateHoveredIndex;
};
class ExposedDoubleWheel : public CVrenkDoubleWheelMenu {
 public:
  using CVrenkDoubleWheelMenu::_GetInnerItem;
  using CVrenkDoubleWheelMenu::_GetOuterItem;
};
class ExposedImage : public CVrenkImagePNG {
 public:
  using CVrenkImagePNG::_AllocatePixels;
};

// What the call let out, as this program sees it.
template <typename Expected>
std::string Outcome(const std::function<void()>& call) {
  try {
    call();
  } catch (const Expected&) {
    return "caught";
  } catch (const std::exception& e) {
    return std::string("caught another exception: ") + typeid(e).name() + ": " + e.what();
  } catch (...) {
    return "caught something that is no std::exception";
  }
  return "nothing thrown";
}

struct Case {
  const char* operation;
  std::string (*outcome)();
};

const Case kLibraryThrows[] = {
    {"CVrenkMenuBase::_GetItem past the list",
     [] {
       ExposedWheel wheel;
       return Outcome<std::out_of_range>([&] { wheel._GetItem(0); });
     }},
    {"CVrenkDoubleWheelMenu::_GetInnerItem past the inner ring",
     [] {
       ExposedDoubleWheel menu;
       return Outcome<std::out_of_range>([&] { menu._GetInnerItem(2); });
     }},
    {"CVrenkDoubleWheelMenu::_GetOuterItem past the outer ring",
     [] {
       ExposedDoubleWheel menu;
       return Outcome<std::out_of_range>([&] { menu._GetOuterItem(0); });
     }},
    {"CVrenkWheelMenu::Init with a negative item count",
     [] {
       CVrenkWidgeManager manager;
       CVrenkWheelMenu wheel;
       return Outcome<std::length_error>([&] { wheel.Init(&manager, -1, 60, 100, 100, 0.0f); });
     }},
    {"CVrenkMenuBase::Init with a negative item count",
     [] {
       CVrenkWidgeManager manager;
       CVrenkWheelMenu wheel;
       CVrenkMenuBase& base = wheel;
       return Outcome<std::length_error>([&] { base.Init(&manager, -1); });
     }},
    {"CVrenkDoubleWheelMenu::Init with a negative inner item count",
     [] {
       CVrenkWidgeManager manager;
       CVrenkDoubleWheelMenu menu;
       return Outcome<std::length_error>([&] { menu.Init(&manager, -1, 4, 100, 100, 100, 0.0f, 0.0f); });
     }},
};

TEST(ExceptionsReachTheHost, RangeAndLengthErrorsFromTheLibraryAreCaughtHere) {
  for (const Case& c : kLibraryThrows) EXPECT_EQ(c.outcome(), "caught") << c.operation;
}

#if SIZE_MAX == UINT32_MAX
// A 32-bit process cannot be granted 4 GiB in one piece, so the library's
// allocation fails for certain. (A 64-bit one may well be granted it.)
TEST(ExceptionsReachTheHost, AllocationFailureInTheLibraryIsCaughtHere) {
  ExposedImage image;
  EXPECT_EQ(Outcome<std::bad_alloc>([&] { image._AllocatePixels(std::numeric_limits<unsigned int>::max()); }),
            "caught");
  EXPECT_EQ(image.GetPixels(), nullptr);
}
#endif

// The host's exception is thrown with the library's frames between the
// throw and the catch.
TEST(ExceptionsReachTheHost, ExceptionFromTheHostsCallbackPassesThroughTheMenu) {
  struct Failing : VrenkFunctional::IVrenkMenuItemCallbackBase {
    bool Execute(int, bool) override { throw std::runtime_error("the host's action failed"); }
  } failing;
  CVrenkWidgeManager manager;
  ExposedWheel wheel;
  wheel.Init(&manager, 1, 60, 100, 100, 0.0f);  // one plain, enabled item
  ASSERT_EQ(wheel.SetProcessFunction(&failing), 0);
  wheel.UpdateHoveredIndex(0);
  wheel.OnLButtonDown(100, 100);
  EXPECT_EQ(Outcome<std::runtime_error>([&] { wheel.OnLButtonUp(100, 100); }), "caught");
}

}  // namespace
