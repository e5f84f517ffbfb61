// demo_win32.cpp - the demo's window front end on Windows: a plain Win32
// program whose window procedure forwards its messages to the manager.
//
//   vrenk_demo.exe --window [ICON_DIR] [--core]
//
// Left button: choose wheel items. Right button: the double wheel pops up
// at the press point and a stroke chooses by direction (a quick one before
// the menu is drawn; it shows once the pointer rests for 250 ms); a tap
// leaves it open for a click. Keys go to the popup or the menu under the
// pointer first; the others: T cycles the tooltip style, L switches light
// tracing, R switches regional rendering, Escape quits. The manager's timer
// is a SetTimer timer, set after every message it may have started.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "demo_app.h"

using namespace vrenkdemo;

namespace {

struct Session {
  DemoApp app;
  HDC hDC = nullptr;
  bool ready = false;
  bool regional = false;
  int tooltipStyle = 0;
  bool lightTracing = false;
};

Session* g_session = nullptr;
constexpr UINT_PTR kPopupTimer = 1;
constexpr unsigned int kPopupDelay = 250;

POINT PointOf(LPARAM lParam) {
  POINT pt;
  pt.x = static_cast<short>(LOWORD(lParam));
  pt.y = static_cast<short>(HIWORD(lParam));
  return pt;
}

LRESULT CALLBACK WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Session* s = g_session;
  if (s == nullptr || !s->ready) return DefWindowProcW(hWnd, message, wParam, lParam);
  CVrenkWidgeManager& manager = s->app.Manager();
  switch (message) {
    case WM_SIZE:
      s->app.OnSize(LOWORD(lParam), HIWORD(lParam));
      InvalidateRect(hWnd, nullptr, FALSE);
      return 0;
    case WM_MOUSEMOVE:
      manager.OnMouseMove(static_cast<UINT>(wParam), PointOf(lParam));
      break;
    // The capture keeps the moves and the release coming while a stroke
    // leaves the window.
    case WM_LBUTTONDOWN:
      SetCapture(hWnd);
      manager.OnLButtonDown(static_cast<UINT>(wParam), PointOf(lParam));
      break;
    case WM_LBUTTONUP:
      ReleaseCapture();
      manager.OnLButtonUp(static_cast<UINT>(wParam), PointOf(lParam));
      break;
    case WM_RBUTTONDOWN:
      SetCapture(hWnd);
      manager.OnRButtonDown(static_cast<UINT>(wParam), PointOf(lParam));
      s->app.PopupDoubleWheel(PointOf(lParam));
      break;
    case WM_RBUTTONUP:
      ReleaseCapture();
      manager.OnRButtonUp(static_cast<UINT>(wParam), PointOf(lParam));
      break;
    case WM_TIMER:
      if (wParam != kPopupTimer) return DefWindowProcW(hWnd, message, wParam, lParam);
      KillTimer(hWnd, kPopupTimer);
      manager.OnTimer();
      break;
    case WM_KEYUP:
      manager.OnKeyUp(wParam, lParam);
      break;
    case WM_MOUSEWHEEL:  // a screen point
      manager.OnMouseWheel(GET_KEYSTATE_WPARAM(wParam), GET_WHEEL_DELTA_WPARAM(wParam), PointOf(lParam));
      break;
    case WM_KEYDOWN:
      // The menus first: Escape closes an open popup before it quits.
      if (manager.OnKeyDown(wParam, lParam)) break;
      if (wParam == VK_ESCAPE) DestroyWindow(hWnd);
      if (wParam == 'T') s->app.DoubleWheel().SetTooltipStyle(s->tooltipStyle = (s->tooltipStyle + 1) % 3);
      if (wParam == 'L') {
        s->lightTracing = !s->lightTracing;
        s->app.Wheel().SetLightTracing(s->lightTracing);
        s->app.DoubleWheel().SetLightTracing(s->lightTracing);
      }
      if (wParam == 'R') s->regional = !s->regional;
      InvalidateRect(hWnd, nullptr, FALSE);
      break;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(hWnd, &ps);
      s->app.Frame();
      SwapBuffers(s->hDC);
      EndPaint(hWnd, &ps);
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(hWnd, message, wParam, lParam);
  }
  // The manager wants a call when a popup's delay is up.
  const int delay = manager.GetTimerDelay();
  if (delay >= 0) {
    SetTimer(hWnd, kPopupTimer, static_cast<UINT>(delay > 0 ? delay : USER_TIMER_MINIMUM), nullptr);
  } else {
    KillTimer(hWnd, kPopupTimer);
  }
  // Redraw only what the manager asked for.
  if (manager.IsNeedReRender()) {
    if (s->regional) manager.BeginRegionalRendering();
    s->app.Frame();
    if (s->regional) manager.EndRegionalRendering();
    SwapBuffers(s->hDC);
  }
  return 0;
}

}  // namespace

