// crt.h - the C runtime's secure open functions the image reader calls.
//
// Windows' C runtime has fopen_s and _wfopen_s; on Linux the platform layer
// provides them in the library's namespace, opening wide paths by their
// UTF-8 form.
#ifndef VRENK_PLATFORM_CRT_H
#define VRENK_PLATFORM_CRT_H

#include <stdio.h>
#include <wchar.h>

#if !defined(_WIN32)
namespace VrenkGLWidge {
typedef int errno_t;
errno_t fopen_s(FILE** file, const char* path, const char* mode);
errno_t _wfopen_s(FILE** file, const wchar_t* path, const wchar_t* mode);
}  // namespace VrenkGLWidge
#endif

#endif  // VRENK_PLATFORM_CRT_H
