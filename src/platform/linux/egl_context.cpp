// egl_context.cpp - the EGL context backend, and the surfaceless display
// that offscreen windows live on.
#include "platform/linux/internal.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>

#include <mutex>

namespace VrenkGLWidge {
namespace platform {
namespace {

// eglGetCurrentContext answers for the thread's bound API, so queries and
// binds switch to desktop OpenGL and put the caller's API back afterwards.
class DesktopGLApi {
 public:
  DesktopGLApi() : m_previous(eglQueryAPI()) {
    if (m_previous != EGL_OPENGL_API) eglBindAPI(EGL_OPENGL_API);
  }
  ~DesktopGLApi() {
    if (m_previous != EGL_OPENGL_API && m_previous != EGL_NONE) eglBindAPI(m_previous);
  }
  DesktopGLApi(const DesktopGLApi&) = delete;
  DesktopGLApi& operator=(const DesktopGLApi&) = delete;

 private:
  EGLenum m_previous;
};

EGLSurface SurfaceOf(HDC dc) { return reinterpret_cast<EGLSurface>(dc->drawable); }

// The config a drawable was made with, found through its id.
EGLConfig ConfigOfSurface(EGLDisplay display, EGLSurface surface) {
  if (surface == EGL_NO_SURFACE) return OffscreenConfig(display);
  EGLint id = 0;
  if (!eglQuerySurface(display, surface, EGL_CONFIG_ID, &id)) return nullptr;
  const EGLint attribs[] = {EGL_CONFIG_ID, id, EGL_NONE};
  EGLConfig config = nullptr;
  EGLint count = 0;
  if (!eglChooseConfig(display, attribs, &config, 1, &count) || count < 1) return nullptr;
  return config;
}

HGLRC EglCreateContext(HDC dc) {
  EGLDisplay display = dc->display;
  EGLConfig config = ConfigOfSurface(display, SurfaceOf(dc));
  if (config == nullptr) return nullptr;
  DesktopGLApi api;
  // No version or profile attributes: a legacy context, which Mesa gives
  // as a compatibility profile, so OpenGL 1.1 immediate mode works.
  EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, nullptr);
  if (context == EGL_NO_CONTEXT) return nullptr;
  HGLRC rc = new HGLRC__{};
  rc->api = &kEglApi;
  rc->display = display;
  rc->native = context;
  return rc;
}

void EglDestroyContext(HGLRC rc) { eglDestroyContext(rc->display, rc->native); }

bool EglMakeCurrent(HDC dc, HGLRC rc) {
  if (dc->display != rc->display) return false;
  DesktopGLApi api;
  EGLSurface surface = SurfaceOf(dc);
  return eglMakeCurrent(rc->display, surface, surface, rc->native) == EGL_TRUE;
}

bool EglCurrentOfApi(EGLenum which, EGLDisplay* display, EGLContext* context, EGLSurface* surface) {
  EGLenum previous = eglQueryAPI();
  if (previous != which) eglBindAPI(which);
  *context = eglGetCurrentContext();
  *display = eglGetCurrentDisplay();
  *surface = eglGetCurrentSurface(EGL_DRAW);
  if (previous != which && previous != EGL_NONE) eglBindAPI(previous);
  return *context != EGL_NO_CONTEXT;
}

bool EglCurrentNative(EGLenum* which, EGLDisplay* display, EGLContext* context, EGLSurface* surface) {
  // A host's desktop GL context first; an OpenGL ES one still counts as a
  // current EGL context.
  for (EGLenum api : {EGLenum(EGL_OPENGL_API), EGLenum(EGL_OPENGL_ES_API)}) {
    if (EglCurrentOfApi(api, display, context, surface)) {
      *which = api;
      return true;
    }
  }
  return false;
}

bool EglHasCurrent() {
  EGLenum which;
  EGLDisplay display;
  EGLContext context;
  EGLSurface surface;
  return EglCurrentNative(&which, &display, &context, &surface);
}

void EglReleaseCurrent() {
  EGLenum which;
  EGLDisplay display;
  EGLContext context;
  EGLSurface surface;
  if (!EglCurrentNative(&which, &display, &context, &surface)) return;
  EGLenum previous = eglQueryAPI();
  if (previous != which) eglBindAPI(which);
  eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  if (previous != which && previous != EGL_NONE) eglBindAPI(previous);
}

bool EglCurrent(HGLRC* rc, HDC* dc) {
  EGLenum which;
  EGLDisplay display;
  EGLContext context;
  EGLSurface surface;
  if (!EglCurrentNative(&which, &display, &context, &surface)) return false;
  *rc = FindOrAdoptContext(&kEglApi, display, context);
  *dc = FindOrAdoptDC(&kEglApi, display, reinterpret_cast<uintptr_t>(surface));
  return true;
}

bool EglSwapBuffers(HDC dc) { return eglSwapBuffers(dc->display, SurfaceOf(dc)) == EGL_TRUE; }

PROC EglGetProcAddress(const char* name) { return reinterpret_cast<PROC>(eglGetProcAddress(name)); }

}  // namespace

const ContextApi kEglApi = {
    "EGL",          EglCreateContext, EglDestroyContext, EglMakeCurrent,
    EglHasCurrent,  EglReleaseCurrent, EglCurrent,       EglSwapBuffers,
    EglGetProcAddress,
};

void* SurfacelessDisplay() {
  static std::once_flag once;
  static EGLDisplay display = EGL_NO_DISPLAY;
  std::call_once(once, [] {
    const char* extensions = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
    if (extensions == nullptr) return;
    auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (getPlatformDisplay == nullptr) return;
    EGLDisplay candidate = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (candidate == EGL_NO_DISPLAY) return;
    EGLint major = 0;
    EGLint minor = 0;
    if (!eglInitialize(candidate, &major, &minor)) return;
    display = candidate;
  });
  return display;
}

void* OffscreenConfig(void* display) {
  const EGLint attribs[] = {
      EGL_SURFACE_TYPE, EGL_PBUFFER_BIT,
      EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
      EGL_RED_SIZE, 8,
      EGL_GREEN_SIZE, 8,
      EGL_BLUE_SIZE, 8,
      EGL_ALPHA_SIZE, 8,
      EGL_DEPTH_SIZE, 24,
      EGL_NONE,
  };
  EGLConfig configs[64];
  EGLint count = 0;
  if (!eglChooseConfig(display, attribs, configs, 64, &count) || count < 1) return nullptr;
  // eglChooseConfig sorts deeper colour buffers first; take an exact RGBA8.
  for (EGLint i = 0; i < count; ++i) {
    EGLint r = 0, g = 0, b = 0, a = 0;
    eglGetConfigAttrib(display, configs[i], EGL_RED_SIZE, &r);
    eglGetConfigAttrib(display, configs[i], EGL_GREEN_SIZE, &g);
    eglGetConfigAttrib(display, configs[i], EGL_BLUE_SIZE, &b);
    eglGetConfigAttrib(display, configs[i], EGL_ALPHA_SIZE, &a);
    if (r == 8 && g == 8 && b == 8 && a == 8) return configs[i];
  }
  return configs[0];
}

}  // namespace platform
}  // namespace VrenkGLWidge
