// VrenkTextureFontManager.h - strings rasterised with a GDI font into
// textures, cached by string.
#ifndef VRENK_TEXTURE_FONT_MANAGER_H
#define VRENK_TEXTURE_FONT_MANAGER_H

#include <map>
#include <string>

#include "VrenkPlatform.h"
#include "VrenkTextureText.h"

namespace VrenkGLWidge {

// Holds one GDI font in a memory DC and turns strings into text objects:
// each new string is measured, drawn black on white into a bitmap, turned
// into white glyphs on transparent texels and uploaded as a texture. Texts
// are cached by their string with a reference count, so equal strings share
// one object (its layout included) and one texture.
class VRENK_API CVrenkTextureFontManager {
 public:
  // The cache's record of one string.
  struct STextSlot {
    unsigned int nRefCount;    // outstanding references
    CVrenkTextureText* pText;  // owned
  };

  // Glyph texels: opaque white.
  static const unsigned char DEFAULT_COLOR_R = 255;
  static const unsigned char DEFAULT_COLOR_G = 255;
  static const unsigned char DEFAULT_COLOR_B = 255;
  static const unsigned char DEFAULT_COLOR_A = 255;
  // Background texels: transparent white.
  static const unsigned char DEFAULT_BG_COLOR_R = 255;
  static const unsigned char DEFAULT_BG_COLOR_G = 255;
  static const unsigned char DEFAULT_BG_COLOR_B = 255;
  static const unsigned char DEFAULT_BG_COLOR_A = 0;

  CVrenkTextureFontManager();
  // Releases everything; texts are destroyed, so a GL context should be
  // current.
  virtual ~CVrenkTextureFontManager();
  CVrenkTextureFontManager(const CVrenkTextureFontManager&) = delete;
  CVrenkTextureFontManager& operator=(const CVrenkTextureFontManager&) = delete;

  // Makes a memory DC compatible with hDC and a normal-weight font of the
  // default face with lfHeight nHeight (positive: cell height in pixels).
  // Returns 0, or -5 for a null hDC. Call Release before initialising again.
  int Init(HDC hDC, int nHeight);
  // As above, with the font made from logFont.
  int Init(HDC hDC, LOGFONTW logFont);
  // As above, with the caller's font, which the manager now owns and deletes
  // in Release. Returns -5 when hDC or hFont is null.
  int Init(HDC hDC, HFONT hFont);
  // Destroys every cached text (whatever its count), the memory DC and the
  // font; the manager can then be initialised again. Returns 0.
  int Release();

  // The text for strText: the cached one with one more reference, or a new
  // one (one row for the whole string followed by a space, or with
  // bSplitWords one row per space-separated word) with a count of 1. The
  // flag is not part of the cache key. Null, with nothing cached, when the
  // manager has no usable font, strText is empty, or the bitmap would not
  // fit a texture of the current context. Needs a current GL context.
  CVrenkTextureText* CreateText(const std::string& strText, bool bSplitWords);
  // Gives one reference back; the text stays cached. Returns 0, or -4 when
  // pText is null or not cached.
  int DestroyText(CVrenkTextureText* pText);
  // Destroys the cached texts nobody holds; returns how many.
  int GarbageCollection();
  // The font's cell height (tmHeight) in pixels.
  unsigned int GetFontHeight() const;
  // Replaces the font with one of nHeight (the meaning of LOGFONTW's
  // lfHeight) and rasterises every cached text again in it, in place: each
  // text object keeps its address, string and reference count and gets a
  // new texture, pixels and row sizes (lay it out again afterwards). Needs
  // a current GL context; a text that cannot be rasterised again keeps its
  // old look. 0, or -5 before Init.
  int SetFontHeight(int nHeight);

 protected:
  // Rasterises and uploads one string; null on failure.
  CVrenkTextureText* _CreateText(const std::string& strText, bool bSplitWords);
  // Deletes a text object (and its texture); null is ignored.
  void _DestroyText(CVrenkTextureText* pText);

  HDC m_hRefDC;        // reference for compatible DCs and bitmaps; not owned
  HDC m_hMemDC;        // owned
  HGDIOBJ m_hOldFont;  // what m_hFont replaced in m_hMemDC
  HFONT m_hFont;       // owned, selected into m_hMemDC
  LOGFONTW m_LogFont;
  TEXTMETRICW m_TextMetric;
  std::map<std::string, STextSlot> m_mapTexts;
};

}  // namespace VrenkGLWidge

#endif  // VRENK_TEXTURE_FONT_MANAGER_H
