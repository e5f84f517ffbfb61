// handles.cpp - the registry of live handles and the adoption of native
// contexts and drawables that someone else made current.
#include "platform/linux/internal.h"

#include <map>
#include <mutex>
#include <tuple>
#include <unordered_map>
#include <unordered_set>

namespace VrenkGLWidge {
namespace platform {
namespace {

using DrawableKey = std::tuple<const ContextApi*, void*, uintptr_t>;
using ContextKey = std::tuple<const ContextApi*, void*, void*>;

struct Registry {
  std::mutex mutex;
  std::unordered_set<const void*> live;
  std::map<DrawableKey, HDC> dcs;
  std::map<ContextKey, HGLRC> contexts;
  HDC screen = nullptr;
};

// Never destroyed: handles may be used from static destructors of hosts, and
// the adopted records stay reachable for leak checkers.
Registry& TheRegistry() {
  static Registry* registry = new Registry;
  return *registry;
}

bool IsLive(const void* handle) {
  if (handle == nullptr) return false;
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> lock(r.mutex);
  return r.live.count(handle) != 0;
}

}  // namespace

void RegisterHandle(const void* handle) {
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> lock(r.mutex);
  r.live.insert(handle);
}

void UnregisterHandle(const void* handle) {
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> lock(r.mutex);
  r.live.erase(handle);
}

bool IsLiveWindow(HWND hWnd) { return IsLive(hWnd); }
bool IsLiveDC(HDC hDC) { return IsLive(hDC); }
bool IsLiveContext(HGLRC hRC) { return IsLive(hRC); }

HDC FindOrAdoptDC(const ContextApi* api, void* display, uintptr_t drawable) {
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> lock(r.mutex);
  DrawableKey key{api, display, drawable};
  auto it = r.dcs.find(key);
  if (it != r.dcs.end()) return it->second;
  HDC dc = new HDC__{};
  dc->kind = HDC__::Kind::Drawable;
  dc->api = api;
  dc->display = display;
  dc->drawable = drawable;
  dc->adopted = true;
  r.dcs.emplace(key, dc);
  r.live.insert(dc);
  return dc;
}

void RegisterDrawableDC(HDC dc) {
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> lock(r.mutex);
  DrawableKey key{dc->api, dc->display, dc->drawable};
  // A native handle value can be reused after its object is gone; an adopted
  // record left for the old object gives way to the new owned one.
  auto it = r.dcs.find(key);
  if (it != r.dcs.end() && it->second != dc && it->second->adopted) {
    // A host's wrapped window still naming the old record has lost its
    // drawable: it keeps no DC rather than a dangling one.
    if (it->second->window != nullptr) it->second->window->dc = nullptr;
    r.live.erase(it->second);
    delete it->second;
  }
  r.dcs[key] = dc;
  r.live.insert(dc);
}

void UnregisterDrawableDC(HDC dc) {
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> lock(r.mutex);
  DrawableKey key{dc->api, dc->display, dc->drawable};
  auto it = r.dcs.find(key);
  if (it != r.dcs.end() && it->second == dc) r.dcs.erase(it);
  r.live.erase(dc);
}

HGLRC FindOrAdoptContext(const ContextApi* api, void* display, void* native) {
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> lock(r.mutex);
  ContextKey key{api, display, native};
  auto it = r.contexts.find(key);
  if (it != r.contexts.end()) return it->second;
  HGLRC rc = new HGLRC__{};
  rc->api = api;
  rc->display = display;
  rc->native = native;
  rc->adopted = true;
  r.contexts.emplace(key, rc);
  r.live.insert(rc);
  return rc;
}

void RegisterContext(HGLRC rc) {
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> lock(r.mutex);
  ContextKey key{rc->api, rc->display, rc->native};
  auto it = r.contexts.find(key);
  if (it != r.contexts.end() && it->second != rc && it->second->adopted) {
    r.live.erase(it->second);
    delete it->second;
  }
  r.contexts[key] = rc;
  r.live.insert(rc);
}

void UnregisterContext(HGLRC rc) {
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> lock(r.mutex);
  ContextKey key{rc->api, rc->display, rc->native};
  auto it = r.contexts.find(key);
  if (it != r.contexts.end() && it->second == rc) r.contexts.erase(it);
  r.live.erase(rc);
}

HDC ScreenDC() {
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> lock(r.mutex);
  if (r.screen == nullptr) {
    r.screen = new HDC__{};
    r.screen->kind = HDC__::Kind::Screen;
    r.live.insert(r.screen);
  }
  return r.screen;
}

// --- GDI objects --------------------------------------------------------------

namespace {

// The type of every live GDI object, guarded by the registry's mutex.
std::unordered_map<const void*, DWORD>& GdiObjectTypes() {
  static auto* types = new std::unordered_map<const void*, DWORD>;
  return *types;
}

}  // namespace

void RegisterGdiObject(HGDIOBJ object, DWORD type) {
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> lock(r.mutex);
  r.live.insert(object);
  GdiObjectTypes()[object] = type;
}

void UnregisterGdiObject(HGDIOBJ object) {
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> lock(r.mutex);
  r.live.erase(object);
  GdiObjectTypes().erase(object);
}

DWORD LiveGdiObjectType(HGDIOBJ object) {
  if (object == nullptr) return 0;
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> lock(r.mutex);
  if (r.live.count(object) == 0) return 0;
  auto it = GdiObjectTypes().find(object);
  return it != GdiObjectTypes().end() ? it->second : 0;
}

}  // namespace platform
}  // namespace VrenkGLWidge
