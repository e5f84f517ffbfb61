// egl_context.cpp - the EGL context backend, and the surfaceless display
// that offscreen windows live on.
#include "platform/linux/internal.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>

#include <mutex>

namespace VrenkGLWidge {
namespace platform {
namespace {

const EGLenum kClientApis[] = {EGL_OPENGL_API, EGL_OPENGL_ES_API};

// EGL keeps one current context per client API and thread (Mesa keeps one
// per thread and reports it under either API), and eglGetCurrentContext and
// eglMakeCurrent(EGL_NO_CONTEXT) answer for the thread's bound API. Queries and binds switch to the API they are about and
// put the caller's API back afterwards.
class BoundApi {
 public:
  explicit BoundApi(EGLenum api) : m_api(api), m_previous(eglQueryAPI()) {
    if (m_previous != m_api) eglBindAPI(m_api);
  }
  ~BoundApi() {
    if (m_previous != m_api && m_previous != EGL_NONE) eglBindAPI(m_previous);
  }
  BoundApi(const BoundApi&) = delete;
  BoundApi& operator=(const BoundApi&) = delete;

 private:
  EGLenum m_api;
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

// The renderable-type bit a config needs for the request.
EGLint RenderableBit(const ContextRequest& request) {
  if (request.profile != ContextRequest::Profile::ES) return EGL_OPENGL_BIT;
  return request.major >= 3 ? EGL_OPENGL_ES3_BIT : EGL_OPENGL_ES2_BIT;
}

HGLRC EglCreateContext(HDC dc, HGLRC share, const ContextRequest& request) {
  EGLDisplay display = dc->display;
  EGLConfig config = ConfigOfSurface(display, SurfaceOf(dc));
  if (config == nullptr) return nullptr;
  EGLint renderable = 0;
  if (!eglGetConfigAttrib(display, config, EGL_RENDERABLE_TYPE, &renderable)) return nullptr;
  if ((renderable & RenderableBit(request)) == 0) return nullptr;

  // The default request gives no attributes: a legacy context, which Mesa
  // gives as a compatibility profile, so OpenGL 1.1 immediate mode works.
  // The flag bits of EGL_KHR_create_context are WGL's.
  EGLint attribs[16];
  int n = 0;
  if (!request.IsDefault()) {
    attribs[n++] = EGL_CONTEXT_MAJOR_VERSION;
    attribs[n++] = request.major;
    attribs[n++] = EGL_CONTEXT_MINOR_VERSION;
    attribs[n++] = request.minor;
  }
  if (request.flags != 0) {
    attribs[n++] = EGL_CONTEXT_FLAGS_KHR;
    attribs[n++] = request.flags;
  }
  if (request.profile == ContextRequest::Profile::Core || request.profile == ContextRequest::Profile::Compatibility) {
    attribs[n++] = EGL_CONTEXT_OPENGL_PROFILE_MASK;
    attribs[n++] = request.profile == ContextRequest::Profile::Core ? EGL_CONTEXT_OPENGL_CORE_PROFILE_BIT
                                                                    : EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT;
  }
  attribs[n] = EGL_NONE;

  BoundApi api(request.profile == ContextRequest::Profile::ES ? EGL_OPENGL_ES_API : EGL_OPENGL_API);
  EGLContext shared = share != nullptr ? share->native : EGL_NO_CONTEXT;
  EGLContext context = eglCreateContext(display, config, shared, attribs);
  if (context == EGL_NO_CONTEXT) return nullptr;
  HGLRC rc = new HGLRC__{};
  rc->api = &kEglApi;
  rc->display = display;
  rc->native = context;
  return rc;
}

void EglDestroyContext(HGLRC rc) { eglDestroyContext(rc->display, rc->native); }

// The client API a context was made for; desktop OpenGL when EGL cannot
// tell (a context its creator has destroyed).
EGLenum ClientApiOf(HGLRC rc) {
  EGLint type = 0;
  eglQueryContext(rc->display, rc->native, EGL_CONTEXT_CLIENT_TYPE, &type);
  return type == EGL_OPENGL_ES_API ? EGLenum(EGL_OPENGL_ES_API) : EGLenum(EGL_OPENGL_API);
}

// Releases the context current under one client API, if any.
void ReleaseApi(EGLenum which) {
  BoundApi api(which);
  if (eglGetCurrentContext() == EGL_NO_CONTEXT) return;
  eglMakeCurrent(eglGetCurrentDisplay(), EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
}

bool EglMakeCurrent(HDC dc, HGLRC rc) {
  if (dc->display != rc->display) return false;
  const EGLenum which = ClientApiOf(rc);
  // Contexts of the two APIs could be current side by side, and GL calls
  // would go to whichever was bound last; a thread has one current context.
  for (EGLenum other : kClientApis) {
    if (other != which) ReleaseApi(other);
  }
  BoundApi api(which);
  EGLSurface surface = SurfaceOf(dc);
  return eglMakeCurrent(rc->display, surface, surface, rc->native) == EGL_TRUE;
}

bool EglCurrentOfApi(EGLenum which, EGLDisplay* display, EGLContext* context, EGLSurface* surface) {
  BoundApi api(which);
  *context = eglGetCurrentContext();
  *display = eglGetCurrentDisplay();
  *surface = eglGetCurrentSurface(EGL_DRAW);
  return *context != EGL_NO_CONTEXT;
}

bool EglCurrentNative(EGLDisplay* display, EGLContext* context, EGLSurface* surface) {
  // A desktop GL context first; an OpenGL ES one counts as current too.
  for (EGLenum which : kClientApis) {
    if (EglCurrentOfApi(which, display, context, surface)) return true;
  }
  return false;
}

bool EglHasCurrent() {
  EGLDisplay display;
  EGLContext context;
  EGLSurface surface;
  return EglCurrentNative(&display, &context, &surface);
}

void EglReleaseCurrent() {
  for (EGLenum which : kClientApis) ReleaseApi(which);
}

bool EglCurrent(HGLRC* rc, HDC* dc) {
  EGLDisplay display;
  EGLContext context;
  EGLSurface surface;
  if (!EglCurrentNative(&display, &context, &surface)) return false;
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

bool IsEglSurfaceCurrent(void* surface) {
  for (EGLenum which : kClientApis) {
    BoundApi api(which);
    if (eglGetCurrentContext() == EGL_NO_CONTEXT) continue;
    if (eglGetCurrentSurface(EGL_DRAW) == surface || eglGetCurrentSurface(EGL_READ) == surface) return true;
  }
  return false;
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
  // eglChooseConfig sorts deeper colour buffers first; take an exact RGBA8,
  // preferably one that OpenGL ES contexts can use as well, so every kind
  // of context can draw in an offscreen window.
  const EGLint kEsBits = EGL_OPENGL_ES2_BIT | EGL_OPENGL_ES3_BIT;
  EGLConfig rgba8 = nullptr;
  for (EGLint i = 0; i < count; ++i) {
    EGLint r = 0, g = 0, b = 0, a = 0, renderable = 0;
    eglGetConfigAttrib(display, configs[i], EGL_RED_SIZE, &r);
    eglGetConfigAttrib(display, configs[i], EGL_GREEN_SIZE, &g);
    eglGetConfigAttrib(display, configs[i], EGL_BLUE_SIZE, &b);
    eglGetConfigAttrib(display, configs[i], EGL_ALPHA_SIZE, &a);
    eglGetConfigAttrib(display, configs[i], EGL_RENDERABLE_TYPE, &renderable);
    if (r != 8 || g != 8 || b != 8 || a != 8) continue;
    if ((renderable & kEsBits) == kEsBits) return configs[i];
    if (rgba8 == nullptr) rgba8 = configs[i];
  }
  return rgba8 != nullptr ? rgba8 : configs[0];
}

}  // namespace platform
}  // namespace VrenkGLWidge
