// The Linux layer under a real Wayland compositor: a host with its own
// wl_egl_window and EGL context, as a Wayland application has, hands both to
// the library and gets a wheel drawn on its surface.
#include <gtest/gtest.h>

#include "VrenkGLWidge.h"
#include "support/gl_fixture.h"
#include "support/wayland_compositor.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <wayland-client.h>
#include <wayland-egl.h>

#include "xdg-shell-client-protocol.h"

#include <cstdlib>
#include <cstring>

using namespace VrenkGLWidge;
using vrenktest::ColorNear;
using vrenktest::Rgba;

namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 160;

// The objects a host binds from the registry.
struct Globals {
  wl_compositor* compositor = nullptr;
  xdg_wm_base* wmBase = nullptr;
};

void OnGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
  auto* globals = static_cast<Globals*>(data);
  if (std::strcmp(interface, wl_compositor_interface.name) == 0) {
    globals->compositor = static_cast<wl_compositor*>(wl_registry_bind(registry, name, &wl_compositor_interface, 1));
  } else if (std::strcmp(interface, xdg_wm_base_interface.name) == 0) {
    globals->wmBase = static_cast<xdg_wm_base*>(wl_registry_bind(registry, name, &xdg_wm_base_interface, 1));
  }
}
void OnGlobalRemove(void*, wl_registry*, uint32_t) {}
const wl_registry_listener kRegistryListener = {OnGlobal, OnGlobalRemove};

void OnPing(void*, xdg_wm_base* wmBase, uint32_t serial) { xdg_wm_base_pong(wmBase, serial); }
const xdg_wm_base_listener kWmBaseListener = {OnPing};

void OnSurfaceConfigure(void* data, xdg_surface* surface, uint32_t serial) {
  xdg_surface_ack_configure(surface, serial);
  *static_cast<bool*>(data) = true;
}
const xdg_surface_listener kSurfaceListener = {OnSurfaceConfigure};

// The host takes whatever size the compositor suggests; the events newer
// versions of the protocol add are left null (they are never sent to a
// version 1 object).
xdg_toplevel_listener ToplevelListener() {
  xdg_toplevel_listener listener{};
  listener.configure = [](void*, xdg_toplevel*, int32_t, int32_t, wl_array*) {};
  listener.close = [](void*, xdg_toplevel*) {};
  return listener;
}
const xdg_toplevel_listener kToplevelListener = ToplevelListener();

