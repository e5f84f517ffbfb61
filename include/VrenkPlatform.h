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
using ::WPARAM;
using ::LPARAM;
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

// The platform functions too, so that portable host code may name them
// through the namespace as on Linux.
using ::GetDC;
using ::ReleaseDC;
using ::ScreenToClient;
using ::GetClientRect;
using ::SwapBuffers;
using ::wglCreateContext;
using ::wglDeleteContext;
using ::wglGetCurrentContext;
using ::wglGetCurrentDC;
using ::wglGetProcAddress;
using ::wglMakeCurrent;
using ::PROC;
using ::LPCSTR;
using ::GetTickCount;

// wglCreateContextAttribsARB is not exported by opengl32: a host gets it from
// wglGetProcAddress while a context is current. Its attributes and type come
// from <GL/wglext.h> where a host has included it first; otherwise they are
// declared here with the same values.
#ifndef WGL_ARB_create_context
enum : int {
  WGL_CONTEXT_MAJOR_VERSION_ARB = 0x2091,
  WGL_CONTEXT_MINOR_VERSION_ARB = 0x2092,
  WGL_CONTEXT_LAYER_PLANE_ARB = 0x2093,
  WGL_CONTEXT_FLAGS_ARB = 0x2094,
  WGL_CONTEXT_DEBUG_BIT_ARB = 0x0001,
  WGL_CONTEXT_FORWARD_COMPATIBLE_BIT_ARB = 0x0002,
};
typedef HGLRC(WINAPI* PFNWGLCREATECONTEXTATTRIBSARBPROC)(HDC hDC, HGLRC hShareContext, const int* attribList);
#else
using ::PFNWGLCREATECONTEXTATTRIBSARBPROC;
#endif
#ifndef WGL_ARB_create_context_profile
enum : int {
  WGL_CONTEXT_PROFILE_MASK_ARB = 0x9126,
  WGL_CONTEXT_CORE_PROFILE_BIT_ARB = 0x0001,
  WGL_CONTEXT_COMPATIBILITY_PROFILE_BIT_ARB = 0x0002,
};
#endif
#ifndef WGL_EXT_create_context_es2_profile
enum : int { WGL_CONTEXT_ES2_PROFILE_BIT_EXT = 0x0004 };
#endif

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
typedef const char* LPCSTR;
// A function address from wglGetProcAddress, to be cast to its real type.
typedef void (*PROC)();
// The two message parameters, pointer-sized as on Windows.
typedef uintptr_t WPARAM;
typedef intptr_t LPARAM;

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

// Windows' virtual-key codes for the keys the menus answer to, so that key
// messages mean the same on both systems whatever the keyboard layout. The
// digit keys have no names on Windows either: they are '0' to '9'. Left out
// where a header of the host's has defined them already.
#ifndef VK_RETURN
enum : UINT {
  VK_TAB = 0x09,
  VK_RETURN = 0x0D,
  VK_SHIFT = 0x10,
  VK_ESCAPE = 0x1B,
  VK_SPACE = 0x20,
  VK_PRIOR = 0x21,  // Page Up
  VK_NEXT = 0x22,   // Page Down
  VK_LEFT = 0x25,
  VK_UP = 0x26,
  VK_RIGHT = 0x27,
  VK_DOWN = 0x28,
  VK_NUMPAD0 = 0x60,
  VK_NUMPAD1 = 0x61,
  VK_NUMPAD2 = 0x62,
  VK_NUMPAD3 = 0x63,
  VK_NUMPAD4 = 0x64,
  VK_NUMPAD5 = 0x65,
  VK_NUMPAD6 = 0x66,
  VK_NUMPAD7 = 0x67,
  VK_NUMPAD8 = 0x68,
  VK_NUMPAD9 = 0x69,
  VK_LSHIFT = 0xA0,
  VK_RSHIFT = 0xA1,
};
#endif

// --- Time -------------------------------------------------------------------

// Milliseconds of the system's monotonic clock, wrapping past 2^32 - 1 as
// on Windows.
VRENK_API DWORD GetTickCount();

// --- Rendering contexts (WGL) ---------------------------------------------

