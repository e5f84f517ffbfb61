// demo_glfw.cpp - the demo's window front end on X11: a GLFW window whose
// context the library adopts, with every message forwarded to the manager.
//
//   vrenk_demo --window [ICON_DIR]
//
// Left button: choose wheel items. Right button: open the double wheel at
// the cursor; releasing it over an item chooses that item. Keys: T cycles
// the tooltip style, L switches light tracing, R switches regional
// rendering (off at first), Escape quits. The window is redrawn only when the manager asks
// for it (or the window was exposed), so an idle demo costs nothing.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "demo_app.h"

#define GLFW_EXPOSE_NATIVE_X11
#include <GLFW/glfw3.h>
#include <GLFW/glfw3native.h>

using namespace vrenkdemo;

namespace {

struct Session {
  DemoApp app;
  // Off at first: Mesa's software rasteriser cannot read the presented frame
  // back from the front buffer, which regional rendering relies on.
  bool regional = false;
  bool exposed = true;
  int tooltipStyle = 0;
  bool lightTracing = false;
  bool rightOpen = false;
};

POINT CursorPoint(GLFWwindow* window) {
  double x = 0;
  double y = 0;
  glfwGetCursorPos(window, &x, &y);
  return POINT{static_cast<LONG>(x), static_cast<LONG>(y)};
}

Session* Of(GLFWwindow* window) { return static_cast<Session*>(glfwGetWindowUserPointer(window)); }

void OnCursor(GLFWwindow* window, double x, double y) {
  Of(window)->app.Manager().OnMouseMove(0, POINT{static_cast<LONG>(x), static_cast<LONG>(y)});
}

void OnButton(GLFWwindow* window, int button, int action, int) {
  Session& s = *Of(window);
  const POINT pt = CursorPoint(window);
  CVrenkWidgeManager& manager = s.app.Manager();
  if (button == GLFW_MOUSE_BUTTON_LEFT) {
    if (action == GLFW_PRESS) {
      manager.OnLButtonDown(0, pt);
    } else {
      manager.OnLButtonUp(0, pt);
    }
  } else if (button == GLFW_MOUSE_BUTTON_RIGHT) {
    if (action == GLFW_PRESS) {
      manager.OnRButtonDown(0, pt);
      s.app.OpenDoubleWheel(pt);
      manager.OnMouseMove(0, pt);
      s.rightOpen = true;
    } else {
      manager.OnRButtonUp(0, pt);
      if (s.rightOpen) {
        // Releasing the right button over an item chooses it, as a left
        // release would.
        manager.OnMouseMove(0, pt);
        manager.OnLButtonUp(0, pt);
        s.rightOpen = false;
      }
    }
  }
}

void OnScroll(GLFWwindow* window, double, double dy) {
  int wx = 0;
  int wy = 0;
  glfwGetWindowPos(window, &wx, &wy);
  POINT pt = CursorPoint(window);
  pt.x += wx;  // the wheel message carries a screen point
  pt.y += wy;
  Of(window)->app.Manager().OnMouseWheel(0, static_cast<short>(dy * 120), pt);
}

void OnKey(GLFWwindow* window, int key, int, int action, int) {
  if (action != GLFW_PRESS) return;
  Session& s = *Of(window);
  switch (key) {
    case GLFW_KEY_ESCAPE:
      glfwSetWindowShouldClose(window, GLFW_TRUE);
      break;
    case GLFW_KEY_T:
      s.tooltipStyle = (s.tooltipStyle + 1) % 3;
      s.app.DoubleWheel().SetTooltipStyle(s.tooltipStyle);
      std::printf("tooltip style %d\n", s.tooltipStyle);
      s.exposed = true;
      break;
    case GLFW_KEY_L:
      s.lightTracing = !s.lightTracing;
      s.app.Wheel().SetLightTracing(s.lightTracing);
      s.app.DoubleWheel().SetLightTracing(s.lightTracing);
      std::printf("light tracing %s\n", s.lightTracing ? "on" : "off");
      break;
    case GLFW_KEY_R:
      s.regional = !s.regional;
      std::printf("regional rendering %s\n", s.regional ? "on" : "off");
      s.exposed = true;
      break;
    default:
      break;
  }
  std::fflush(stdout);
}

void OnResize(GLFWwindow* window, int width, int height) {
  Of(window)->app.OnSize(width, height);
  Of(window)->exposed = true;
}

void OnRefresh(GLFWwindow* window) { Of(window)->exposed = true; }

}  // namespace

