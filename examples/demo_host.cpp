// demo_host.cpp - the demo host program.
//
//   vrenk_demo [OUTPUT_DIR] [--require-contexts]
//                                    headless: a scripted interaction through
//                                    the manager's message entry points, one
//                                    PNG per step plus an overview image; then
//                                    the same steps in a 3.3 core-profile and
//                                    an ES 3.0 context, checked against the
//                                    compatibility pictures (a kind of context
//                                    the platform refuses is skipped, unless
//                                    --require-contexts)
//   vrenk_demo --window [OPTIONS]    a real window (X11 via GLFW, or Win32)
//
// Headless mode needs no display and is what `make demo` runs. It exits
// non-zero when something expected did not happen.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "demo_app.h"
#include "png_encoder.h"

using namespace vrenkdemo;

// The window front end of this platform (demo_glfw.cpp or demo_win32.cpp).
int RunWindowed(int argc, char** argv);

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 400;

struct Step {
  std::string name;
  std::function<bool(DemoApp&)> action;  // false: an expectation failed
};

bool Expect(bool condition, const char* what) {
  if (!condition) std::fprintf(stderr, "demo: expected %s\n", what);
  return condition;
}

bool Click(DemoApp& app, POINT pt) {
  app.Manager().OnMouseMove(0, pt);
  app.Manager().OnLButtonDown(0, pt);
  return app.Manager().OnLButtonUp(0, pt);
}

bool LastCallIs(DemoApp& app, size_t count, int id, bool toggled) {
  const auto& calls = app.Calls().calls;
  return calls.size() == count && calls.back().id == id && calls.back().toggled == toggled;
}