// A plain wayland-client + wayland-egl host: a configured toplevel, a
// wl_egl_window on it, a window surface and a compatibility context of its
// own, current when the test starts.
class WaylandHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string& socket = vrenktest::TestWaylandSocket();
    VRENK_REQUIRE_WAYLAND_COMPOSITOR(socket);
    // Mesa draws in software and hands the pictures over in wl_shm buffers,
    // which the headless compositor takes, whatever GPU the machine has.
    setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);
    // Mesa unloads its driver with the last display terminated, and what it
    // leaves behind would then have no module for tests/lsan.supp to name.
    // The layer's own display, once made, stays and keeps the driver loaded.
    DestroyOffscreenWindow(CreateOffscreenWindow(1, 1));

    m_wl = wl_display_connect(socket.c_str());
    ASSERT_NE(m_wl, nullptr) << "cannot connect to " << socket;
    m_registry = wl_display_get_registry(m_wl);
    wl_registry_add_listener(m_registry, &kRegistryListener, &m_globals);
    ASSERT_NE(wl_display_roundtrip(m_wl), -1);
    ASSERT_NE(m_globals.compositor, nullptr);
    ASSERT_NE(m_globals.wmBase, nullptr) << "the compositor offers no xdg_wm_base";
    xdg_wm_base_add_listener(m_globals.wmBase, &kWmBaseListener, nullptr);

    // A toplevel is mapped once its first configure is acknowledged.
    m_wlSurface = wl_compositor_create_surface(m_globals.compositor);
    m_xdgSurface = xdg_wm_base_get_xdg_surface(m_globals.wmBase, m_wlSurface);
    xdg_surface_add_listener(m_xdgSurface, &kSurfaceListener, &m_configured);
    m_toplevel = xdg_surface_get_toplevel(m_xdgSurface);
    xdg_toplevel_add_listener(m_toplevel, &kToplevelListener, nullptr);
    wl_surface_commit(m_wlSurface);
    while (!m_configured) ASSERT_NE(wl_display_dispatch(m_wl), -1);

    m_display = eglGetPlatformDisplay(EGL_PLATFORM_WAYLAND_KHR, m_wl, nullptr);
    ASSERT_NE(m_display, EGL_NO_DISPLAY);
    ASSERT_TRUE(eglInitialize(m_display, nullptr, nullptr)) << std::hex << eglGetError();
    ASSERT_TRUE(eglBindAPI(EGL_OPENGL_API));
    const EGLint attribs[] = {EGL_SURFACE_TYPE, EGL_WINDOW_BIT, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
                              EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8, EGL_BLUE_SIZE, 8, EGL_ALPHA_SIZE, 8, EGL_NONE};
    EGLConfig config = nullptr;
    EGLint count = 0;
    ASSERT_TRUE(eglChooseConfig(m_display, attribs, &config, 1, &count) && count == 1);
    m_eglWindow = wl_egl_window_create(m_wlSurface, kWidth, kHeight);
    ASSERT_NE(m_eglWindow, nullptr);
    m_surface = eglCreateWindowSurface(m_display, config, reinterpret_cast<EGLNativeWindowType>(m_eglWindow), nullptr);
    ASSERT_NE(m_surface, EGL_NO_SURFACE) << std::hex << eglGetError();
    m_context = eglCreateContext(m_display, config, EGL_NO_CONTEXT, nullptr);
    ASSERT_NE(m_context, EGL_NO_CONTEXT);
    ASSERT_TRUE(MakeHostCurrent());
    eglSwapInterval(m_display, 0);  // a swap never waits for the compositor
  }

  void TearDown() override {
    m_wheel.Release();
    m_manager.Release();
    if (m_hWnd != nullptr) UnwrapEGLSurface(m_hWnd);
    if (m_display != EGL_NO_DISPLAY) {
      eglMakeCurrent(m_display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
      if (m_context != EGL_NO_CONTEXT) eglDestroyContext(m_display, m_context);
      if (m_surface != EGL_NO_SURFACE) eglDestroySurface(m_display, m_surface);
      eglTerminate(m_display);
    }
    if (m_eglWindow != nullptr) wl_egl_window_destroy(m_eglWindow);
    if (m_toplevel != nullptr) xdg_toplevel_destroy(m_toplevel);
    if (m_xdgSurface != nullptr) xdg_surface_destroy(m_xdgSurface);
    if (m_wlSurface != nullptr) wl_surface_destroy(m_wlSurface);
    if (m_globals.wmBase != nullptr) xdg_wm_base_destroy(m_globals.wmBase);
    if (m_globals.compositor != nullptr) wl_compositor_destroy(m_globals.compositor);
    if (m_registry != nullptr) wl_registry_destroy(m_registry);
    if (m_wl != nullptr) wl_display_disconnect(m_wl);
  }

  bool MakeHostCurrent() { return eglMakeCurrent(m_display, m_surface, m_surface, m_context) == EGL_TRUE; }

  // What a host does once its context is current: adopt it, wrap its
  // surface, and put a manager with a four-item wheel over the window. The
  // wheel sits above the middle, so that a point taken the wrong way up
  // misses it.
  void AdoptAndInit() {
    m_hRC = wglGetCurrentContext();
    ASSERT_NE(m_hRC, nullptr);
    m_hWnd = WrapEGLSurface(m_display, m_surface);
    ASSERT_NE(m_hWnd, nullptr);
    ASSERT_EQ(m_manager.Init(m_hWnd, kWidth, kHeight, m_hRC, 0, 0, kWidth, kHeight), 0);
    m_wheel.Init(&m_manager, 4, 50, 100, 100, 45.0f);
  }

  static void ClearBackground() {
    glViewport(0, 0, kWidth, kHeight);
    glClearColor(0.25f, 0.25f, 0.25f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
  }

  // The wheel's centre, its left sector and a point outside it, in overlay
  // pixels (origin at the lower left).
  struct Probe {
    Rgba centre, sector, outside;
  };
  static Probe ReadProbe() {
    auto at = [](int x, int y) {
      Rgba pixel{};
      glPixelStorei(GL_PACK_ALIGNMENT, 1);
      glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel.data());
      return pixel;
    };
    return {at(100, 100), at(65, 104), at(10, 10)};
  }

  // The same wheel drawn by the library in an offscreen window of its own.
  static Probe OffscreenPicture() {
    HWND offscreen = CreateOffscreenWindow(kWidth, kHeight);
    HGLRC rc = offscreen != nullptr ? wglCreateContext(GetDC(offscreen)) : nullptr;
    Probe probe{};
    if (rc != nullptr && wglMakeCurrent(GetDC(offscreen), rc)) {
      CVrenkWidgeManager manager;
      CVrenkWheelMenu wheel;
      manager.Init(offscreen, kWidth, kHeight, rc, 0, 0, kWidth, kHeight);
      wheel.Init(&manager, 4, 50, 100, 100, 45.0f);
      ClearBackground();
      manager.Render();
      glFinish();
      probe = ReadProbe();
      wheel.Release();
      manager.Release();
    }
    wglMakeCurrent(nullptr, nullptr);
    if (rc != nullptr) wglDeleteContext(rc);
    if (offscreen != nullptr) DestroyOffscreenWindow(offscreen);
    return probe;
  }

  wl_display* m_wl = nullptr;
  wl_registry* m_registry = nullptr;
  Globals m_globals;
  wl_surface* m_wlSurface = nullptr;
  xdg_surface* m_xdgSurface = nullptr;
  xdg_toplevel* m_toplevel = nullptr;
  bool m_configured = false;
  wl_egl_window* m_eglWindow = nullptr;
  EGLDisplay m_display = EGL_NO_DISPLAY;
  EGLSurface m_surface = EGL_NO_SURFACE;
  EGLContext m_context = EGL_NO_CONTEXT;

  HGLRC m_hRC = nullptr;
  HWND m_hWnd = nullptr;
  CVrenkWidgeManager m_manager;
  CVrenkWheelMenu m_wheel;
};

