// soak.cpp - a long scripted run on one manager: 100 menus, a million mouse
// messages, ten thousand item changes with new tooltip strings and new icon
// files, and a Release and new Init of everything every tenth of the run.
// Prints, after every Release, the pool's and font manager's entry counts
// (and fails unless both are 0), the resident set and the heap in use.
// Those two level off but wander by tens of MiB from cycle to cycle with
// the GL driver's own caches, so they are shown, not judged: leaks are the
// sanitizer build's to find (LeakSanitizer reports at exit).
//
//   vrenk_soak              the full run
//   vrenk_soak --quick      a tenth of it, for CI
//   vrenk_soak --no-render  without render passes, to tell the GL driver's
//                           memory from the library's
#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "VrenkGLWidge.h"
#include "image/png_files.h"

using namespace VrenkGLWidge;

namespace {

#if defined(__SANITIZE_ADDRESS__)
const bool kSanitized = true;
#else
const bool kSanitized = false;
#endif

// The entry counts of a manager's caches, protected fields.
struct Peek : CVrenkWidgeManager {
  struct Pool : CVrenkImagePool {
    static size_t Count(const CVrenkImagePool* p) { return (p->*(&Pool::m_mapImageSlots)).size(); }
  };
  struct Fonts : CVrenkTextureFontManager {
    static size_t Count(const CVrenkTextureFontManager* f) { return (f->*(&Fonts::m_mapTexts)).size(); }
  };
  static size_t Images(const CVrenkWidgeManager& m) { return Pool::Count(m.*(&Peek::m_pImagePool)); }
  static size_t Texts(const CVrenkWidgeManager& m) { return Fonts::Count(m.*(&Peek::m_pFontManager)); }
};

double ResidentMiB() {
  long pages = 0, resident = 0;
  FILE* f = std::fopen("/proc/self/statm", "r");
  if (f != nullptr) {
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(f);
  }
  return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// Bytes the allocator has handed out and not had back.
double HeapInUseMiB() { return static_cast<double>(mallinfo2().uordblks) / (1024.0 * 1024.0); }

double PeakResidentMiB() {
  struct rusage usage;
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

struct Counter : VrenkFunctional::IVrenkMenuItemCallbackBase {
  bool Execute(int, bool) override {
    ++nCalls;
    return true;
  }
  unsigned long nCalls = 0;
};

// A small deterministic generator.
struct Lcg {
  uint32_t state = 2463534242u;
  uint32_t Next() {
    state = state * 1664525u + 1013904223u;
    return state >> 8;
  }
};

const int kWidth = 800;
const int kHeight = 600;
const int kMenus = 100;  // a 10 x 10 grid, wheels and double wheels alternating

class Soak {
 public:
  Soak(HWND hWnd, HGLRC hRC, const vrenktest::ScratchDir& dir) : m_hWnd(hWnd), m_hRC(hRC), m_dir(dir) {
    for (int k = 0; k < kMenus / 2; ++k) {
      m_wheels.emplace_back(new CVrenkWheelMenu());
      m_dwheels.emplace_back(new CVrenkDoubleWheelMenu());
    }
  }

  // Makes a manager and initialises every menu with it.
  void Start() {
    m_manager.reset(new CVrenkWidgeManager());
    m_manager->Init(m_hWnd, kWidth, kHeight, m_hRC, 0, 0, kWidth, kHeight);
    for (int k = 0; k < kMenus; ++k) {
      const int x = 40 + (k % 10) * 80, y = 30 + (k / 10) * 60;
      if (k % 2 == 0) {
        CVrenkWheelMenu& w = *m_wheels[k / 2];
        w.Init(m_manager.get(), 6, 28, x, y, 15.0f * k);
        w.SetProcessFunction(&m_counter);
        w.SetShowTooltip(k % 4 == 0);
        w.SetLightTracing(k % 3 == 0);
      } else {
        CVrenkDoubleWheelMenu& d = *m_dwheels[k / 2];
        d.Init(m_manager.get(), 3, 8, 28, x, y, 10.0f * k, 5.0f * k);
        d.SetProcessFunction(&m_counter);
        d.SetTooltipStyle(k % 3);
        d.SetShowTooltip(k % 4 == 1);
      }
    }
  }

  // Releases the menus, then the manager; returns the cache entries left.
  size_t Stop() {
    for (auto& w : m_wheels) w->Release();
    for (auto& d : m_dwheels) d->Release();
    m_manager->Release();
    const size_t left = Peek::Images(*m_manager) + Peek::Texts(*m_manager);
    m_manager.reset();
    return left;
  }

  // One item change: a new tooltip string and a new icon file.
  void ChangeItem(unsigned long n) {
    const std::string tip = "item " + std::to_string(n) + (n % 7 == 0 ? " with a longer tooltip text" : "");
    const std::string icon = m_dir.Path("icon" + std::to_string(n % m_nIcons) + ".png");
    const int k = static_cast<int>(n % kMenus);
    const unsigned int i = static_cast<unsigned int>(n / kMenus);
    if (k % 2 == 0) {
      CVrenkWheelMenu& w = *m_wheels[k / 2];
      w.SetItem(i % 6, static_cast<int>(n), tip, icon.c_str(), static_cast<int>(n % 2), false, n % 5 != 0);
    } else if (n % 3 == 0) {
      m_dwheels[k / 2]->SetInnerItem(i % 3, static_cast<int>(n), tip, icon.c_str(), 1, n % 2 == 0, true);
    } else {
      m_dwheels[k / 2]->SetOuterItem(i % 8, static_cast<int>(n), tip, icon.c_str(), 0, false, true);
    }
  }

  // One mouse message: mostly moves, with clicks and wheel turns between.
  void Mouse(unsigned long n) {
    POINT pt;
    pt.x = static_cast<LONG>(m_rng.Next() % kWidth);
    pt.y = static_cast<LONG>(m_rng.Next() % kHeight);
    switch (n % 50) {
      case 10:
        m_manager->OnLButtonDown(0, pt);
        break;
      case 11:
        m_manager->OnLButtonUp(0, pt);
        break;
      case 30:
        m_manager->OnMouseWheel(0, static_cast<short>(n % 2 ? 120 : -120), pt);
        break;
      case 40:
        m_manager->OnRButtonUp(0, pt);
        break;
      default:
        m_manager->OnMouseMove(0, pt);
        break;
    }
  }

  CVrenkWidgeManager& Manager() { return *m_manager; }
  unsigned long Clicks() const { return m_counter.nCalls; }
  unsigned long m_nIcons = 1;

 private:
  HWND m_hWnd;
  HGLRC m_hRC;
  const vrenktest::ScratchDir& m_dir;
  Counter m_counter;
  Lcg m_rng;
  std::unique_ptr<CVrenkWidgeManager> m_manager;
  std::vector<std::unique_ptr<CVrenkWheelMenu>> m_wheels;
  std::vector<std::unique_ptr<CVrenkDoubleWheelMenu>> m_dwheels;
};

}  // namespace

int main(int argc, char** argv) {
  bool bQuick = false;
  bool bRender = true;
  for (int k = 1; k < argc; ++k) {
    if (std::strcmp(argv[k], "--quick") == 0) {
      bQuick = true;
    } else if (std::strcmp(argv[k], "--no-render") == 0) {
      bRender = false;
    } else {
      std::fprintf(stderr, "usage: %s [--quick] [--no-render]\n", argv[0]);
      return 2;
    }
  }
  const unsigned long nMessages = bQuick ? 100000 : 1000000;
  const unsigned long nChanges = bQuick ? 1000 : 10000;
  const int nCycles = 10;
  const unsigned long nRenderEvery = 2000;

  HWND hWnd = CreateOffscreenWindow(kWidth, kHeight);
  HDC hDC = hWnd != nullptr ? GetDC(hWnd) : nullptr;
  HGLRC hRC = hDC != nullptr ? wglCreateContext(hDC) : nullptr;
  if (hRC == nullptr || !wglMakeCurrent(hDC, hRC)) {
    std::fprintf(stderr, "soak: no OpenGL context\n");
    return 2;
  }
  glViewport(0, 0, kWidth, kHeight);

  // Every item change gets an icon file of its own.
  vrenktest::ScratchDir dir;
  for (unsigned long k = 0; k < nChanges; ++k) {
    vrenktest::PngPicture picture = vrenktest::Rgba8Pattern(4, 4);
    picture.samples[0] = static_cast<unsigned>(k & 0xFF);
    picture.samples[1] = static_cast<unsigned>((k >> 8) & 0xFF);
    if (!vrenktest::WritePng(dir.Path("icon" + std::to_string(k) + ".png"), picture)) {
      std::fprintf(stderr, "soak: cannot write icons\n");
      return 2;
    }
  }

  const auto t0 = std::chrono::steady_clock::now();
  bool bOk = true;
  {
    Soak soak(hWnd, hRC, dir);
    soak.m_nIcons = nChanges;
    soak.Start();
    unsigned long nChange = 0;
    unsigned long nRenders = 0;
    std::printf("soak: %d menus, %lu mouse messages, %lu item changes, %d Release and Init cycles%s\n", kMenus,
                nMessages, nChanges, nCycles, kSanitized ? " (sanitized build)" : "");
    std::printf("%6s %10s %8s %14s %14s %13s %13s %8s\n", "cycle", "messages", "changes", "images/texts",
                "after Release", "resident MiB", "heap MiB", "renders");
    for (int cycle = 1; cycle <= nCycles; ++cycle) {
      const unsigned long nFirst = (cycle - 1) * nMessages / nCycles, nLast = cycle * nMessages / nCycles;
      for (unsigned long n = nFirst; n < nLast; ++n) {
        soak.Mouse(n);
        // Item changes spread evenly over the messages.
        while (nChange < nChanges && nChange * nMessages < (n + 1) * nChanges) soak.ChangeItem(nChange++);
        if (bRender && (n + 1) % nRenderEvery == 0) {
          soak.Manager().Render();
          ++nRenders;
        }
      }
      const size_t nImages = Peek::Images(soak.Manager()), nTexts = Peek::Texts(soak.Manager());
      const size_t nLeft = soak.Stop();
      if (nLeft != 0) bOk = false;
      // Freed memory the allocator keeps for later is not in use: hand it
      // back first, so that the figure shows what is held.
      glFinish();
      malloc_trim(0);
      const double dResident = ResidentMiB();
      // The sanitizers' allocator keeps no such count.
      char strHeap[32] = "n/a";
      if (!kSanitized) std::snprintf(strHeap, sizeof strHeap, "%.1f", HeapInUseMiB());
      std::printf("%6d %10lu %8lu %8zu/%-5zu %14zu %13.1f %13s %8lu\n", cycle, nLast, nChange, nImages, nTexts, nLeft,
                  dResident, strHeap, nRenders);
      if (cycle < nCycles) soak.Start();
    }
    std::printf("soak: %lu callbacks\n", soak.Clicks());
  }
  // Every texture the run made is gone from the context: a new name comes
  // after all of them (names are handed out in increasing order), and none
  // below it is a texture any more.
  GLuint nProbe = 0;
  glGenTextures(1, &nProbe);
  unsigned long nAlive = 0;
  for (GLuint name = 1; name < nProbe; ++name) nAlive += glIsTexture(name) ? 1 : 0;
  glDeleteTextures(1, &nProbe);
  std::printf("soak: %lu of %u texture names still textures after the last Release\n", nAlive, nProbe - 1);
  if (nAlive != 0) bOk = false;
  const double dSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  std::printf("soak: peak resident set %.1f MiB, %.1f s\n", PeakResidentMiB(), dSeconds);

  if (!bOk) std::printf("soak: FAILED\n");

  wglMakeCurrent(nullptr, nullptr);
  wglDeleteContext(hRC);
  ReleaseDC(hWnd, hDC);
  DestroyOffscreenWindow(hWnd);
  return bOk ? 0 : 1;
}
