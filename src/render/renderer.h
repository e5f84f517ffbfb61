// renderer.h - a manager's backends, one per context it has drawn in,
// chosen from the context current at the first use in it, and the way the
// menus hand their lists to the running pass. Internal to the library.
#ifndef VRENK_RENDER_RENDERER_H
#define VRENK_RENDER_RENDERER_H

#include <string>
#include <vector>

#include "VrenkPlatform.h"
#include "render/backend.h"

namespace VrenkGLWidge {

class CVrenkWidgeManager;

namespace render {

class CDrawList;

class CRenderer {
 public:
  CRenderer() = default;
  // Frees the tables; GL objects must have been freed by Release.
  ~CRenderer();
  CRenderer(const CRenderer&) = delete;
  CRenderer& operator=(const CRenderer&) = delete;

  // The backend for the current context, made at the first use in it;
  // null without a current context or for a context no backend serves.
  SBackend* ForCurrentContext();
  // Marks the running pass, whose backend draws every list handed in.
  void BeginPass(SBackend* pBackend) { m_pPass = pBackend; }
  void EndPass() { m_pPass = nullptr; }
  SBackend* PassBackend() const { return m_pPass; }
  // Frees the backend of the current context (its GL objects go with it)
  // and forgets the others, whose contexts cannot be reached now.
  void Release();
  // Whether compatibility contexts are drawn with the shader backend too;
  // each context's backend is chosen again at its next use.
  void SetPreferShaders(bool bShaders) { m_bPreferShaders = bShaders; }
  bool IsPreferShaders() const { return m_bPreferShaders; }

 private:
  struct SEntry {
    HGLRC hRC;
    std::string strVersion;  // tells a new context that reuses a handle from the old one
    bool bPreferShaders;     // the choice the backend was made for
    SBackend* pBackend;
  };
  static void Free(SBackend* pBackend, bool bContextCurrent);

  std::vector<SEntry> m_vecEntries;
  SBackend* m_pPass = nullptr;
  bool m_bPreferShaders = false;
};

// The renderer of a manager, for the library's own code.
struct SManagerAccess {
  static CRenderer* RendererOf(CVrenkWidgeManager* pManager);
};

// Draws a list through the manager's backend: the running pass's, or
// outside a pass the current context's. Nothing without a manager or a
// context.
void Submit(CVrenkWidgeManager* pManager, const CDrawList& list);

}  // namespace render
}  // namespace VrenkGLWidge

#endif  // VRENK_RENDER_RENDERER_H
