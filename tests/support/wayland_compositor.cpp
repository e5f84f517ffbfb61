#include "support/wayland_compositor.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <thread>

namespace vrenktest {
namespace {

pid_t g_compositor = 0;
std::string g_runtimeDir;
std::string g_failure;

void StopCompositor() {
  if (g_compositor > 0) {
    kill(g_compositor, SIGTERM);
    waitpid(g_compositor, nullptr, 0);
    g_compositor = 0;
  }
  if (!g_runtimeDir.empty()) {
    std::error_code ignored;
    std::filesystem::remove_all(g_runtimeDir, ignored);
    g_runtimeDir.clear();
  }
}

bool IsSocket(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISSOCK(st.st_mode);
}

// Starts Weston's headless backend (it renders with pixman, so clients
// share their pictures through wl_shm) and waits for its socket.
std::string StartWeston() {
  char dir[] = "/tmp/vrenk-wayland-XXXXXX";
  if (mkdtemp(dir) == nullptr) {  // made 0700, as XDG_RUNTIME_DIR must be
    g_failure = "no runtime directory could be made";
    return {};
  }
  g_runtimeDir = dir;
  std::atexit(StopCompositor);
  const std::string name = "vrenk-" + std::to_string(getpid());
  const std::string socket = g_runtimeDir + "/" + name;

  pid_t pid = fork();
  if (pid < 0) {
    g_failure = "fork failed";
    return {};
  }
  if (pid == 0) {
    int devnull = open("/dev/null", O_RDWR);
    if (devnull >= 0) {
      dup2(devnull, 0);
      dup2(devnull, 1);
      dup2(devnull, 2);
    }
    setenv("XDG_RUNTIME_DIR", dir, 1);
    unsetenv("WAYLAND_DISPLAY");
    unsetenv("WAYLAND_SOCKET");
    const std::string socketArg = "--socket=" + name;
    execlp("weston", "weston", "--backend=headless-backend.so", socketArg.c_str(), "--idle-time=0",
           static_cast<char*>(nullptr));
    _exit(127);
  }
  g_compositor = pid;

  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
  while (std::chrono::steady_clock::now() < deadline) {
    if (IsSocket(socket)) return socket;
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) == pid) {
      g_compositor = 0;
      g_failure = WIFEXITED(status) && WEXITSTATUS(status) == 127
                      ? "weston could not be run (is it installed?)"
                      : "weston ended before it listened (status " + std::to_string(status) + ")";
      return {};
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  g_failure = "weston did not listen within 15 seconds";
  StopCompositor();
  return {};
}

}  // namespace

const std::string& TestWaylandSocket() {
  static const std::string socket = StartWeston();
  return socket;
}

const std::string& WaylandFailure() { return g_failure; }

bool WaylandRequired() {
  const char* value = std::getenv("VRENK_REQUIRE_WAYLAND");
  return value != nullptr && std::strcmp(value, "1") == 0;
}

}  // namespace vrenktest