// Returns the context current on the calling thread, whoever made it
// current (EGL or GLX, desktop OpenGL or OpenGL ES), or null when none is.
VRENK_API HGLRC wglGetCurrentContext();
// Returns the device context of the current drawable, non-null whenever a
// context is current on the calling thread.
VRENK_API HDC wglGetCurrentDC();
// Binds hRC to hDC through EGL or GLX according to the handles' kind,
// releasing whatever else was current: a thread has one current context,
// whatever its API. (NULL, NULL) or a null hRC releases whatever is current.
VRENK_API BOOL wglMakeCurrent(HDC hDC, HGLRC hRC);
// Creates a compatibility-profile context suited to hDC's drawable.
VRENK_API HGLRC wglCreateContext(HDC hDC);
// Deletes a context made by wglCreateContext (unbinding it first when it is
// current). For a context adopted from its creator, only the handle goes.
VRENK_API BOOL wglDeleteContext(HGLRC hRC);
// Presents the back buffer of hDC's drawable.
VRENK_API BOOL SwapBuffers(HDC hDC);
// The address of an OpenGL function beyond 1.1 for the context current on
// the calling thread (through EGL or GLX); null without a current context.
// Besides GL functions it knows "wglCreateContextAttribsARB", as on Windows.
VRENK_API PROC wglGetProcAddress(LPCSTR lpszProc);

// Attributes and values of wglCreateContextAttribsARB, with Windows' numbers.
enum : int {
  WGL_CONTEXT_MAJOR_VERSION_ARB = 0x2091,
  WGL_CONTEXT_MINOR_VERSION_ARB = 0x2092,
  WGL_CONTEXT_LAYER_PLANE_ARB = 0x2093,
  WGL_CONTEXT_FLAGS_ARB = 0x2094,
  WGL_CONTEXT_PROFILE_MASK_ARB = 0x9126,
  // WGL_CONTEXT_FLAGS_ARB bits
  WGL_CONTEXT_DEBUG_BIT_ARB = 0x0001,
  WGL_CONTEXT_FORWARD_COMPATIBLE_BIT_ARB = 0x0002,
  // WGL_CONTEXT_PROFILE_MASK_ARB bits
  WGL_CONTEXT_CORE_PROFILE_BIT_ARB = 0x0001,
  WGL_CONTEXT_COMPATIBILITY_PROFILE_BIT_ARB = 0x0002,
  WGL_CONTEXT_ES2_PROFILE_BIT_EXT = 0x0004,
};
typedef HGLRC (*PFNWGLCREATECONTEXTATTRIBSARBPROC)(HDC hDC, HGLRC hShareContext, const int* attribList);
// Creates a context for hDC of the kind attribList asks for: pairs of
// attribute and value ended by 0, or null for the defaults (version 1.0, no
// flags, which gives the same compatibility context as wglCreateContext). The
// profile mask (core by default) counts from version 3.2 on; the ES2 profile
// bit asks for OpenGL ES 2.0 or later. hShareContext, when not null, must be a
// live context of the same backend and display; the new one shares its
// objects. Null for a request the layer or the driver refuses.
VRENK_API HGLRC wglCreateContextAttribsARB(HDC hDC, HGLRC hShareContext, const int* attribList);

// --- Windows and device contexts --------------------------------------------

// The window's device context; GetDC(NULL) gives the screen DC. A window
// keeps one DC for its whole life, so ReleaseDC only checks the pair.
VRENK_API HDC GetDC(HWND hWnd);
VRENK_API int ReleaseDC(HWND hWnd, HDC hDC);
// Turns a point on the screen into the window's client coordinates. A
// wrapped EGL surface (WrapEGLSurface) has no place on a screen that the
// library could know (Wayland has no global coordinates), so its points are
// taken to be client coordinates already and left as they are: TRUE while
// the surface exists. The manager's wheel message then takes client points.
VRENK_API BOOL ScreenToClient(HWND hWnd, POINT* lpPoint);
// The window's client area in pixels, from (0, 0) to its current width and
// height (for an EGL surface, what eglQuerySurface reports now).
VRENK_API BOOL GetClientRect(HWND hWnd, RECT* lpRect);

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

// A handle for a host's own EGL surface, such as its window surface on a
// wl_egl_window: display and surface are the host's EGLDisplay and
// EGLSurface (pointers in EGL, passed as void* so that this header needs no
// EGL header). GetDC of it gives the surface; the library's context bracket
// binds through eglMakeCurrent on it, and a context the host made current on
// the surface is adopted with that same DC. Wrapping the same surface twice
// gives the same handle. Null when the display is not initialised or the
// surface is not one of its live surfaces.
VRENK_API HWND WrapEGLSurface(void* display, void* surface);
// Forgets the handle; the surface itself is left alone.
VRENK_API void UnwrapEGLSurface(HWND hWnd);

