// internal.h - the seam between the Linux platform layer's pieces.
//
// Every handle the layer gives out points at one of the records below. A
// handle is only ever dereferenced after the registry has confirmed that it
// is live, so a stale or made-up handle gives null/FALSE instead of a crash.
// Contexts and drawables carry their backend (EGL or GLX) as a table of
// functions, so the WGL entry points dispatch without if-chains.
#ifndef VRENK_PLATFORM_LINUX_INTERNAL_H
#define VRENK_PLATFORM_LINUX_INTERNAL_H

#include "VrenkPlatform.h"

#include <cstdint>
#include <string>

namespace VrenkGLWidge {
namespace platform {

struct ContextApi;

}  // namespace platform

// A window: an offscreen pbuffer, a host's X11 window or a host's EGL
// window surface (a Wayland one, say). A host's window shares its DC record
// with adoption, and loses it (dc null) if the drawable's record gives way
// to another one (see RegisterDrawableDC).
struct HWND__ {
  enum class Kind { Offscreen, X11, EglSurface };
  Kind kind;
  HDC dc = nullptr;              // the window's own DC
  int width = 0;                 // offscreen windows only
  int height = 0;
  _XDisplay* xdisplay = nullptr; // X11 windows only
  unsigned long xwindow = 0;
};

// A device context: a GL drawable (EGL surface or GLX drawable), the
// screen, or (for text rasterisation) a memory DC.
struct HDC__ {
  enum class Kind { Drawable, Screen, Memory };
  Kind kind;
  const platform::ContextApi* api = nullptr;  // drawables only
  void* display = nullptr;                    // EGLDisplay or Display*
  uintptr_t drawable = 0;                     // EGLSurface or GLX drawable
  HWND window = nullptr;                      // owning window, if any
  bool adopted = false;                       // made for someone else's drawable
};

// A rendering context, made by wglCreateContext or adopted from whoever
// made it current.
struct HGLRC__ {
  const platform::ContextApi* api = nullptr;
  void* display = nullptr;
  void* native = nullptr;  // EGLContext or GLXContext
  bool adopted = false;
};

namespace platform {

// The kind of context wglCreateContext or wglCreateContextAttribsARB asked
// for, checked against the WGL rules. The flag bits are WGL's, which EGL and
// GLX share.
struct ContextRequest {
  enum class Profile {
    Legacy,         // below 3.2 no profile applies: what the version gives
    Core,           // 3.2 and later
    Compatibility,  // 3.2 and later
    ES,             // OpenGL ES 2.0 and later
  };
  int major = 1;
  int minor = 0;
  int flags = 0;
  Profile profile = Profile::Legacy;

