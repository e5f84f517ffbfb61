// renderer.cpp - backend selection per context.
#include "render/renderer.h"

#include <cstring>

#include "VrenkWidgeManager.h"
#include "render/draw_list.h"
#include "render/gl_context.h"

namespace VrenkGLWidge {
namespace render {
namespace {

std::string CurrentVersion() {
  const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
  return version == nullptr ? std::string() : std::string(version);
}

// The backend a context of this kind gets: compatibility contexts keep the
// fixed-function backend unless the host asks for shaders (and fall back to
// it when the shader backend cannot be had).
SBackend* CreateBackendFor(const SContextKind& kind, bool bPreferShaders) {
  if (kind.HasFixedFunction() && !bPreferShaders) return CreateGL11Backend();
  SBackend* pBackend = CreateShaderBackend();
  if (pBackend == nullptr && kind.HasFixedFunction()) pBackend = CreateGL11Backend();
  return pBackend;
}

}  // namespace

CRenderer::~CRenderer() {
  for (SEntry& entry : m_vecEntries) Free(entry.pBackend, false);
}

void CRenderer::Free(SBackend* pBackend, bool bContextCurrent) {
  if (pBackend == nullptr) return;
  pBackend->Destroy(pBackend->pUser, bContextCurrent);
  delete pBackend;
}

SBackend* CRenderer::ForCurrentContext() {
  const HGLRC hRC = wglGetCurrentContext();
  if (hRC == nullptr) return nullptr;
  const std::string strVersion = CurrentVersion();
  for (size_t i = 0; i < m_vecEntries.size(); ++i) {
    SEntry& entry = m_vecEntries[i];
    if (entry.hRC != hRC) continue;
    const bool bSameContext = entry.strVersion == strVersion;
    if (bSameContext && entry.bPreferShaders == m_bPreferShaders) return entry.pBackend;
    // The handle now names another context (the old one and its objects are
    // gone), or the host changed its choice of backend.
    Free(entry.pBackend, bSameContext);
    m_vecEntries.erase(m_vecEntries.begin() + static_cast<std::ptrdiff_t>(i));
    break;
  }
  SEntry entry = {hRC, strVersion, m_bPreferShaders, CreateBackendFor(QueryContextKind(), m_bPreferShaders)};
  m_vecEntries.push_back(entry);
  return entry.pBackend;
}

void CRenderer::Release() {
  const HGLRC hRC = wglGetCurrentContext();
  for (SEntry& entry : m_vecEntries) Free(entry.pBackend, hRC != nullptr && entry.hRC == hRC);
  m_vecEntries.clear();
  m_pPass = nullptr;
}

void Submit(CVrenkWidgeManager* pManager, const CDrawList& list) {
  if (pManager == nullptr || list.IsEmpty()) return;
  CRenderer* pRenderer = SManagerAccess::RendererOf(pManager);
  if (pRenderer == nullptr) return;
  SBackend* pBackend = pRenderer->PassBackend();
  if (pBackend == nullptr) pBackend = pRenderer->ForCurrentContext();
  if (pBackend != nullptr) pBackend->DrawList(pBackend->pUser, list);
}

}  // namespace render
}  // namespace VrenkGLWidge