int RunWindowed(int argc, char** argv) {
  const std::string iconDir =
      argc > 2 ? argv[2] : (std::filesystem::temp_directory_path() / "vrenk-demo-icons").string();
  std::error_code error;
  std::filesystem::create_directories(iconDir, error);
  std::vector<std::string> icons = WriteIcons(iconDir);
  if (icons.empty()) {
    std::fprintf(stderr, "demo: could not write the icons into %s\n", iconDir.c_str());
    return 1;
  }

  if (!glfwInit()) {
    std::fprintf(stderr, "demo: no display for a window (try the headless mode)\n");
    return 1;
  }
  glfwWindowHint(GLFW_DOUBLEBUFFER, GLFW_TRUE);
  glfwWindowHint(GLFW_DEPTH_BITS, 24);
  // An accumulation buffer makes regional rendering's frame copy exact.
  glfwWindowHint(GLFW_ACCUM_RED_BITS, 16);
  glfwWindowHint(GLFW_ACCUM_GREEN_BITS, 16);
  glfwWindowHint(GLFW_ACCUM_BLUE_BITS, 16);
  glfwWindowHint(GLFW_ACCUM_ALPHA_BITS, 16);
  GLFWwindow* window = glfwCreateWindow(640, 400, "VrenkGLWidge demo", nullptr, nullptr);
  if (window == nullptr) {
    glfwDefaultWindowHints();
    window = glfwCreateWindow(640, 400, "VrenkGLWidge demo", nullptr, nullptr);
  }
  if (window == nullptr) {
    std::fprintf(stderr, "demo: no OpenGL window could be made\n");
    glfwTerminate();
    return 1;
  }
  glfwMakeContextCurrent(window);

  // The host's own window and context, adopted by the library.
  HWND hWnd = WrapX11Window(glfwGetX11Display(), glfwGetX11Window(window));
  HGLRC hRC = wglGetCurrentContext();
  int width = 0;
  int height = 0;
  glfwGetFramebufferSize(window, &width, &height);

  int result = 1;
  {
    Session session;
    if (hWnd != nullptr && hRC != nullptr && session.app.Init(hWnd, hRC, width, height, icons)) {
      glfwSetWindowUserPointer(window, &session);
      glfwSetCursorPosCallback(window, OnCursor);
      glfwSetMouseButtonCallback(window, OnButton);
      glfwSetScrollCallback(window, OnScroll);
      glfwSetKeyCallback(window, OnKey);
      glfwSetFramebufferSizeCallback(window, OnResize);
      glfwSetWindowRefreshCallback(window, OnRefresh);

      // Where things are, for scripts that drive the demo with a pointer.
      int wx = 0;
      int wy = 0;
      glfwGetWindowPos(window, &wx, &wy);
      for (int i = 0; i < kWheelItems; ++i) {
        const POINT pt = session.app.WheelItemPoint(i);
        std::printf("wheel item %d id %d at %ld %ld%s\n", i, kWheelBaseID + i, static_cast<long>(pt.x),
                    static_cast<long>(pt.y), i == kDisabledItem ? " disabled" : "");
      }
      int cx = 0;
      int cy = 0;
      session.app.Wheel().GetCenter(cx, cy);
      std::printf("wheel centre %d %d radius %d\n", cx, height - cy, session.app.Wheel().GetRadius());
      std::printf("ready: window at %d %d size %d %d\n", wx, wy, width, height);
      std::fflush(stdout);

      while (!glfwWindowShouldClose(window)) {
        if (session.exposed || session.app.Manager().IsNeedReRender()) {
          const bool regional = session.regional && !session.exposed;
          if (regional) session.app.Manager().BeginRegionalRendering();
          session.app.Advance(2.0f);
          session.app.Frame();
          if (regional) session.app.Manager().EndRegionalRendering();
          glfwSwapBuffers(window);
          session.exposed = false;
        }
        glfwWaitEvents();
      }
      session.app.Release();
      result = 0;
    } else {
      std::fprintf(stderr, "demo: the library could not adopt the window\n");
    }
  }
  UnwrapX11Window(hWnd);
  glfwDestroyWindow(window);
  glfwTerminate();
  return result;
}
