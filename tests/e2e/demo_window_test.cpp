// The road of one click, end to end: the demo in a real X11 window, a real
// pointer moved and clicked with xdotool, the callback seen on the demo's
// output and the highlight seen on the X server's screen.
#include <gtest/gtest.h>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>
#include <string>
#include <thread>

#include "support/x11_display.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

using Clock = std::chrono::steady_clock;

struct ItemSpot {
  int id = 0;
  int x = 0;
  int y = 0;
};

class DemoProcess {
 public:
  bool Start(const std::string& iconDir, const char* extra1 = nullptr, const char* extra2 = nullptr) {
    int fds[2];
    if (pipe(fds) != 0) return false;
    m_pid = fork();
    if (m_pid == 0) {
      dup2(fds[1], 1);
      close(fds[0]);
      close(fds[1]);
      execl(VRENK_DEMO_PATH, VRENK_DEMO_PATH, "--window", iconDir.c_str(), extra1, extra2,
            static_cast<char*>(nullptr));
      _exit(127);
    }
    close(fds[1]);
    m_fd = fds[0];
    return m_pid > 0;
  }

  bool Running() const { return m_pid > 0; }

  ~DemoProcess() {
    if (m_pid > 0) {
      kill(m_pid, SIGTERM);
      waitpid(m_pid, nullptr, 0);
    }
    if (m_fd >= 0) close(m_fd);
  }

  // The next output line, or empty when none comes within the time.
  std::string ReadLine(std::chrono::milliseconds timeout) {
    const auto end = Clock::now() + timeout;
    while (true) {
      size_t nl = m_buffer.find('\n');
      if (nl != std::string::npos) {
        std::string line = m_buffer.substr(0, nl);
        m_buffer.erase(0, nl + 1);
        return line;
      }
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
      if (left <= 0) return {};
      pollfd waiter{m_fd, POLLIN, 0};
      if (poll(&waiter, 1, static_cast<int>(left)) <= 0) return {};
      char chunk[256];
      ssize_t n = read(m_fd, chunk, sizeof chunk);
      if (n <= 0) return {};
      m_buffer.append(chunk, static_cast<size_t>(n));
    }
  }

