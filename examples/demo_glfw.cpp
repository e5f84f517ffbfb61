// demo_glfw.cpp - the demo's window front end on X11: a GLFW window whose
// context the library adopts, with every message forwarded to the manager.
//
//   vrenk_demo --window [ICON_DIR] [--popup-delay MS] [--core]
//
// --core opens the window with a 3.3 core-profile context.
//
// Left button: choose wheel items. Right button: the double wheel pops up
// at the press point; a stroke in an item's direction chooses it on
// release, however far it goes, and a quick stroke chooses before the menu
// is even drawn (it shows once the pointer rests for the popup delay,
// 250 ms unless told otherwise); a tap leaves it open for a click. Keys go
// to the popup or the menu under the pointer (arrows, numpad, Tab, Enter,
// digits, Page Up/Down, Escape closes the popup); the others: T cycles the
// tooltip style, L switches light tracing, R switches regional rendering
// (off at first), Escape quits. The window is redrawn only when the
// manager asks for it (or the window was exposed), and the loop sleeps
// until the next message or the manager's timer, so an idle demo costs
// nothing.
#include <cstdio>
#include <cstdlib>
#include <cstring>
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
  // The popup has been on screen since it opened (told once, for scripts).
  bool popupShown = false;
  // Where the pointer was at the last motion event. Button events take
  // their point from here, in the order the events came:
  // glfwGetCursorPos asks the server where the pointer is now, which during
  // a quick stroke may already be the stroke's end.
  POINT pointer{0, 0};
};

// A GLFW key as a Windows virtual-key code (0 for keys the menus ignore).
unsigned int VirtualKey(int key) {
  if (key >= GLFW_KEY_0 && key <= GLFW_KEY_9) return static_cast<unsigned int>('0' + key - GLFW_KEY_0);
  if (key >= GLFW_KEY_A && key <= GLFW_KEY_Z) return static_cast<unsigned int>('A' + key - GLFW_KEY_A);
  if (key >= GLFW_KEY_KP_0 && key <= GLFW_KEY_KP_9) return VK_NUMPAD0 + static_cast<unsigned int>(key - GLFW_KEY_KP_0);
  switch (key) {
    case GLFW_KEY_TAB: return VK_TAB;
    case GLFW_KEY_ENTER:
    case GLFW_KEY_KP_ENTER: return VK_RETURN;
    case GLFW_KEY_SPACE: return VK_SPACE;
    case GLFW_KEY_ESCAPE: return VK_ESCAPE;
    case GLFW_KEY_PAGE_UP: return VK_PRIOR;
    case GLFW_KEY_PAGE_DOWN: return VK_NEXT;
    case GLFW_KEY_LEFT: return VK_LEFT;
    case GLFW_KEY_UP: return VK_UP;
    case GLFW_KEY_RIGHT: return VK_RIGHT;
    case GLFW_KEY_DOWN: return VK_DOWN;
    case GLFW_KEY_LEFT_SHIFT: return VK_LSHIFT;
    case GLFW_KEY_RIGHT_SHIFT: return VK_RSHIFT;
    default: return 0;
  }
}

// A cursor position (screen coordinates of the window) in framebuffer
// pixels, where the manager takes its points: on a high-density screen the
// framebuffer has more pixels than the window has screen units.
POINT FramebufferPoint(GLFWwindow* window, double x, double y) {
  int ww = 0, wh = 0, fw = 0, fh = 0;
  glfwGetWindowSize(window, &ww, &wh);
  glfwGetFramebufferSize(window, &fw, &fh);
  const double sx = ww > 0 ? static_cast<double>(fw) / ww : 1.0;
  const double sy = wh > 0 ? static_cast<double>(fh) / wh : 1.0;
  return POINT{static_cast<LONG>(x * sx), static_cast<LONG>(y * sy)};
}

POINT CursorPoint(GLFWwindow* window) {
  double x = 0;
  double y = 0;
  glfwGetCursorPos(window, &x, &y);
  return FramebufferPoint(window, x, y);
}

Session* Of(GLFWwindow* window) { return static_cast<Session*>(glfwGetWindowUserPointer(window)); }

void OnCursor(GLFWwindow* window, double x, double y) {
  Session& s = *Of(window);
  s.pointer = FramebufferPoint(window, x, y);
  s.app.Manager().OnMouseMove(0, s.pointer);
}

void OnButton(GLFWwindow* window, int button, int action, int) {
  Session& s = *Of(window);
  const POINT pt = s.pointer;
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
      // From the button-down handler: the popup holds the pointer until the
      // release, which X11 reports even outside the window.
      s.app.PopupDoubleWheel(pt);
      s.popupShown = false;
    } else {
      manager.OnRButtonUp(0, pt);
    }
  }
}