int RunWindowed(int argc, char** argv) {
  std::string iconDir = (std::filesystem::temp_directory_path() / "vrenk-demo-icons").string();
  bool core = false;
  for (int i = 2; i < argc; ++i) {
    if (std::strcmp(argv[i], "--core") == 0) {
      core = true;
    } else {
      iconDir = argv[i];
    }
  }
  std::error_code error;
  std::filesystem::create_directories(iconDir, error);
  std::vector<std::string> icons = WriteIcons(iconDir);
  if (icons.empty()) return 1;

  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  wc.style = CS_OWNDC;
  wc.lpfnWndProc = WndProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = L"VrenkGLWidgeDemo";
  RegisterClassExW(&wc);
  RECT rect = {0, 0, 640, 400};
  AdjustWindowRect(&rect, WS_OVERLAPPEDWINDOW, FALSE);
  HWND hWnd = CreateWindowExW(0, wc.lpszClassName, L"VrenkGLWidge demo", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                              CW_USEDEFAULT, rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                              wc.hInstance, nullptr);
  if (hWnd == nullptr) return 1;
  HDC hDC = GetDC(hWnd);
  PIXELFORMATDESCRIPTOR pfd = {};
  pfd.nSize = sizeof pfd;
  pfd.nVersion = 1;
  pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  pfd.iPixelType = PFD_TYPE_RGBA;
  pfd.cColorBits = 32;
  pfd.cDepthBits = 24;
  pfd.cAccumBits = 64;
  SetPixelFormat(hDC, ChoosePixelFormat(hDC, &pfd), &pfd);
  HGLRC hRC = wglCreateContext(hDC);
  wglMakeCurrent(hDC, hRC);
  if (core) {
    // A 3.3 core profile, made through the function the first context
    // gives: the menus are drawn with shaders, the scene is left out.
    auto create = reinterpret_cast<PFNWGLCREATECONTEXTATTRIBSARBPROC>(
        reinterpret_cast<void (*)()>(wglGetProcAddress("wglCreateContextAttribsARB")));
    const int attribs[] = {WGL_CONTEXT_MAJOR_VERSION_ARB, 3, WGL_CONTEXT_MINOR_VERSION_ARB, 3,
                           WGL_CONTEXT_PROFILE_MASK_ARB, WGL_CONTEXT_CORE_PROFILE_BIT_ARB, 0};
    HGLRC hCore = create != nullptr ? create(hDC, nullptr, attribs) : nullptr;
    if (hCore == nullptr) return 1;
    wglMakeCurrent(hDC, hCore);
    wglDeleteContext(hRC);
    hRC = hCore;
  }

  Session session;
  session.hDC = hDC;
  g_session = &session;
  RECT client;
  GetClientRect(hWnd, &client);
  session.ready = session.app.Init(hWnd, hRC, client.right, client.bottom, icons);
  if (session.ready) {
    // The double wheel is the right button's popup.
    session.app.DoubleWheel().SetVisible(false);
    session.app.Manager().SetPopupDelay(kPopupDelay);
  }
  ShowWindow(hWnd, SW_SHOW);
  UpdateWindow(hWnd);
  MSG msg;
  while (session.ready && GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  session.app.Release();
  g_session = nullptr;
  wglMakeCurrent(nullptr, nullptr);
  wglDeleteContext(hRC);
  return session.ready ? 0 : 1;
}
