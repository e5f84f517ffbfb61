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

// The record registered under a key, or a new adopted one that make()
// returns, registered under it.
template <typename Records, typename Make>
typename Records::mapped_type FindOrAdopt(Records& records, const typename Records::key_type& key, Make make) {
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> lock(r.mutex);
  auto it = records.find(key);
  if (it != records.end()) return it->second;
  typename Records::mapped_type record = make();
  record->adopted = true;
  records.emplace(key, record);
  r.live.insert(record);
  return record;
}

// Registers a record the layer made. A native handle value can be reused
// after its object is gone; an adopted record left under the key for the
// old object gives way to the new owned one, after drop() has seen it.
template <typename Records, typename Drop>
void EnterOwned(Records& records, const typename Records::key_type& key, typename Records::mapped_type record,
                Drop drop) {
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> lock(r.mutex);
  auto it = records.find(key);
  if (it != records.end() && it->second != record && it->second->adopted) {
    drop(it->second);
    r.live.erase(it->second);
    delete it->second;
  }
  records[key] = record;
  r.live.insert(record);
}

// Takes a record out of the registry; the key goes only if it still names it.
template <typename Records>
void Forget(Records& records, const typename Records::key_type& key, typename Records::mapped_type record) {
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> lock(r.mutex);
  auto it = records.find(key);
  if (it != records.end() && it->second == record) records.erase(it);
  r.live.erase(record);
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
  return FindOrAdopt(TheRegistry().dcs, DrawableKey{api, display, drawable}, [&] {
    HDC dc = new HDC__{};
    dc->kind = HDC__::Kind::Drawable;
    dc->api = api;
    dc->display = display;
    dc->drawable = drawable;
    return dc;
  });
}

void RegisterDrawableDC(HDC dc) {
  EnterOwned(TheRegistry().dcs, DrawableKey{dc->api, dc->display, dc->drawable}, dc, [](HDC old) {
    // A host's wrapped window still naming the old record has lost its
    // drawable: it keeps no DC rather than a dangling one.
    if (old->window != nullptr) old->window->dc = nullptr;
  });
}

HWND WindowOfDC(HDC dc, HWND__::Kind kind) {
  if (dc->window != nullptr && IsLiveWindow(dc->window)) return dc->window;
  HWND hWnd = new HWND__{};
  hWnd->kind = kind;
  hWnd->dc = dc;
  dc->window = hWnd;
  RegisterHandle(hWnd);
  return hWnd;
}

void UnregisterDrawableDC(HDC dc) { Forget(TheRegistry().dcs, DrawableKey{dc->api, dc->display, dc->drawable}, dc); }

HGLRC FindOrAdoptContext(const ContextApi* api, void* display, void* native) {
  return FindOrAdopt(TheRegistry().contexts, ContextKey{api, display, native}, [&] {
    HGLRC rc = new HGLRC__{};
    rc->api = api;
    rc->display = display;
    rc->native = native;
    return rc;
  });
}

void RegisterContext(HGLRC rc) {
  EnterOwned(TheRegistry().contexts, ContextKey{rc->api, rc->display, rc->native}, rc, [](HGLRC) {});
}

void UnregisterContext(HGLRC rc) { Forget(TheRegistry().contexts, ContextKey{rc->api, rc->display, rc->native}, rc); }

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
