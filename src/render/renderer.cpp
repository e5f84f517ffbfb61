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

// The backend a context of this kind gets.
SBackend* CreateBackendFor(const SContextKind& kind) {
  if (kind.HasFixedFunction()) return CreateGL11Backend();
  return nullptr;
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
    if (entry.strVersion == strVersion) return entry.pBackend;
    // The handle now names another context: the old one and its objects
    // are gone.
    Free(entry.pBackend, false);
    m_vecEntries.erase(m_vecEntries.begin() + static_cast<std::ptrdiff_t>(i));
    break;
  }
  SEntry entry = {hRC, strVersion, CreateBackendFor(QueryContextKind())};
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