  // Waits for the process to end by itself.
  bool Exited(std::chrono::milliseconds timeout) {
    const auto end = Clock::now() + timeout;
    while (Clock::now() < end) {
      if (waitpid(m_pid, nullptr, WNOHANG) == m_pid) {
        m_pid = 0;
        return true;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
  }

 private:
  pid_t m_pid = 0;
  int m_fd = -1;
  std::string m_buffer;
};

bool Xdotool(const std::string& args) { return std::system(("xdotool " + args + " >/dev/null 2>&1").c_str()) == 0; }

// The colour on the X server's screen at a root-window point.
void ScreenColor(Display* display, int x, int y, int rgb[3]) {
  XImage* image = XGetImage(display, DefaultRootWindow(display), x, y, 1, 1, AllPlanes, ZPixmap);
  unsigned long pixel = image != nullptr ? XGetPixel(image, 0, 0) : 0;
  if (image != nullptr) XDestroyImage(image);
  rgb[0] = static_cast<int>((pixel >> 16) & 0xFF);
  rgb[1] = static_cast<int>((pixel >> 8) & 0xFF);
  rgb[2] = static_cast<int>(pixel & 0xFF);
}

// How far the colour leans to the highlight's orange (red over blue).
int Orange(const int rgb[3]) { return rgb[0] - rgb[2]; }

// An X server with xdotool, a folder for the demo's icons, and the demo,
// which each test starts with its own options and asks to quit at the end.
class DemoWindow : public ::testing::Test {
 public:
  void SetUp() override {
    display = vrenktest::TestDisplay();
    VRENK_REQUIRE_DISPLAY(display);
    if (std::system("command -v xdotool >/dev/null 2>&1") != 0) {
      if (vrenktest::X11Required()) FAIL() << "xdotool is not installed";
      GTEST_SKIP() << "xdotool is not installed";
    }
    ASSERT_NE(mkdtemp(iconDir), nullptr);
    madeIconDir = true;
  }
  void TearDown() override {
    if (demo.Running()) {
      Xdotool("key Escape");
      demo.Exited(std::chrono::seconds(5));
    }
    if (madeIconDir) std::system((std::string("rm -rf ") + iconDir).c_str());
  }

  Display* display = nullptr;
  char iconDir[32] = "/tmp/vrenk-e2e-XXXXXX";
  bool madeIconDir = false;
  DemoProcess demo;
};

// Hovering highlights a wheel item on screen; clicks report plain and
// toggle items and nothing for a disabled one. Run in the demo's usual
// compatibility context and, with extra "--core", in a 3.3 core profile.
void HoverAndChoose(DemoWindow& test, const char* extra) {
  Display* display = test.display;
  DemoProcess& demo = test.demo;
  ASSERT_TRUE(demo.Start(test.iconDir, extra));

  std::map<int, ItemSpot> items;
  int wx = 0;
  int wy = 0;
  int cx = 0;
  int cy = 0;
  for (std::string line; !(line = demo.ReadLine(std::chrono::seconds(30))).empty();) {
    std::istringstream in(line);
    std::string word;
    in >> word;
    if (line.rfind("context:", 0) == 0) {
      // The core-profile window is one: the library draws with shaders there.
      EXPECT_EQ(extra != nullptr, line.find("no fixed-function pipeline") != std::string::npos) << line;
    } else if (line.rfind("wheel centre", 0) == 0) {
      std::istringstream parse(line.substr(12));
      parse >> cx >> cy;
    } else if (word == "wheel") {
      ItemSpot spot;
      int index = 0;
      std::string item, id, at;
      std::istringstream parse(line);
      parse >> word >> item >> index >> id >> spot.id >> at >> spot.x >> spot.y;
      items[index] = spot;
    } else if (word == "ready:") {
      std::string window, at;
      in >> window >> at >> wx >> wy;
      break;
    }
  }
  ASSERT_EQ(items.size(), 8u) << "the demo did not report its wheel";
  auto screen = [&](int index, int* x, int* y) {
    *x = wx + items[index].x;
    *y = wy + items[index].y;
  };

  // Hovering item 1 paints its sector in the highlight colour: looked at
  // near the rim, away from the icon.
  int x = 0;
  int y = 0;
  screen(1, &x, &y);
  const int sx = wx + cx + (items[1].x - cx) * 135 / 100;
  const int sy = wy + cy + (items[1].y - cy) * 135 / 100;
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  int before[3];
  ScreenColor(display, sx, sy, before);
  ASSERT_TRUE(Xdotool("mousemove --sync " + std::to_string(x) + " " + std::to_string(y)));
  int after[3] = {0, 0, 0};
  for (auto end = Clock::now() + std::chrono::seconds(5); Clock::now() < end;) {
    ScreenColor(display, sx, sy, after);
    if (Orange(after) > Orange(before) + 60) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  EXPECT_GT(Orange(after), Orange(before) + 60)
      << "no highlight: (" << before[0] << "," << before[1] << "," << before[2] << ") then (" << after[0] << ","
      << after[1] << "," << after[2] << ")";

  // A click on the plain item reports it, untoggled.
  ASSERT_TRUE(Xdotool("click 1"));
  EXPECT_EQ(demo.ReadLine(std::chrono::seconds(5)), "callback: item 101 toggled 0");

  // The toggle item flips.
  screen(2, &x, &y);
  ASSERT_TRUE(Xdotool("mousemove --sync " + std::to_string(x) + " " + std::to_string(y) + " click 1"));
  EXPECT_EQ(demo.ReadLine(std::chrono::seconds(5)), "callback: item 102 toggled 1");

  // The disabled item reports nothing: the next line is the next click's.
  screen(5, &x, &y);
  ASSERT_TRUE(Xdotool("mousemove --sync " + std::to_string(x) + " " + std::to_string(y) + " click 1"));
  EXPECT_EQ(demo.ReadLine(std::chrono::milliseconds(1500)), "");
  screen(0, &x, &y);
  ASSERT_TRUE(Xdotool("mousemove --sync " + std::to_string(x) + " " + std::to_string(y) + " click 1"));
  EXPECT_EQ(demo.ReadLine(std::chrono::seconds(5)), "callback: item 100 toggled 0");
}

TEST_F(DemoWindow, RealPointerHoversAndChoosesWheelItems) { HoverAndChoose(*this, nullptr); }

TEST_F(DemoWindow, RealPointerHoversAndChoosesWheelItemsInACoreProfileWindow) { HoverAndChoose(*this, "--core"); }

// Marking with the real pointer: the right button opens the double wheel
// at the press point, and the release after a stroke in an item's
// direction, far past the rim, chooses that item. A slow stroke shows the
// menu once the pointer rests; a quick one chooses with the menu never on
// screen (the demo reports every popup it presents).
TEST_F(DemoWindow, RealPointerStrokesChooseByDirectionSeenOrUnseen) {
  // A delay that a quick stroke beats even on a busy machine.
  ASSERT_TRUE(demo.Start(iconDir, "--popup-delay", "800"));

  int wx = 0, wy = 0, w = 0, h = 0;
  int outer = 0, radius = 0;
  double start = 0;
  for (std::string line; !(line = demo.ReadLine(std::chrono::seconds(30))).empty();) {
    std::istringstream in(line);
    std::string a, b, c, d;
    if (line.rfind("double wheel outer", 0) == 0) {
      in >> a >> b >> c >> outer >> d >> start >> a >> radius;
    } else if (line.rfind("ready:", 0) == 0) {
      in >> a >> b >> c >> wx >> wy >> d >> w >> h;
      break;
    }
  }
  ASSERT_GT(outer, 0) << "the demo did not report its popup";
  ASSERT_GT(w, 0);
  const int px = wx + w / 2, py = wy + h / 2;
  // The root-window point at 2.3 radii from the press, in the direction of
  // the middle of outer item k (y grows downwards on the screen).
  auto toward = [&](int k, double fraction) {
    const double a = (start + (k + 0.5) * 360.0 / outer) * 3.14159265358979 / 180.0;
    const double r = 2.3 * radius * fraction;
    return std::to_string(static_cast<int>(std::lround(px + std::cos(a) * r))) + " " +
           std::to_string(static_cast<int>(std::lround(py - std::sin(a) * r)));
  };
  const std::string press = std::to_string(px) + " " + std::to_string(py);

  // Slowly: the pointer rests, the popup comes on screen, the stroke goes on.
  ASSERT_TRUE(Xdotool("mousemove --sync " + press + " mousedown 3"));
  EXPECT_EQ(demo.ReadLine(std::chrono::seconds(10)), "popup on screen");
  for (double f : {0.3, 0.6, 1.0}) ASSERT_TRUE(Xdotool("mousemove --sync " + toward(1, f)));
  ASSERT_TRUE(Xdotool("mouseup 3"));
  EXPECT_EQ(demo.ReadLine(std::chrono::seconds(5)), "callback: item 301 toggled 0");

  // Quickly: chosen before the delay is up; nothing was presented.
  ASSERT_TRUE(Xdotool("mousemove --sync " + press + " mousedown 3 mousemove " + toward(5, 1.0) + " mouseup 3"));
  EXPECT_EQ(demo.ReadLine(std::chrono::seconds(5)), "callback: item 305 toggled 1");
  EXPECT_EQ(demo.ReadLine(std::chrono::milliseconds(1500)), "") << "the popup was drawn after all";
}

}  // namespace
