// VrenkPlatform.h - the one header that knows the operating system.
//
// The library is written against the Win32 names (GetDC, wglMakeCurrent,
// POINT, HWND, ...). On Windows these are the real ones, brought into
// namespace VrenkGLWidge. On Linux they are declared here, inside the
// namespace (never as global C symbols that could clash with another
// library), with Windows' field names and widths, and implemented by the
// library's own platform layer over EGL, GLX/X11, FreeType and fontconfig.
#ifndef VRENK_PLATFORM_H
#define VRENK_PLATFORM_H

// One export macro for every public class and function.
#if defined(_WIN32)
#  if defined(VRENKGLWIDGE_BUILD)
#    define VRENK_API __declspec(dllexport)
#  else
#    define VRENK_API __declspec(dllimport)
#  endif
#else
#  define VRENK_API __attribute__((visibility("default")))
#endif

#if defined(_WIN32)

#ifndef NOMINMAX
#  define NOMINMAX
#endif
#include <windows.h>
#include <GL/gl.h>

namespace VrenkGLWidge {
using ::BOOL;
using ::BYTE;
using ::WORD;
using ::DWORD;
using ::LONG;
using ::UINT;
using ::WCHAR;
using ::COLORREF;
using ::HANDLE;
using ::HWND;
using ::HDC;
using ::HGLRC;
using ::HGDIOBJ;
using ::HFONT;
using ::HBITMAP;
using ::HBRUSH;
using ::POINT;
using ::SIZE;
using ::RECT;
using ::BITMAP;
using ::BITMAPINFOHEADER;
using ::LOGFONTW;
using ::TEXTMETRICW;

// Windows has no notion of a window without a screen; the library provides
// a hidden window with an OpenGL pixel format for hosts and tests that draw
// without showing anything.
VRENK_API HWND CreateOffscreenWindow(int width, int height);
VRENK_API void DestroyOffscreenWindow(HWND hWnd);
}  // namespace VrenkGLWidge

#else  // Linux

#include <stdint.h>
#include <stddef.h>
#include <GL/gl.h>

// Xlib's display type, declared without pulling Xlib's macros into hosts.
struct _XDisplay;