std::vector<Step> Script() {
  return {
      {"start", [](DemoApp&) { return true; }},
      {"hover-wheel-item-0",
       [](DemoApp& app) {
         app.Manager().OnMouseMove(0, app.WheelItemPoint(0));
         return Expect(app.Wheel().GetHoveredIndex() == 0, "wheel item 0 hovered");
       }},
      {"hover-wheel-item-4",
       [](DemoApp& app) {
         app.Manager().OnMouseMove(0, app.WheelItemPoint(4));
         return Expect(app.Wheel().GetHoveredIndex() == 4, "wheel item 4 hovered");
       }},
      {"click-plain-item-1",
       [](DemoApp& app) {
         Click(app, app.WheelItemPoint(1));
         return Expect(LastCallIs(app, 1, kWheelBaseID + 1, false), "callback for item 101, not toggled");
       }},
      {"click-toggle-item-2",
       [](DemoApp& app) {
         Click(app, app.WheelItemPoint(kToggleItemA));
         return Expect(LastCallIs(app, 2, kWheelBaseID + kToggleItemA, true), "callback for item 102, toggled");
       }},
      {"click-disabled-item-5",
       [](DemoApp& app) {
         Click(app, app.WheelItemPoint(kDisabledItem));
         return Expect(app.Calls().calls.size() == 2, "no callback for the disabled item");
       }},
      {"light-tracing",
       [](DemoApp& app) {
         app.Wheel().SetLightTracing(true);
         app.DoubleWheel().SetLightTracing(true);
         app.Manager().OnMouseMove(0, app.WheelItemPoint(6));
         app.Manager().OnMouseMove(0, app.OuterItemPoint(1));
         return true;
       }},
      {"tooltips-ring-labels",
       [](DemoApp& app) {
         app.DoubleWheel().SetTooltipStyle(0);
         app.Manager().OnMouseMove(0, app.OuterItemPoint(2));
         return Expect(app.DoubleWheel().GetOuterHoveredIndex() == 2, "outer item 2 hovered");
       }},
      {"tooltips-list-panel",
       [](DemoApp& app) {
         app.DoubleWheel().SetTooltipStyle(1);
         app.Manager().OnMouseMove(0, app.InnerItemPoint(1));
         return Expect(app.DoubleWheel().GetInnerHoveredIndex() == 1, "inner item 1 hovered");
       }},
      {"tooltips-hover-panel",
       [](DemoApp& app) {
         app.DoubleWheel().SetTooltipStyle(2);
         app.Manager().OnMouseMove(0, app.OuterItemPoint(5));
         return Expect(app.DoubleWheel().GetOuterHoveredIndex() == 5, "outer item 5 hovered");
       }},
      {"click-outer-toggle-item-4",
       [](DemoApp& app) {
         Click(app, app.OuterItemPoint(4));
         return Expect(LastCallIs(app, 3, 304, false), "callback for outer item 304, toggled off");
       }},
      {"resize-moves-wheel-inside",
       [](DemoApp& app) {
         app.OnSize(kWidth / 2, kHeight);
         int cx = 0;
         int cy = 0;
         app.DoubleWheel().GetCenter(cx, cy);
         const int r = app.DoubleWheel().GetRadius();
         return Expect(cx + r <= kWidth / 2 && cx - r >= 0, "the double wheel inside the narrower view");
       }},
      // Marking: from here on the double wheel is a popup at the press point.
      {"stroke-far-outside",
       [](DemoApp& app) {
         app.OnSize(kWidth, kHeight);
         app.DoubleWheel().SetVisible(false);
         const POINT press{430, 200};
         app.PopupDoubleWheel(press);
         app.Stroke().assign(1, press);
         // Towards outer item 1 ("Wireframe"), far past the rim and over
         // the other wheel, which sees nothing of the stroke.
         for (int k = 1; k <= 10; ++k) {
           const POINT pt = DemoApp::Toward(press, app.OuterItemDegrees(1), 26.0f * k);
           app.Manager().OnMouseMove(0, pt);
           app.Stroke().push_back(pt);
         }
         return Expect(app.DoubleWheel().IsVisible() && app.Manager().GetCaptureMenu() == &app.DoubleWheel(),
                       "the popup shown and holding the pointer") &&
                Expect(app.DoubleWheel().GetOuterHoveredIndex() == 1, "outer item 1 highlighted by direction");
       }},
      {"stroke-chooses",
       [](DemoApp& app) {
         app.Manager().OnLButtonUp(0, app.Stroke().back());
         app.Stroke().clear();
         return Expect(LastCallIs(app, 4, 301, false), "callback for outer item 301") &&
                Expect(!app.DoubleWheel().IsVisible() && app.Manager().GetPopupMenu() == nullptr,
                       "the popup hidden after the choice");
       }},
      {"mark-ahead-unseen",
       [](DemoApp& app) {
         // A stroke quicker than the delay: chosen without the popup ever
         // being drawn. The script's clock moves 15 ms a step.
         app.Manager().SetTimeSource(&app.Clock());
         app.Manager().SetPopupDelay(300);
         app.Frame();
         const std::vector<unsigned char> before = ReadFrame(kWidth, kHeight);
         const POINT press{470, 260};
         app.PopupDoubleWheel(press);
         std::vector<POINT> stroke(1, press);
         bool unseen = true;
         for (int k = 1; k <= 8; ++k) {
           app.Clock().now += 15;
           stroke.push_back(DemoApp::Toward(press, app.OuterItemDegrees(6), 20.0f * k));
           app.Manager().OnMouseMove(0, stroke.back());
           app.Frame();
           unseen = unseen && !app.DoubleWheel().IsVisible() && ReadFrame(kWidth, kHeight) == before;
         }
         app.Manager().OnLButtonUp(0, stroke.back());
         app.Stroke() = stroke;  // for the picture
         app.Manager().SetPopupDelay(0);
         return Expect(unseen, "nothing of the popup drawn during the stroke") &&
                Expect(LastCallIs(app, 5, 306, true), "callback for outer item 306, a toggle item, now on");
       }},
      {"keyboard-highlight",
       [](DemoApp& app) {
         app.Stroke().clear();
         app.Manager().OnMouseMove(0, app.WheelItemPoint(0));
         // Right: the enabled item nearest 0 degrees (item 5 is disabled).
         const bool used = app.Manager().OnKeyDown(VK_RIGHT, 0);
         app.Manager().OnKeyUp(VK_RIGHT, 0);
         return Expect(used && app.Wheel().GetHoveredIndex() == 6, "wheel item 6 highlighted by the Right key") &&
                Expect(!app.HighlightLog().ids.empty() && app.HighlightLog().ids.back() == kWheelBaseID + 6,
                       "the highlight hook told of item 106");
       }},
      {"keyboard-choose",
       [](DemoApp& app) {
         app.Manager().OnKeyDown(VK_RETURN, 0);
         const bool first = Expect(LastCallIs(app, 6, kWheelBaseID + 6, false), "Enter chooses item 106");
         app.Manager().OnKeyDown('3', 0);  // the third item, a toggle item that was on
         return first && Expect(LastCallIs(app, 7, kWheelBaseID + kToggleItemA, false), "key 3 flips item 102 off");
       }},
  };
}