// --- GDI text (FreeType and fontconfig) ---------------------------------------
//
// Fonts, memory DCs holding bitmaps, solid brushes, and measuring and drawing
// one line of text into a memory DC's bitmap. Narrow strings are UTF-8;
// invalid sequences count as U+FFFD. Text is drawn black, anti-aliased,
// without kerning. Bitmaps are device-dependent: 32 bits per pixel, BGRA,
// top row first, or monochrome (1 bit per pixel, rows padded to 16 bits, a
// set bit white) when made compatible with a memory DC that holds the
// default 1 by 1 monochrome bitmap, as on Windows. Drawing works in memory
// DCs only; the screen and window DCs measure with the system font.

enum : BYTE { CLIP_CHARACTER_PRECIS = 1, NONANTIALIASED_QUALITY = 3 };
enum : DWORD { OBJ_BRUSH = 2, OBJ_FONT = 6, OBJ_BITMAP = 7 };
enum : int { WHITE_BRUSH = 0, BLACK_BRUSH = 4, SYSTEM_FONT = 13, DEFAULT_GUI_FONT = 17 };

// Windows' RGB macro: red in the low byte.
constexpr COLORREF RGB(int r, int g, int b) {
  return static_cast<COLORREF>(static_cast<BYTE>(r)) | (static_cast<COLORREF>(static_cast<BYTE>(g)) << 8) |
         (static_cast<COLORREF>(static_cast<BYTE>(b)) << 16);
}

// Makes a font from its description. lfHeight > 0 asks for that cell height
// (ascent + descent), lfHeight < 0 for that character (em) height, 0 for a
// 16-pixel cell; an empty face name means the default sans-serif face;
// lfWeight and lfItalic select the style. Null when no usable font exists.
VRENK_API HFONT CreateFontIndirectW(const LOGFONTW* lplf);
// A memory DC (null hdc: compatible with the screen) holding the system
// font, a white brush and the default 1 by 1 monochrome bitmap.
VRENK_API HDC CreateCompatibleDC(HDC hdc);
// Deletes a memory DC; the objects selected into it stay alive.
VRENK_API BOOL DeleteDC(HDC hdc);
// A bitmap of the DC's format (see above), cleared to black. A zero width
// or height gives the default 1 by 1 monochrome bitmap.
VRENK_API HBITMAP CreateCompatibleBitmap(HDC hdc, int cx, int cy);
VRENK_API HBRUSH CreateSolidBrush(COLORREF color);
// WHITE_BRUSH, BLACK_BRUSH, SYSTEM_FONT or DEFAULT_GUI_FONT; null otherwise.
// Stock objects are never deleted.
VRENK_API HGDIOBJ GetStockObject(int i);
// Selects a font, bitmap or brush into a memory DC and returns the object of
// the same kind it replaces; null on failure. A bitmap can be selected into
// one DC at a time.
VRENK_API HGDIOBJ SelectObject(HDC hdc, HGDIOBJ h);
// Deletes a font, bitmap or brush. Fails for objects still selected into a
// DC; stock objects are left alone.
VRENK_API BOOL DeleteObject(HGDIOBJ ho);
// OBJ_FONT, OBJ_BITMAP or OBJ_BRUSH; 0 for anything that is not a live
// GDI object.
VRENK_API DWORD GetObjectType(HGDIOBJ h);
// Copies a font's LOGFONTW or a bitmap's BITMAP (bmBits null) to pv and
// returns the bytes written; with pv null, returns the size needed.
VRENK_API int GetObjectW(HGDIOBJ h, int c, void* pv);
VRENK_API BOOL GetTextMetricsW(HDC hdc, TEXTMETRICW* lptm);
// The width of c bytes of text (the sum of the glyphs' advances) and the
// font's tmHeight.
VRENK_API BOOL GetTextExtentPoint32A(HDC hdc, const char* lpString, int c, SIZE* psizl);
// Fills the rectangle, right and bottom edges excluded, with the brush.
VRENK_API int FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr);
// Draws one line of text (cchText -1: up to the terminating zero) in the
// rectangle, clipped to it unless DT_NOCLIP: DT_LEFT, DT_CENTER or DT_RIGHT
// across; DT_BOTTOM and DT_VCENTER apply with DT_SINGLELINE, as on Windows.
// Returns the height of the text, 0 on failure.
VRENK_API int DrawTextA(HDC hdc, const char* lpchText, int cchText, RECT* lprc, UINT format);
// Copies up to cb bytes of the bitmap's pixels, top row first, and returns
// the count copied; with lpvBits null, returns the bitmap's size in bytes.
VRENK_API LONG GetBitmapBits(HBITMAP hbit, LONG cb, void* lpvBits);

}  // namespace VrenkGLWidge

#endif  // Linux

#endif  // VRENK_PLATFORM_H