  // No version, flags or profile asked for: what wglCreateContext makes.
  bool IsDefault() const { return profile == Profile::Legacy && major == 1 && minor == 0 && flags == 0; }
};

// Reads a wglCreateContextAttribsARB attribute list (null: the defaults);
// false for an unknown attribute, a bad value or an impossible version.
bool ParseContextAttribs(const int* attribList, ContextRequest* request);

// What each context backend provides.
struct ContextApi {
  const char* name;
  // Makes a native context of the requested kind for the DC's drawable,
  // sharing objects with share when not null (a live context of this
  // backend on the DC's display); null on failure.
  HGLRC (*createContext)(HDC dc, HGLRC share, const ContextRequest& request);
  // Destroys the native context.
  void (*destroyContext)(HGLRC rc);
  // Binds rc to dc's drawable.
  bool (*makeCurrent)(HDC dc, HGLRC rc);
  // Whether this backend has a context current on the calling thread.
  bool (*hasCurrent)();
  // Releases this backend's current context, if any, whatever its API.
  void (*releaseCurrent)();
  // Finds (adopting when needed) the handles of this backend's current
  // context and drawable; false when none is current.
  bool (*current)(HGLRC* rc, HDC* dc);
  bool (*swapBuffers)(HDC dc);
  // The address of a GL function of this backend's contexts; null when the
  // backend does not know the name.
  PROC (*getProcAddress)(const char* name);
};

extern const ContextApi kEglApi;
extern const ContextApi kGlxApi;

// --- Text ------------------------------------------------------------------------

// Appends a Unicode scalar value as UTF-8; false (and nothing appended) for
// a surrogate or a value past U+10FFFF.
inline bool AppendUtf8(std::string& out, uint32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    if (c >= 0xD800 && c <= 0xDFFF) return false;
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c <= 0x10FFFF) {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    return false;
  }
  return true;
}

// --- Registry of live handles (handles.cpp) ---------------------------------

void RegisterHandle(const void* handle);
void UnregisterHandle(const void* handle);
bool IsLiveWindow(HWND hWnd);
bool IsLiveDC(HDC hDC);
bool IsLiveContext(HGLRC hRC);

// Returns the DC registered for a native drawable, or registers an adopted
// one for it.
HDC FindOrAdoptDC(const ContextApi* api, void* display, uintptr_t drawable);
// Registers a DC made by the layer so that adoption finds it.
void RegisterDrawableDC(HDC dc);
void UnregisterDrawableDC(HDC dc);
// The host window of a drawable's DC: the live one the DC names, or a new
// registered one of the given kind.
HWND WindowOfDC(HDC dc, HWND__::Kind kind);

HGLRC FindOrAdoptContext(const ContextApi* api, void* display, void* native);
void RegisterContext(HGLRC rc);
void UnregisterContext(HGLRC rc);

HDC ScreenDC();

// --- EGL helpers (egl_context.cpp) -------------------------------------------

// The surfaceless display shared by every offscreen window, initialised on
// first use; null when Mesa's surfaceless platform is not available.
void* SurfacelessDisplay();
// A pbuffer-capable RGBA8 config with depth, renderable with desktop
// OpenGL and (where the display has one) OpenGL ES 2 and 3; null when none
// exists.
void* OffscreenConfig(void* display);
// Whether the surface is bound, for drawing or reading, to a context current
// on the calling thread, under either client API.
bool IsEglSurfaceCurrent(void* surface);
// The size of a live surface of an initialised display, in pixels, as EGL
// reports it now; false for anything else.
bool QueryEglSurfaceSize(void* display, void* surface, int* width, int* height);

// --- X11 helpers (x11_window.cpp) --------------------------------------------

// Runs Xlib requests with errors caught instead of Xlib's default handler
// ending the process.
class XErrorTrap {
 public:
  explicit XErrorTrap(_XDisplay* display);
  ~XErrorTrap();
  XErrorTrap(const XErrorTrap&) = delete;
  XErrorTrap& operator=(const XErrorTrap&) = delete;
  // Flushes the requests made so far and tells whether any failed.
  bool Failed();

 private:
  _XDisplay* m_display;
  void (*m_previous)();  // Xlib's previous handler, type-erased
};

}  // namespace platform
}  // namespace VrenkGLWidge

// --- GDI objects (gdi_text.cpp) ----------------------------------------------
//
// Fonts, bitmaps and brushes derive from the public handle types, so a handle
// is the record's address. The registry knows each live object's type
// (OBJ_FONT, OBJ_BITMAP, OBJ_BRUSH); a handle is only cast to its record
// after the registry has confirmed both. Every HDC__ of Kind::Memory is a
// MemoryDC. All GDI calls run under one lock, so an object cannot go away
// while a call uses it.

#include <vector>

namespace VrenkGLWidge {
namespace platform {

struct GlyphFace;  // a sized FreeType face and its glyph cache

struct GdiFont : HFONT__ {
  LOGFONTW logFont{};
  TEXTMETRICW metrics{};
  GlyphFace* face = nullptr;  // owned; null for a stock font without a face
  bool stock = false;
  int selections = 0;  // memory DCs it is selected into
};

struct GdiBitmap : HBITMAP__ {
  LONG width = 0;
  LONG height = 0;
  LONG widthBytes = 0;
  WORD bitsPixel = 0;  // 32 (BGRA) or 1 (monochrome, set bit white)
  std::vector<uint8_t> bits;  // top row first
  bool stock = false;
  int selections = 0;
};

struct GdiBrush : HBRUSH__ {
  COLORREF color = 0;
  bool stock = false;
  int selections = 0;
};

struct MemoryDC : HDC__ {
  GdiFont* font = nullptr;
  GdiBitmap* bitmap = nullptr;
  GdiBrush* brush = nullptr;
};

// Registry of live GDI objects and their types (handles.cpp).
void RegisterGdiObject(HGDIOBJ object, DWORD type);
void UnregisterGdiObject(HGDIOBJ object);
// The type of a live GDI object; 0 for anything else.
DWORD LiveGdiObjectType(HGDIOBJ object);

}  // namespace platform
}  // namespace VrenkGLWidge

#endif  // VRENK_PLATFORM_LINUX_INTERNAL_H