// Lays the step images out side by side, four to a row, at half size.
std::vector<unsigned char> Overview(const std::vector<std::vector<unsigned char>>& frames, int width, int height,
                                    int* outWidth, int* outHeight) {
  const int cols = 4;
  const int rows = (static_cast<int>(frames.size()) + cols - 1) / cols;
  const int w = width / 2;
  const int h = height / 2;
  *outWidth = cols * w;
  *outHeight = rows * h;
  std::vector<unsigned char> out(static_cast<size_t>(*outWidth) * *outHeight * 4, 0);
  for (size_t i = 0; i < frames.size(); ++i) {
    const int col = static_cast<int>(i) % cols;
    const int row = rows - 1 - static_cast<int>(i) / cols;  // bottom-up image, first step at the top
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const unsigned char* src = &frames[i][(static_cast<size_t>(y * 2) * width + x * 2) * 4];
        unsigned char* dst = &out[(static_cast<size_t>(row * h + y) * *outWidth + col * w + x) * 4];
        for (int c = 0; c < 4; ++c) dst[c] = src[c];
      }
    }
  }
  return out;
}

// Runs the script on a fresh demo in the current context; each step's frame
// goes to frames, and, when outDir is not empty, into a PNG there. False
// when a step did not go as expected or the wheel was not drawn.
bool RunScript(HWND hWnd, HGLRC hRC, const std::vector<std::string>& icons, bool drawScene,
               const std::string& outDir, std::vector<std::vector<unsigned char>>* frames) {
  DemoApp app;
  app.SetDrawScene(drawScene);
  if (!app.Init(hWnd, hRC, kWidth, kHeight, icons)) {
    std::fprintf(stderr, "demo: the menus could not be set up\n");
    return false;
  }
  bool ok = true;
  int index = 0;
  for (const Step& step : Script()) {
    const bool passed = step.action(app);
    app.Advance(12.0f);
    app.Frame();
    glFinish();
    std::vector<unsigned char> frame = ReadFrame(kWidth, kHeight);
    // A drawn frame shows the wheel's disc at the wheel's centre, not the
    // scene's background.
    int cx = 0;
    int cy = 0;
    app.Wheel().GetCenter(cx, cy);
    const unsigned char* centre = &frame[(static_cast<size_t>(cy) * kWidth + cx) * 4];
    const bool drawn = Expect(!(centre[0] < 40 && centre[1] < 40 && centre[2] < 50), "the wheel drawn");
    if (!outDir.empty()) {
      char name[96];
      std::snprintf(name, sizeof name, "%s/step%02d-%s.png", outDir.c_str(), index, step.name.c_str());
      if (!vrenkpng::WriteFrame(name, frame, kWidth, kHeight)) {
        std::fprintf(stderr, "demo: could not write %s\n", name);
        ok = false;
      }
      std::printf("step %-28s %s  %s\n", step.name.c_str(), passed && drawn ? "ok  " : "FAIL", name);
    } else if (!(passed && drawn)) {
      std::printf("step %-28s FAIL\n", step.name.c_str());
    }
    ++index;
    ok = ok && passed && drawn;
    frames->push_back(std::move(frame));
  }
  app.Release();
  return ok;
}

// The share of pixels whose colour channels all lie within nLevels.
double Agreement(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b, int nLevels) {
  if (a.size() != b.size() || a.empty()) return 0.0;
  size_t same = 0;
  for (size_t i = 0; i < a.size(); i += 4) {
    bool bClose = true;
    for (size_t c = 0; c < 3; ++c) bClose = bClose && std::abs(a[i + c] - b[i + c]) <= nLevels;
    same += bClose ? 1 : 0;
  }
  return static_cast<double>(same) / static_cast<double>(a.size() / 4);
}

// A context of another kind for the DC, made through the Win32 name with
// the demo's compatibility context current: "core33" (3.3 core profile,
// forward compatible) or "es30" (OpenGL ES 3.0). Null when refused.
HGLRC CreateContextOfKind(HDC hDC, const std::string& kind) {
  auto create = reinterpret_cast<PFNWGLCREATECONTEXTATTRIBSARBPROC>(
      reinterpret_cast<void (*)()>(wglGetProcAddress("wglCreateContextAttribsARB")));
  if (create == nullptr) return nullptr;
  const int core[] = {WGL_CONTEXT_MAJOR_VERSION_ARB, 3, WGL_CONTEXT_MINOR_VERSION_ARB, 3,
                      WGL_CONTEXT_PROFILE_MASK_ARB, WGL_CONTEXT_CORE_PROFILE_BIT_ARB,
                      WGL_CONTEXT_FLAGS_ARB, WGL_CONTEXT_FORWARD_COMPATIBLE_BIT_ARB, 0};
  const int es[] = {WGL_CONTEXT_MAJOR_VERSION_ARB, 3, WGL_CONTEXT_MINOR_VERSION_ARB, 0,
                    WGL_CONTEXT_PROFILE_MASK_ARB, WGL_CONTEXT_ES2_PROFILE_BIT_EXT, 0};
  return create(hDC, nullptr, kind == "core33" ? core : es);
}

