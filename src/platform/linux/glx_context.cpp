// glx_context.cpp - the GLX context backend, for hosts' X11 windows.
#include "platform/linux/internal.h"

#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace VrenkGLWidge {
namespace platform {
namespace {

Display* DisplayOf(HDC dc) { return static_cast<Display*>(dc->display); }

// A context for a plain X window uses the window's own visual.
GLXContext ContextForWindow(Display* display, GLXDrawable drawable) {
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(display, drawable, &attributes)) return nullptr;
  XVisualInfo pattern{};
  pattern.visualid = XVisualIDFromVisual(attributes.visual);
  int count = 0;
  XVisualInfo* info = XGetVisualInfo(display, VisualIDMask, &pattern, &count);
  if (info == nullptr) return nullptr;
  GLXContext context = nullptr;
  if (count > 0) context = glXCreateContext(display, info, nullptr, True);
  XFree(info);
  return context;
}

// Any other GLX drawable (pbuffer, pixmap, GLX window) names its config.
GLXContext ContextForGLXDrawable(Display* display, GLXDrawable drawable) {
  unsigned int id = 0;
  glXQueryDrawable(display, drawable, GLX_FBCONFIG_ID, &id);
  if (id == 0) return nullptr;
  const int attribs[] = {GLX_FBCONFIG_ID, static_cast<int>(id), None};
  int count = 0;
  GLXFBConfig* configs = glXChooseFBConfig(display, DefaultScreen(display), attribs, &count);
  if (configs == nullptr) return nullptr;
  GLXContext context = nullptr;
  if (count > 0) context = glXCreateNewContext(display, configs[0], GLX_RGBA_TYPE, nullptr, True);
  XFree(configs);
  return context;
}

HGLRC GlxCreateContext(HDC dc) {
  Display* display = DisplayOf(dc);
  GLXDrawable drawable = dc->drawable;
  GLXContext context = nullptr;
  {
    XErrorTrap trap(display);
    context = ContextForWindow(display, drawable);
    if (trap.Failed()) context = nullptr;
  }
  if (context == nullptr) {
    XErrorTrap trap(display);
    context = ContextForGLXDrawable(display, drawable);
    if (trap.Failed()) context = nullptr;
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