namespace VrenkGLWidge {

typedef int BOOL;
typedef uint8_t BYTE;
typedef uint16_t WORD;
typedef uint32_t DWORD;
typedef int32_t LONG;
typedef unsigned int UINT;
typedef wchar_t WCHAR;
typedef DWORD COLORREF;

// Handles are distinct opaque pointer types, as with Windows' STRICT.
// GDI object handles derive from HGDIOBJ so they convert to it implicitly.
struct HWND__;
struct HDC__;
struct HGLRC__;
struct HGDIOBJ__ {};
struct HFONT__ : HGDIOBJ__ {};
struct HBITMAP__ : HGDIOBJ__ {};
struct HBRUSH__ : HGDIOBJ__ {};
typedef void* HANDLE;
typedef HWND__* HWND;
typedef HDC__* HDC;
typedef HGLRC__* HGLRC;
typedef HGDIOBJ__* HGDIOBJ;
typedef HFONT__* HFONT;
typedef HBITMAP__* HBITMAP;
typedef HBRUSH__* HBRUSH;

struct POINT {
  LONG x;
  LONG y;
};

struct SIZE {
  LONG cx;
  LONG cy;
};

struct RECT {
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
};

struct BITMAP {
  LONG bmType;
  LONG bmWidth;
  LONG bmHeight;
  LONG bmWidthBytes;
  WORD bmPlanes;
  WORD bmBitsPixel;
  void* bmBits;
};

struct BITMAPINFOHEADER {
  DWORD biSize;
  LONG biWidth;
  LONG biHeight;
  WORD biPlanes;
  WORD biBitCount;
  DWORD biCompression;
  DWORD biSizeImage;
  LONG biXPelsPerMeter;
  LONG biYPelsPerMeter;
  DWORD biClrUsed;
  DWORD biClrImportant;
};

enum { LF_FACESIZE = 32 };

struct LOGFONTW {
  LONG lfHeight;
  LONG lfWidth;
  LONG lfEscapement;
  LONG lfOrientation;
  LONG lfWeight;
  BYTE lfItalic;
  BYTE lfUnderline;
  BYTE lfStrikeOut;
  BYTE lfCharSet;
  BYTE lfOutPrecision;
  BYTE lfClipPrecision;
  BYTE lfQuality;
  BYTE lfPitchAndFamily;
  WCHAR lfFaceName[LF_FACESIZE];
};

struct TEXTMETRICW {
  LONG tmHeight;
  LONG tmAscent;
  LONG tmDescent;
  LONG tmInternalLeading;
  LONG tmExternalLeading;
  LONG tmAveCharWidth;
  LONG tmMaxCharWidth;
  LONG tmWeight;
  LONG tmOverhang;
  LONG tmDigitizedAspectX;
  LONG tmDigitizedAspectY;
  WCHAR tmFirstChar;
  WCHAR tmLastChar;
  WCHAR tmDefaultChar;
  WCHAR tmBreakChar;
  BYTE tmItalic;
  BYTE tmUnderlined;
  BYTE tmStruckOut;
  BYTE tmPitchAndFamily;
  BYTE tmCharSet;
};

// Constants the library uses, with their Windows values.
enum : UINT {
  DT_TOP = 0x0000,
  DT_LEFT = 0x0000,
  DT_CENTER = 0x0001,
  DT_RIGHT = 0x0002,
  DT_VCENTER = 0x0004,
  DT_BOTTOM = 0x0008,
  DT_SINGLELINE = 0x0020,
  DT_NOCLIP = 0x0100,
};
enum : DWORD { BI_RGB = 0 };
enum : LONG {
  FW_DONTCARE = 0,
  FW_THIN = 100,
  FW_LIGHT = 300,
  FW_NORMAL = 400,
  FW_MEDIUM = 500,
  FW_SEMIBOLD = 600,
  FW_BOLD = 700,
  FW_HEAVY = 900,
};
enum : BYTE {
  ANSI_CHARSET = 0,
  DEFAULT_CHARSET = 1,
  OUT_DEFAULT_PRECIS = 0,
  CLIP_DEFAULT_PRECIS = 0,
  DEFAULT_QUALITY = 0,
  ANTIALIASED_QUALITY = 4,
  DEFAULT_PITCH = 0,
  FF_DONTCARE = 0,
};

// --- Rendering contexts (WGL) ---------------------------------------------

// Returns the context current on the calling thread, whoever made it
// current (EGL or GLX), or null when none is.
VRENK_API HGLRC wglGetCurrentContext();
// Returns the device context of the current drawable, non-null whenever a
// context is current on the calling thread.
VRENK_API HDC wglGetCurrentDC();
// Binds hRC to hDC through EGL or GLX according to the handles' kind;
// (NULL, NULL) or a null hRC releases whatever is current.
VRENK_API BOOL wglMakeCurrent(HDC hDC, HGLRC hRC);
// Creates a compatibility-profile context suited to hDC's drawable.
VRENK_API HGLRC wglCreateContext(HDC hDC);
// Deletes a context made by wglCreateContext (unbinding it first when it is
// current). For a context adopted from its creator, only the handle goes.
VRENK_API BOOL wglDeleteContext(HGLRC hRC);
// Presents the back buffer of hDC's drawable.
VRENK_API BOOL SwapBuffers(HDC hDC);

// --- Windows and device contexts --------------------------------------------

// The window's device context; GetDC(NULL) gives the screen DC. A window
// keeps one DC for its whole life, so ReleaseDC only checks the pair.
VRENK_API HDC GetDC(HWND hWnd);
VRENK_API int ReleaseDC(HWND hWnd, HDC hDC);
// Turns a point on the screen into the window's client coordinates.
VRENK_API BOOL ScreenToClient(HWND hWnd, POINT* lpPoint);

// A window backed by an EGL pbuffer on Mesa's surfaceless platform: RGBA
// with 8 bits per channel and a depth buffer, no display server needed. Its
// client area sits at the screen origin. Returns null on failure.
VRENK_API HWND CreateOffscreenWindow(int width, int height);
VRENK_API void DestroyOffscreenWindow(HWND hWnd);

// A handle for a host's own X11 window (GLFW, SDL, freeglut or plain Xlib).
// GetDC of it gives its GLX drawable. Wrapping the same window twice gives
// the same handle. Returns null when the window does not exist.
VRENK_API HWND WrapX11Window(_XDisplay* display, unsigned long window);
// Forgets the handle (and its DC); the X11 window itself is left alone.
VRENK_API void UnwrapX11Window(HWND hWnd);

}  // namespace VrenkGLWidge

#endif  // Linux

#endif  // VRENK_PLATFORM_H