int RunHeadless(const std::string& outDir, bool requireContexts) {
  HWND hWnd = CreateOffscreenWindow(kWidth, kHeight);
  if (hWnd == nullptr) {
    std::fprintf(stderr, "demo: no offscreen window could be made\n");
    return 1;
  }
  HDC hDC = GetDC(hWnd);
  HGLRC hRC = wglCreateContext(hDC);
  if (hRC == nullptr || !wglMakeCurrent(hDC, hRC)) {
    std::fprintf(stderr, "demo: no OpenGL context could be made\n");
    DestroyOffscreenWindow(hWnd);
    return 1;
  }
  std::printf("demo: OpenGL %s on %s\n", reinterpret_cast<const char*>(glGetString(GL_VERSION)),
              reinterpret_cast<const char*>(glGetString(GL_RENDERER)));

  std::vector<std::string> icons = WriteIcons(outDir);
  bool ok = !icons.empty();
  if (!ok) std::fprintf(stderr, "demo: could not write the icons into %s\n", outDir.c_str());

  std::vector<std::vector<unsigned char>> frames;
  ok = ok && RunScript(hWnd, hRC, icons, true, outDir, &frames);

  if (!frames.empty()) {
    int w = 0;
    int h = 0;
    std::vector<unsigned char> overview = Overview(frames, kWidth, kHeight, &w, &h);
    const std::string path = outDir + "/overview.png";
    if (vrenkpng::WriteFrame(path, overview, static_cast<uint32_t>(w), static_cast<uint32_t>(h))) {
      std::printf("demo: overview written to %s\n", path.c_str());
    } else {
      ok = false;
    }
  }

  // The same steps in a core-profile and an ES context, where the library
  // draws with shaders: the menus (over a plain background, the scene being
  // fixed-function) against the compatibility context's.
  if (ok) {
    std::vector<std::vector<unsigned char>> reference;
    ok = RunScript(hWnd, hRC, icons, false, std::string(), &reference);
    for (const std::string kind : {"core33", "es30"}) {
      HGLRC hOther = CreateContextOfKind(hDC, kind);
      if (hOther == nullptr || !wglMakeCurrent(hDC, hOther)) {
        std::printf("demo: no %s context here%s\n", kind.c_str(), requireContexts ? "" : "; skipped");
        ok = ok && !requireContexts;
        if (hOther != nullptr) wglDeleteContext(hOther);
        wglMakeCurrent(hDC, hRC);
        continue;
      }
      std::vector<std::vector<unsigned char>> other;
      const bool ran = RunScript(hWnd, hOther, icons, false, std::string(), &other);
      double worst = 1.0;
      for (size_t i = 0; i < reference.size() && i < other.size(); ++i) {
        const double agreement = Agreement(reference[i], other[i], 4);
        if (agreement < worst) worst = agreement;
      }
      const bool agrees = ran && other.size() == reference.size() && worst >= 0.99;
      std::printf("demo: %s (%s): %s the compatibility pictures, at worst %.2f %% of the pixels within 4 levels\n",
                  kind.c_str(), reinterpret_cast<const char*>(glGetString(GL_VERSION)),
                  agrees ? "agrees with" : "DISAGREES WITH", worst * 100.0);
      ok = ok && agrees;
      wglMakeCurrent(hDC, hRC);
      wglDeleteContext(hOther);
    }
  }
  std::printf("demo: output in %s\n", outDir.c_str());

  wglMakeCurrent(nullptr, nullptr);
  wglDeleteContext(hRC);
  DestroyOffscreenWindow(hWnd);
  std::printf("demo: %s\n", ok ? "every step as expected" : "SOMETHING WAS NOT AS EXPECTED");
  return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "--window") == 0) return RunWindowed(argc, argv);
  std::string outDir = "demo-out";
  bool requireContexts = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--require-contexts") == 0) {
      requireContexts = true;
    } else {
      outDir = argv[i];
    }
  }
  std::error_code error;
  std::filesystem::create_directories(outDir, error);
  return RunHeadless(outDir, requireContexts);
}
