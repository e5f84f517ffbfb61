#include "support/x11_display.h"

#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace vrenktest {
namespace {

pid_t g_server = 0;

void StopServer() {
  if (g_server > 0) {
    kill(g_server, SIGTERM);
    waitpid(g_server, nullptr, 0);
    g_server = 0;
  }
}

// Starts Xvfb with -displayfd, so the server picks a free display number
// and tells it once it accepts connections.
std::string StartXvfb() {
  int fds[2];
  if (pipe(fds) != 0) return {};
  pid_t pid = fork();
  if (pid < 0) {
    close(fds[0]);
    close(fds[1]);
    return {};
  }
  if (pid == 0) {
    close(fds[0]);
    int devnull = open("/dev/null", O_RDWR);
    if (devnull >= 0) {
      dup2(devnull, 1);
      dup2(devnull, 2);
    }
    std::string fd = std::to_string(fds[1]);
    execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
           "+extension", "GLX", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[1]);
  g_server = pid;
  std::atexit(StopServer);

  std::string number;
  pollfd waiter{fds[0], POLLIN, 0};
  while (poll(&waiter, 1, 10000) > 0) {
    char c = 0;
    if (read(fds[0], &c, 1) != 1) break;
    if (c == '\n') break;
    number += c;
  }
  close(fds[0]);
  if (number.empty()) {
    StopServer();
    return {};
  }
  return ":" + number;
}

Display* OpenDisplay() {
  const char* existing = std::getenv("DISPLAY");
  if (existing != nullptr && *existing != '\0') {
    if (Display* display = XOpenDisplay(existing)) return display;
  }
  std::string name = StartXvfb();
  if (name.empty()) return nullptr;
  setenv("DISPLAY", name.c_str(), 1);
  return XOpenDisplay(name.c_str());
}

}  // namespace

_XDisplay* TestDisplay() {
  static Display* display = OpenDisplay();
  return display;
}

bool X11Required() {
  const char* value = std::getenv("VRENK_REQUIRE_X11");
  return value != nullptr && std::strcmp(value, "1") == 0;
}

}  // namespace vrenktest