TEST_F(WaylandHostTest, HostContextIsAdoptedWithTheWrappedSurfacesDCAndRebound) {
  HGLRC rc = wglGetCurrentContext();
  ASSERT_NE(rc, nullptr);
  HWND hWnd = WrapEGLSurface(m_display, m_surface);
  m_hWnd = hWnd;
  ASSERT_NE(hWnd, nullptr);
  EXPECT_EQ(WrapEGLSurface(m_display, m_surface), hWnd);
  EXPECT_EQ(GetDC(hWnd), wglGetCurrentDC());
  EXPECT_EQ(ReleaseDC(hWnd, GetDC(hWnd)), 1);

  EXPECT_TRUE(wglMakeCurrent(nullptr, nullptr));
  EXPECT_EQ(eglGetCurrentContext(), EGL_NO_CONTEXT);
  EXPECT_EQ(wglGetCurrentContext(), nullptr);
  ASSERT_TRUE(wglMakeCurrent(GetDC(hWnd), rc));
  EXPECT_EQ(eglGetCurrentContext(), m_context);
  EXPECT_EQ(eglGetCurrentSurface(EGL_DRAW), m_surface);

  // The size is EGL's, not remembered: a resized wl_egl_window counts from
  // the frame after.
  RECT rect{};
  ASSERT_TRUE(GetClientRect(hWnd, &rect));
  EXPECT_EQ(rect.right - rect.left, kWidth);
  EXPECT_EQ(rect.bottom - rect.top, kHeight);
  wl_egl_window_resize(m_eglWindow, 240, 180, 0, 0);
  ClearBackground();
  ASSERT_TRUE(SwapBuffers(GetDC(hWnd)));
  glClear(GL_COLOR_BUFFER_BIT);
  ASSERT_TRUE(GetClientRect(hWnd, &rect));
  EXPECT_EQ(rect.right, 240);
  EXPECT_EQ(rect.bottom, 180);
}

