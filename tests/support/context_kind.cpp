#include "support/context_kind.h"

#include <GL/glext.h>

#include <cstdlib>
#include <cstring>
#include <sstream>

namespace vrenktest {

using namespace VrenkGLWidge;

namespace {

struct KindEntry {
  ContextKind kind;
  const char* name;
  bool fixedFunction;
  bool es;
  int major;
  int minor;
};

const KindEntry kKinds[] = {
    {ContextKind::Compat, "compat", true, false, 1, 1},
    {ContextKind::Core33, "core33", false, false, 3, 3},
    {ContextKind::Es30, "es30", false, true, 3, 0},
    {ContextKind::Es20, "es20", false, true, 2, 0},
};

const KindEntry& EntryOf(ContextKind kind) {
  for (const KindEntry& entry : kKinds) {
    if (entry.kind == kind) return entry;
  }
  return kKinds[0];
}

// Reads "major.minor" at the first digit of the text.
void ParseVersion(const char* text, int* major, int* minor) {
  while (*text != '\0' && (*text < '0' || *text > '9')) ++text;
  *major = std::atoi(text);
  const char* dot = std::strchr(text, '.');
  *minor = dot != nullptr ? std::atoi(dot + 1) : 0;
}

}  // namespace

const char* ContextKindName(ContextKind kind) { return EntryOf(kind).name; }
bool KindHasFixedFunction(ContextKind kind) { return EntryOf(kind).fixedFunction; }
bool KindIsES(ContextKind kind) { return EntryOf(kind).es; }

bool ContextKindFromEnvironment(ContextKind* kind, std::string* error) {
  const char* value = std::getenv("VRENK_TEST_CONTEXT");
  if (value == nullptr || *value == '\0') {
    *kind = ContextKind::Compat;
    return true;
  }
  std::string names;
  for (const KindEntry& entry : kKinds) {
    if (std::strcmp(value, entry.name) == 0) {
      *kind = entry.kind;
      return true;
    }
    names += names.empty() ? "" : ", ";
    names += entry.name;
  }
  *error = std::string("VRENK_TEST_CONTEXT=") + value + " names no kind of context (there are " + names + ")";
  return false;
}

std::vector<int> ContextAttribs(ContextKind kind) {
  switch (kind) {
    case ContextKind::Compat:
      return {};
    case ContextKind::Core33:
      return {WGL_CONTEXT_MAJOR_VERSION_ARB,
              3,
              WGL_CONTEXT_MINOR_VERSION_ARB,
              3,
              WGL_CONTEXT_PROFILE_MASK_ARB,
              WGL_CONTEXT_CORE_PROFILE_BIT_ARB,
              WGL_CONTEXT_FLAGS_ARB,
              WGL_CONTEXT_FORWARD_COMPATIBLE_BIT_ARB | WGL_CONTEXT_DEBUG_BIT_ARB,
              0};
    case ContextKind::Es30:
      return {WGL_CONTEXT_MAJOR_VERSION_ARB, 3, WGL_CONTEXT_MINOR_VERSION_ARB, 0,
              WGL_CONTEXT_PROFILE_MASK_ARB,  WGL_CONTEXT_ES2_PROFILE_BIT_EXT, 0};
    case ContextKind::Es20:
      return {WGL_CONTEXT_MAJOR_VERSION_ARB, 2, WGL_CONTEXT_MINOR_VERSION_ARB, 0,
              WGL_CONTEXT_PROFILE_MASK_ARB,  WGL_CONTEXT_ES2_PROFILE_BIT_EXT, 0};
  }
  return {};
}

PFNWGLCREATECONTEXTATTRIBSARBPROC GetCreateContextAttribs(HDC hDC) {
  // Every test window has the same pixel format, so one look-up serves all.
  static PFNWGLCREATECONTEXTATTRIBSARBPROC cached = nullptr;
  if (cached != nullptr) return cached;
  const HGLRC previous = wglGetCurrentContext();
  const HDC previousDC = wglGetCurrentDC();
  HGLRC temporary = nullptr;
  if (previous == nullptr) {
    temporary = wglCreateContext(hDC);
    if (temporary == nullptr || !wglMakeCurrent(hDC, temporary)) {
      if (temporary != nullptr) wglDeleteContext(temporary);
      return nullptr;
    }
  }
  cached = ProcAs<PFNWGLCREATECONTEXTATTRIBSARBPROC>(wglGetProcAddress("wglCreateContextAttribsARB"));
  if (temporary != nullptr) {
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(temporary);
  } else {
    wglMakeCurrent(previousDC, previous);
  }
  return cached;
}

HGLRC CreateContextOfKind(HDC hDC, ContextKind kind, HGLRC share) {
  if (kind == ContextKind::Compat && share == nullptr) return wglCreateContext(hDC);
  PFNWGLCREATECONTEXTATTRIBSARBPROC create = GetCreateContextAttribs(hDC);
  if (create == nullptr) return nullptr;
  const std::vector<int> attribs = ContextAttribs(kind);
  return create(hDC, share, attribs.empty() ? nullptr : attribs.data());
}

CurrentContextInfo QueryCurrentContext() {
  CurrentContextInfo info;
  const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
  if (version == nullptr) return info;
  info.version = version;
  info.es = std::strncmp(version, "OpenGL ES", 9) == 0;
  ParseVersion(version, &info.major, &info.minor);
  if (info.es) return info;
  GLint flags = 0;
  GLint mask = 0;
  if (info.AtLeast(3, 0)) glGetIntegerv(GL_CONTEXT_FLAGS, &flags);
  if (info.AtLeast(3, 2)) glGetIntegerv(GL_CONTEXT_PROFILE_MASK, &mask);
  info.core = (mask & GL_CONTEXT_CORE_PROFILE_BIT) != 0;
  info.forwardCompatible = (flags & GL_CONTEXT_FLAG_FORWARD_COMPATIBLE_BIT) != 0;
  info.debug = (flags & GL_CONTEXT_FLAG_DEBUG_BIT) != 0;
  if (info.core || info.forwardCompatible) {
    info.fixedFunction = false;
  } else if (info.major == 3 && info.minor == 1) {
    // 3.1 keeps the deprecated functions only through ARB_compatibility.
    info.fixedFunction = CurrentHasExtension("GL_ARB_compatibility");
  } else {
    info.fixedFunction = true;
  }
  return info;
}

bool CurrentHasExtension(const char* name) {
  const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
  if (version == nullptr) return false;
  int major = 0;
  int minor = 0;
  ParseVersion(version, &major, &minor);
  if (major >= 3) {
    // Core contexts have no GL_EXTENSIONS string; the list is read by index.
    auto getStringi =
        ProcAs<const GLubyte*(APIENTRY*)(GLenum, GLuint)>(wglGetProcAddress("glGetStringi"));
    if (getStringi == nullptr) return false;
    GLint count = 0;
    glGetIntegerv(GL_NUM_EXTENSIONS, &count);
    for (GLint i = 0; i < count; ++i) {
      const char* extension = reinterpret_cast<const char*>(getStringi(GL_EXTENSIONS, GLuint(i)));
      if (extension != nullptr && std::strcmp(extension, name) == 0) return true;
    }
    return false;
  }
  const char* list = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
  if (list == nullptr) return false;
  const size_t length = std::strlen(name);
  for (const char* p = std::strstr(list, name); p != nullptr; p = std::strstr(p + length, name)) {
    if ((p == list || p[-1] == ' ') && (p[length] == ' ' || p[length] == '\0')) return true;
  }
  return false;
}

bool CurrentMatchesKind(ContextKind kind, std::string* error) {
  const KindEntry& entry = EntryOf(kind);
  const CurrentContextInfo info = QueryCurrentContext();
  bool ok = info.es == entry.es && info.AtLeast(entry.major, entry.minor) &&
            info.fixedFunction == entry.fixedFunction;
  if (kind == ContextKind::Core33) ok = ok && info.core && info.forwardCompatible && info.debug;
  if (!ok) {
    std::ostringstream out;
    out << "asked for a " << entry.name << " context, got \"" << info.version << "\"" << (info.core ? " core" : "")
        << (info.forwardCompatible ? " forward-compatible" : "") << (info.debug ? " debug" : "")
        << (info.fixedFunction ? " with" : " without") << " fixed function";
    *error = out.str();
  }
  return ok;
}

}  // namespace vrenktest
