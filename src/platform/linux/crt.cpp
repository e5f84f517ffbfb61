// crt.cpp - fopen_s and _wfopen_s for Linux.
#include "platform/linux/internal.h"
#include "platform/crt.h"

#include <errno.h>

#include <string>

namespace VrenkGLWidge {
namespace {

// Encodes a wide string (UTF-32 on Linux) as UTF-8, the encoding of file
// names here. False for units that are no Unicode scalar value.
bool ToUtf8(const wchar_t* text, std::string& out) {
  for (; *text != L'\0'; ++text) {
    if (!platform::AppendUtf8(out, static_cast<uint32_t>(*text))) return false;
  }
  return true;
}

}  // namespace

errno_t fopen_s(FILE** file, const char* path, const char* mode) {
  if (file == nullptr) return EINVAL;
  *file = nullptr;
  if (path == nullptr || mode == nullptr) return EINVAL;
  *file = fopen(path, mode);
  return *file != nullptr ? 0 : errno;
}

errno_t _wfopen_s(FILE** file, const wchar_t* path, const wchar_t* mode) {
  if (file == nullptr) return EINVAL;
  *file = nullptr;
  if (path == nullptr || mode == nullptr) return EINVAL;
  std::string narrowPath;
  std::string narrowMode;
  try {
    if (!ToUtf8(path, narrowPath) || !ToUtf8(mode, narrowMode)) return EILSEQ;
  } catch (...) {
    return ENOMEM;
  }
  return fopen_s(file, narrowPath.c_str(), narrowMode.c_str());
}

}  // namespace VrenkGLWidge
