// backend.h - the narrow table through which the manager and the menus
// reach OpenGL. Each backend fills one for the context it serves; a backend
// saves and restores the state it changes in one place per operation.
// Internal to the library.
#ifndef VRENK_RENDER_BACKEND_H
#define VRENK_RENDER_BACKEND_H

namespace VrenkGLWidge {
namespace render {

class CDrawList;

struct SBackend {
  const char* szName;
  // The backend's own state; passed to every operation.
  void* pUser;
  // Begins the overlay pass over a viewport (x, y, width, height of the
  // window's pixels): a projection in overlay pixels and no depth test for
  // everything drawn until EndPass. The host's model-view matrix goes to
  // pSceneModelView (the identity where the context has none).
  void (*BeginPass)(void* pUser, const int* pViewport, double* pSceneModelView);
  // Draws a list whose vertices are in overlay pixels, leaving every piece
  // of state as it found it. Outside a pass, the context's own transform
  // applies (the fixed-function matrices, or the current viewport).
  void (*DrawList)(void* pUser, const CDrawList& list);
  // Ends the pass: what BeginPass changed is as the host had it.
  void (*EndPass)(void* pUser);
  // Reads the host's model-view matrix without drawing.
  void (*CaptureSceneMatrix)(void* pUser, double* pSceneModelView);
  // Creates a texture from tightly packed RGBA8 rows (top first) in the
  // corner of a storage of the given size; 0 on failure.
  unsigned int (*CreateTexture)(void* pUser, unsigned int nWidth, unsigned int nHeight,
                                unsigned int nStorageWidth, unsigned int nStorageHeight,
                                const unsigned char* pPixels);
  void (*DeleteTexture)(void* pUser, unsigned int nTexture);
  // Copies one colour buffer of the window into another (for regional
  // rendering, the front into the back); the client area is nWidth x
  // nHeight pixels. False when this context cannot.
  bool (*CopyBuffer)(void* pUser, unsigned int nSrcBuffer, unsigned int nDstBuffer, int nWidth, int nHeight);
  // Confines drawing to a box of window pixels (x, y, width, height) until
  // EndScissor, which puts the scissor state back as it was.
  void (*BeginScissor)(void* pUser, const int* pBox);
  void (*EndScissor)(void* pUser);
  // Frees the backend's own state, and its GL objects when bContextCurrent
  // says its context is current (otherwise they went, or go, with the
  // context); the table itself is the caller's to delete.
  void (*Destroy)(void* pUser, bool bContextCurrent);
};

// The backend for contexts with the fixed-function pipeline: vertex arrays
// drawn with the exact primitives of the list. Null when out of memory.
SBackend* CreateGL11Backend();

// The backend for contexts without the fixed-function pipeline (and for
// compatibility contexts from OpenGL 2.0 when the host asks for it): one
// program, one streamed vertex buffer. Null when the context lacks what it
// needs or refuses the program.
SBackend* CreateShaderBackend();
// The draw calls the shader backend made in its last pass; 0 for any other
// backend.
unsigned int ShaderBackendDrawCalls(const SBackend* pBackend);

}  // namespace render
}  // namespace VrenkGLWidge

#endif  // VRENK_RENDER_BACKEND_H
