// glx_context.cpp - the GLX context backend, for hosts' X11 windows.
#include "platform/linux/internal.h"

#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstring>

namespace VrenkGLWidge {
namespace platform {
namespace {

Display* DisplayOf(HDC dc) { return static_cast<Display*>(dc->display); }

// A context for a plain X window uses the window's own visual.
GLXContext ContextForWindow(Display* display, GLXDrawable drawable, GLXContext share) {
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(display, drawable, &attributes)) return nullptr;
  XVisualInfo pattern{};
  pattern.visualid = XVisualIDFromVisual(attributes.visual);
  int count = 0;
  XVisualInfo* info = XGetVisualInfo(display, VisualIDMask, &pattern, &count);
  if (info == nullptr) return nullptr;
  GLXContext context = nullptr;
  if (count > 0) context = glXCreateContext(display, info, share, True);
  XFree(info);
  return context;
}

// The config of any other GLX drawable (pbuffer, pixmap, GLX window), which
// names it; null for a plain X window.
GLXFBConfig ConfigOfGLXDrawable(Display* display, GLXDrawable drawable) {
  unsigned int id = 0;
  glXQueryDrawable(display, drawable, GLX_FBCONFIG_ID, &id);
  if (id == 0) return nullptr;
  const int attribs[] = {GLX_FBCONFIG_ID, static_cast<int>(id), None};
  int count = 0;
  GLXFBConfig* configs = glXChooseFBConfig(display, DefaultScreen(display), attribs, &count);
  if (configs == nullptr) return nullptr;
  GLXFBConfig config = count > 0 ? configs[0] : nullptr;
  XFree(configs);
  return config;
}

// The config of a plain X window: the one that carries the window's visual.
GLXFBConfig ConfigOfWindow(Display* display, GLXDrawable drawable) {
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(display, drawable, &attributes)) return nullptr;
  const VisualID visual = XVisualIDFromVisual(attributes.visual);
  int count = 0;
  GLXFBConfig* configs = glXGetFBConfigs(display, XScreenNumberOfScreen(attributes.screen), &count);
  if (configs == nullptr) return nullptr;
  GLXFBConfig config = nullptr;
  for (int i = 0; i < count && config == nullptr; ++i) {
    int id = 0;
    if (glXGetFBConfigAttrib(display, configs[i], GLX_VISUAL_ID, &id) == Success &&
        static_cast<VisualID>(id) == visual) {
      config = configs[i];
    }
  }
  XFree(configs);
  return config;
}

// Each attempt runs under its own trap: a plain window is no GLX drawable
// and the other way round, and the server says so with an error.
template <typename Fn>
auto Trapped(Display* display, Fn fn) -> decltype(fn()) {
  XErrorTrap trap(display);
  auto result = fn();
  return trap.Failed() ? nullptr : result;
}

GLXFBConfig ConfigOf(Display* display, GLXDrawable drawable) {
  GLXFBConfig config = Trapped(display, [&] { return ConfigOfWindow(display, drawable); });
  if (config == nullptr) config = Trapped(display, [&] { return ConfigOfGLXDrawable(display, drawable); });
  return config;
}

bool HasGlxExtension(Display* display, const char* name) {
  const char* extensions = glXQueryExtensionsString(display, DefaultScreen(display));
  if (extensions == nullptr) return false;
  const size_t length = std::strlen(name);
  for (const char* p = std::strstr(extensions, name); p != nullptr; p = std::strstr(p + length, name)) {
    if ((p == extensions || p[-1] == ' ') && (p[length] == ' ' || p[length] == '\0')) return true;
  }
  return false;
}

// The extensions a request needs from the server and the client library.
bool CanAsk(Display* display, const ContextRequest& request) {
  if (!HasGlxExtension(display, "GLX_ARB_create_context")) return false;
  switch (request.profile) {
    case ContextRequest::Profile::Legacy: return true;
    case ContextRequest::Profile::Core:
    case ContextRequest::Profile::Compatibility: return HasGlxExtension(display, "GLX_ARB_create_context_profile");
    case ContextRequest::Profile::ES:
      // The ES2 extension gives exactly 2.0; later versions need the ES one.
      return HasGlxExtension(display, "GLX_EXT_create_context_es_profile") ||
             (request.major == 2 && HasGlxExtension(display, "GLX_EXT_create_context_es2_profile"));
  }
  return false;
}

GLXContext ContextWithAttribs(Display* display, GLXDrawable drawable, GLXContext share,
                              const ContextRequest& request) {
  if (!CanAsk(display, request)) return nullptr;
  GLXFBConfig config = ConfigOf(display, drawable);
  if (config == nullptr) return nullptr;
  auto create = reinterpret_cast<PFNGLXCREATECONTEXTATTRIBSARBPROC>(
      glXGetProcAddressARB(reinterpret_cast<const GLubyte*>("glXCreateContextAttribsARB")));
  if (create == nullptr) return nullptr;

  // The flag bits of GLX_ARB_create_context are WGL's.
  int attribs[16];
  int n = 0;
  attribs[n++] = GLX_CONTEXT_MAJOR_VERSION_ARB;
  attribs[n++] = request.major;
  attribs[n++] = GLX_CONTEXT_MINOR_VERSION_ARB;
  attribs[n++] = request.minor;
  if (request.flags != 0) {
    attribs[n++] = GLX_CONTEXT_FLAGS_ARB;
    attribs[n++] = request.flags;
  }
  if (request.profile != ContextRequest::Profile::Legacy) {
    attribs[n++] = GLX_CONTEXT_PROFILE_MASK_ARB;
    attribs[n++] = request.profile == ContextRequest::Profile::Core          ? GLX_CONTEXT_CORE_PROFILE_BIT_ARB
                   : request.profile == ContextRequest::Profile::Compatibility ? GLX_CONTEXT_COMPATIBILITY_PROFILE_BIT_ARB
                                                                              : GLX_CONTEXT_ES2_PROFILE_BIT_EXT;
  }
  attribs[n] = None;

  // A request the server cannot meet comes back as an X error (BadMatch,
  // GLXBadProfileARB), which would otherwise end the process.
  XErrorTrap trap(display);
  GLXContext context = create(display, config, share, True, attribs);
  if (trap.Failed()) {
    if (context != nullptr) glXDestroyContext(display, context);
    return nullptr;
  }
  return context;
}

HGLRC GlxCreateContext(HDC dc, HGLRC share, const ContextRequest& request) {
  Display* display = DisplayOf(dc);
  GLXDrawable drawable = dc->drawable;
  GLXContext shared = share != nullptr ? static_cast<GLXContext>(share->native) : nullptr;
  GLXContext context = nullptr;
  if (request.IsDefault()) {
    // What wglCreateContext makes: a plain window's visual is enough.
    context = Trapped(display, [&] { return ContextForWindow(display, drawable, shared); });
    if (context == nullptr) {
      GLXFBConfig config = Trapped(display, [&] { return ConfigOfGLXDrawable(display, drawable); });
      if (config != nullptr) {
        context = Trapped(display, [&] { return glXCreateNewContext(display, config, GLX_RGBA_TYPE, shared, True); });
      }
    }
  } else {
    context = ContextWithAttribs(display, drawable, shared, request);
  }
  if (context == nullptr) return nullptr;
  HGLRC rc = new HGLRC__{};
  rc->api = &kGlxApi;
  rc->display = display;
  rc->native = context;
  return rc;
}

void GlxDestroyContext(HGLRC rc) {
  Display* display = static_cast<Display*>(rc->display);
  XErrorTrap trap(display);
  glXDestroyContext(display, static_cast<GLXContext>(rc->native));
}

bool GlxMakeCurrent(HDC dc, HGLRC rc) {
  if (dc->display != rc->display) return false;
  Display* display = DisplayOf(dc);
  XErrorTrap trap(display);
  Bool ok = glXMakeCurrent(display, dc->drawable, static_cast<GLXContext>(rc->native));
  return !trap.Failed() && ok;
}

bool GlxHasCurrent() { return glXGetCurrentContext() != nullptr; }

void GlxReleaseCurrent() {
  Display* display = glXGetCurrentDisplay();
  if (display == nullptr || glXGetCurrentContext() == nullptr) return;
  XErrorTrap trap(display);
  glXMakeCurrent(display, None, nullptr);
}

bool GlxCurrent(HGLRC* rc, HDC* dc) {
  GLXContext context = glXGetCurrentContext();
  if (context == nullptr) return false;
  Display* display = glXGetCurrentDisplay();
  *rc = FindOrAdoptContext(&kGlxApi, display, context);
  *dc = FindOrAdoptDC(&kGlxApi, display, glXGetCurrentDrawable());
  return true;
}

bool GlxSwapBuffers(HDC dc) {
  Display* display = DisplayOf(dc);
  XErrorTrap trap(display);
  glXSwapBuffers(display, dc->drawable);
  return !trap.Failed();
}

PROC GlxGetProcAddress(const char* name) {
  return reinterpret_cast<PROC>(glXGetProcAddressARB(reinterpret_cast<const GLubyte*>(name)));
}

}  // namespace

const ContextApi kGlxApi = {
    "GLX",         GlxCreateContext,  GlxDestroyContext, GlxMakeCurrent,
    GlxHasCurrent, GlxReleaseCurrent, GlxCurrent,        GlxSwapBuffers,
    GlxGetProcAddress,
};

}  // namespace platform
}  // namespace VrenkGLWidge