void OnScroll(GLFWwindow* window, double, double dy) {
  int wx = 0;
  int wy = 0;
  glfwGetWindowPos(window, &wx, &wy);
  POINT pt = Of(window)->pointer;
  pt.x += wx;  // the wheel message carries a screen point
  pt.y += wy;
  Of(window)->app.Manager().OnMouseWheel(0, static_cast<short>(dy * 120), pt);
}

void OnKey(GLFWwindow* window, int key, int, int action, int) {
  Session& s = *Of(window);
  CVrenkWidgeManager& manager = s.app.Manager();
  if (const unsigned int vk = VirtualKey(key)) {
    // The lParam of a key message: bit 30 marks an auto-repeat.
    const LPARAM lParam = action == GLFW_REPEAT ? static_cast<LPARAM>(1) << 30 : 0;
    const bool used = action == GLFW_RELEASE ? manager.OnKeyUp(vk, lParam) : manager.OnKeyDown(vk, lParam);
    if (used) return;
  }
  if (action != GLFW_PRESS) return;
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

// The window moved to a screen of another density: the menus follow.
void OnContentScale(GLFWwindow* window, float xscale, float) {
  Of(window)->app.Manager().SetScale(xscale);
  Of(window)->exposed = true;
}

}  // namespace

int RunWindowed(int argc, char** argv) {
  std::string iconDir = (std::filesystem::temp_directory_path() / "vrenk-demo-icons").string();
  unsigned int popupDelay = 250;
  bool core = false;
  for (int i = 2; i < argc; ++i) {
    if (std::strcmp(argv[i], "--core") == 0) {
      core = true;
    } else if (std::strcmp(argv[i], "--popup-delay") == 0 && i + 1 < argc) {
      popupDelay = static_cast<unsigned int>(std::strtoul(argv[++i], nullptr, 10));
    } else {
      iconDir = argv[i];
    }
  }
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
  if (core) {
    // A 3.3 core profile: the menus are drawn with shaders, and the scene
    // (fixed-function) is left out.
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_OPENGL_FORWARD_COMPAT, GLFW_TRUE);
  } else {
    // An accumulation buffer makes regional rendering's frame copy exact.
    glfwWindowHint(GLFW_ACCUM_RED_BITS, 16);
    glfwWindowHint(GLFW_ACCUM_GREEN_BITS, 16);
    glfwWindowHint(GLFW_ACCUM_BLUE_BITS, 16);
    glfwWindowHint(GLFW_ACCUM_ALPHA_BITS, 16);
  }
  GLFWwindow* window = glfwCreateWindow(640, 400, "VrenkGLWidge demo", nullptr, nullptr);
  if (window == nullptr && !core) {
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
      session.pointer = CursorPoint(window);
      glfwSetCursorPosCallback(window, OnCursor);
      glfwSetMouseButtonCallback(window, OnButton);
      glfwSetScrollCallback(window, OnScroll);
      glfwSetKeyCallback(window, OnKey);
      glfwSetFramebufferSizeCallback(window, OnResize);
      glfwSetWindowRefreshCallback(window, OnRefresh);
      glfwSetWindowContentScaleCallback(window, OnContentScale);
      float xscale = 1.0f;
      float yscale = 1.0f;
      glfwGetWindowContentScale(window, &xscale, &yscale);
      session.app.Manager().SetScale(xscale);

      std::printf("context: OpenGL %s, %s\n", reinterpret_cast<const char*>(glGetString(GL_VERSION)),
                  session.app.HasFixedFunction() ? "fixed-function scene" : "no fixed-function pipeline");
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
      // The double wheel is the right button's popup.
      CVrenkDoubleWheelMenu& popup = session.app.DoubleWheel();
      popup.SetVisible(false);
      session.app.Manager().SetPopupDelay(popupDelay);
      std::printf("double wheel outer %d start %g radius %d delay %u\n", popup.GetOuterItemSize(),
                  popup.GetOuterItemStartDegree(), popup.GetRadius(), popupDelay);
      std::printf("ready: window at %d %d size %d %d\n", wx, wy, width, height);
      std::fflush(stdout);

      CVrenkWidgeManager& manager = session.app.Manager();
      while (!glfwWindowShouldClose(window)) {
        manager.OnTimer();
        if (session.exposed || manager.IsNeedReRender()) {
          const bool regional = session.regional && !session.exposed;
          if (regional) manager.BeginRegionalRendering();
          session.app.Advance(2.0f);
          session.app.Frame();
          if (regional) manager.EndRegionalRendering();
          glfwSwapBuffers(window);
          session.exposed = false;
          if (manager.GetPopupMenu() != nullptr && manager.GetPopupMenu()->IsVisible() && !session.popupShown) {
            std::printf("popup on screen\n");
            std::fflush(stdout);
            session.popupShown = true;
          }
        }
        // Asleep until the next event, or until the manager's timer is due.
        const int delay = manager.GetTimerDelay();
        if (delay >= 0) {
          glfwWaitEventsTimeout((delay > 0 ? delay : 1) / 1000.0);  // the timeout must be positive
        } else {
          glfwWaitEvents();
        }
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
