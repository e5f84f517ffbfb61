#include "support/debug_output.h"

#include <mutex>
#include <sstream>

#include "support/context_kind.h"  // VrenkPlatform.h, so <GL/gl.h> comes first

#include <GL/glext.h>

namespace vrenktest {
namespace {

std::mutex g_mutex;
std::vector<std::string> g_errors;

void APIENTRY RecordMessage(GLenum source, GLenum type, GLuint id, GLenum severity, GLsizei length,
                            const GLchar* message, const void*) {
  if (type != GL_DEBUG_TYPE_ERROR) return;
  std::ostringstream out;
  out << "source 0x" << std::hex << source << " id 0x" << id << " severity 0x" << severity << ": ";
  if (message != nullptr) out << (length >= 0 ? std::string(message, size_t(length)) : std::string(message));
  std::lock_guard<std::mutex> lock(g_mutex);
  g_errors.push_back(out.str());
}

}  // namespace

bool InstallDebugErrorRecorder() {
  const CurrentContextInfo info = QueryCurrentContext();
  if (info.version.empty()) return false;
  const bool core = info.es ? info.AtLeast(3, 2) : info.AtLeast(4, 3);
  const bool khr = CurrentHasExtension("GL_KHR_debug");
  if (!core && !khr) return false;
  // ES names the extension's functions with a KHR suffix.
  auto callback = ProcAs<PFNGLDEBUGMESSAGECALLBACKPROC>(VrenkGLWidge::wglGetProcAddress("glDebugMessageCallback"));
  if (callback == nullptr && info.es) {
    callback = ProcAs<PFNGLDEBUGMESSAGECALLBACKPROC>(VrenkGLWidge::wglGetProcAddress("glDebugMessageCallbackKHR"));
  }
  if (callback == nullptr) return false;
  callback(RecordMessage, nullptr);
  glEnable(GL_DEBUG_OUTPUT);
  glEnable(GL_DEBUG_OUTPUT_SYNCHRONOUS);
  return true;
}

std::vector<std::string> DebugErrors() {
  std::lock_guard<std::mutex> lock(g_mutex);
  return g_errors;
}

void ClearDebugErrors() {
  std::lock_guard<std::mutex> lock(g_mutex);
  g_errors.clear();
}

}  // namespace vrenktest