TEST_F(WaylandHostTest, WheelDrawnOnTheHostSurfaceMatchesTheOffscreenPicture) {
  const Probe expected = OffscreenPicture();
  ASSERT_FALSE(ColorNear(expected.sector, expected.outside)) << "the reference shows no wheel";
  ASSERT_TRUE(MakeHostCurrent());
  AdoptAndInit();

  // With the host's context current, the manager draws in it.
  ClearBackground();
  m_manager.Render();
  glFinish();
  Probe drawn = ReadProbe();
  EXPECT_TRUE(ColorNear(drawn.centre, expected.centre));
  EXPECT_TRUE(ColorNear(drawn.sector, expected.sector));
  EXPECT_TRUE(ColorNear(drawn.outside, expected.outside));

  // With nothing current, the manager's bracket binds its context to the
  // wrapped surface for the pass and releases it after.
  ClearBackground();
  glFinish();
  ASSERT_TRUE(wglMakeCurrent(nullptr, nullptr));
  m_manager.Render();
  EXPECT_EQ(eglGetCurrentContext(), EGL_NO_CONTEXT);
  ASSERT_TRUE(MakeHostCurrent());
  drawn = ReadProbe();
  EXPECT_TRUE(ColorNear(drawn.centre, expected.centre));
  EXPECT_TRUE(ColorNear(drawn.sector, expected.sector));
  EXPECT_TRUE(ColorNear(drawn.outside, expected.outside));
}

TEST_F(WaylandHostTest, ScreenPointsAreTheSurfacesOwnSoTheWheelMessageTakesClientPoints) {
  AdoptAndInit();
  POINT pt{30, 40};
  EXPECT_TRUE(ScreenToClient(m_hWnd, &pt));
  EXPECT_EQ(pt.x, 30);
  EXPECT_EQ(pt.y, 40);

  // Client points are measured from the top: the top item lies at overlay
  // (100, 130), client (100, 30); the left one at client (65, 60).
  m_manager.OnMouseWheel(0, 120, POINT{100, kHeight - 130});
  EXPECT_EQ(m_wheel.GetHoveredIndex(), 0);
  m_manager.OnMouseWheel(0, 120, POINT{65, kHeight - 100});
  EXPECT_EQ(m_wheel.GetHoveredIndex(), 1);
  m_manager.OnMouseWheel(0, -120, POINT{100, kHeight - 30});
  EXPECT_FALSE(m_wheel.IsHovered());
}

TEST_F(WaylandHostTest, MadeUpStaleAndDeadHandlesGiveNullAndFalse) {
  int notAHandle = 0;
  EXPECT_EQ(WrapEGLSurface(nullptr, m_surface), nullptr);
  EXPECT_EQ(WrapEGLSurface(m_display, nullptr), nullptr);
  EXPECT_EQ(WrapEGLSurface(m_display, &notAHandle), nullptr);
  EXPECT_EQ(WrapEGLSurface(&notAHandle, m_surface), nullptr);

  HWND unwrapped = WrapEGLSurface(m_display, m_surface);
  ASSERT_NE(unwrapped, nullptr);
  UnwrapEGLSurface(unwrapped);
  UnwrapEGLSurface(unwrapped);
  POINT pt{1, 2};
  EXPECT_EQ(GetDC(unwrapped), nullptr);
  EXPECT_FALSE(ScreenToClient(unwrapped, &pt));

  // A wrapped surface the host destroys, and then its display: the handle
  // stays safe to use and refuses everything.
  HGLRC rc = wglGetCurrentContext();
  m_hWnd = WrapEGLSurface(m_display, m_surface);
  ASSERT_NE(m_hWnd, nullptr);
  eglMakeCurrent(m_display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  ASSERT_TRUE(eglDestroySurface(m_display, m_surface));
  EGLSurface gone = m_surface;
  m_surface = EGL_NO_SURFACE;
  RECT rect{};
  EXPECT_FALSE(ScreenToClient(m_hWnd, &pt));
  EXPECT_FALSE(GetClientRect(m_hWnd, &rect));
  EXPECT_FALSE(wglMakeCurrent(GetDC(m_hWnd), rc));
  EXPECT_EQ(WrapEGLSurface(m_display, gone), nullptr);

  ASSERT_TRUE(eglTerminate(m_display));
  EXPECT_EQ(WrapEGLSurface(m_display, gone), nullptr);
  EXPECT_FALSE(ScreenToClient(m_hWnd, &pt));
  EXPECT_FALSE(wglMakeCurrent(GetDC(m_hWnd), rc));
}

}  // namespace
