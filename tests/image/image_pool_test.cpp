// The image pool with a real context: sharing, counting, collection,
// texture contents and the GL state the upload leaves behind.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "VrenkGLWidge.h"
#include "image/png_files.h"
#include "support/gl_fixture.h"

using namespace VrenkGLWidge;
using vrenktest::PngPicture;

namespace {

class TestPool : public CVrenkImagePool {
 public:
  size_t Size() const { return m_mapImageSlots.size(); }
  unsigned Count(const std::string& path) { return _GetImageSlot(Transfer2Key(path)).nRefCount; }
  unsigned Count(const std::wstring& path) { return _GetImageSlot(Transfer2Key(path)).nRefCount; }
};

class ImagePoolTest : public vrenktest::GLTest {
 protected:
  void TearDown() override {
    m_pool.Release();
    GLTest::TearDown();
  }
  std::string Write(const std::string& name, const PngPicture& picture) {
    std::string path = m_dir.Path(name);
    EXPECT_TRUE(vrenktest::WritePng(path, picture));
    return path;
  }
  // The texture's level 0 as RGBA bytes, first row at t = 0.
  std::vector<uint8_t> TextureBytes(unsigned texture, int width, int height) {
    GLint previous = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &previous);
    glBindTexture(GL_TEXTURE_2D, texture);
    std::vector<uint8_t> out(static_cast<size_t>(width) * height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, out.data());
    glBindTexture(GL_TEXTURE_2D, previous);
    return out;
  }

  vrenktest::ScratchDir m_dir;
  TestPool m_pool;
};

std::vector<uint8_t> Bytes(const PngPicture& p) { return std::vector<uint8_t>(p.samples.begin(), p.samples.end()); }

TEST_F(ImagePoolTest, SamePathSharesImageAndTextureAndCounts) {
  PngPicture picture = vrenktest::Rgba8Pattern(8, 4);
  std::string path = Write("a.png", picture);
  unsigned first = 0;
  unsigned second = 0;
  CVrenkImageBase* a = m_pool.GetImage(path, first);
  ASSERT_NE(a, nullptr);
  EXPECT_NE(first, 0u);
  // The file is read once: removing it does not matter to the second call.
  std::remove(path.c_str());
  CVrenkImageBase* b = m_pool.GetImage(path, second);
  EXPECT_EQ(a, b);
  EXPECT_EQ(first, second);
  EXPECT_EQ(m_pool.Count(path), 2u);
  EXPECT_EQ(m_pool.GetImage(path), a);
  EXPECT_EQ(m_pool.Count(path), 3u);
  EXPECT_EQ(m_pool.Size(), 1u);

  // The texture holds the file's pixels, the top row at t = 0.
  EXPECT_EQ(TextureBytes(first, 8, 4), Bytes(picture));
}

TEST_F(ImagePoolTest, KeysAreThePathsAsGiven) {
  std::string path = Write("Icon.png", vrenktest::Rgba8Pattern(2, 2));
  Write("icon.png", vrenktest::Rgba8Pattern(2, 2));
  unsigned narrowTexture = 0;
  unsigned wideTexture = 0;
  CVrenkImageBase* narrow = m_pool.GetImage(path, narrowTexture);
  CVrenkImageBase* wide = m_pool.GetImage(vrenktest::Widen(path), wideTexture);
  ASSERT_NE(narrow, nullptr);
  ASSERT_NE(wide, nullptr);
  EXPECT_NE(narrow, wide);
  EXPECT_NE(narrowTexture, wideTexture);
  EXPECT_EQ(m_pool.Count(vrenktest::Widen(path)), 1u);
  ASSERT_NE(m_pool.GetImage(m_dir.Path("icon.png")), nullptr);  // differs in case only
  std::string doubled = m_dir.Path("") + "/Icon.png";             // differs in separators only
  ASSERT_NE(m_pool.GetImage(doubled), nullptr);
  EXPECT_EQ(m_pool.Size(), 4u);
}

TEST_F(ImagePoolTest, MissingFileAddsNothingUntilItExists) {
  std::string path = m_dir.Path("later.png");
  unsigned texture = 77;
  EXPECT_EQ(m_pool.GetImage(path, texture), nullptr);
  EXPECT_EQ(texture, 0u);
  EXPECT_EQ(m_pool.Size(), 0u);
  EXPECT_TRUE(vrenktest::WriteBytes(path, {'n', 'o', 't'}));
  EXPECT_EQ(m_pool.GetImage(path, texture), nullptr);
  EXPECT_EQ(m_pool.Size(), 0u);
  Write("later.png", vrenktest::Rgba8Pattern(1, 1));
  EXPECT_NE(m_pool.GetImage(path, texture), nullptr);
  EXPECT_NE(texture, 0u);
  EXPECT_EQ(m_pool.Size(), 1u);
}

TEST_F(ImagePoolTest, ReleaseCountsDownAndCollectionFreesOnlyUnheldEntries) {
  std::string path = Write("c.png", vrenktest::Rgba8Pattern(2, 2));
  std::string kept = Write("k.png", vrenktest::Rgba8Pattern(2, 2));
  unsigned texture = 0;
  CVrenkImageBase* image = m_pool.GetImage(path, texture);
  ASSERT_NE(m_pool.GetImage(kept), nullptr);
  EXPECT_EQ(m_pool.GarbageCollection(), 0);

  EXPECT_EQ(m_pool.ReleaseImage(image), 0);
  EXPECT_EQ(m_pool.ReleaseImage(image), 0);  // already at 0: stays there
  EXPECT_EQ(m_pool.Count(path), 0u);
  // A released entry is revived by the next request without reading.
  unsigned again = 0;
  EXPECT_EQ(m_pool.GetImage(path, again), image);
  EXPECT_EQ(again, texture);
  EXPECT_EQ(m_pool.ReleaseImage(image), 0);

  EXPECT_EQ(m_pool.GarbageCollection(), 1);
  EXPECT_EQ(m_pool.Size(), 1u);
  EXPECT_FALSE(glIsTexture(texture));
  EXPECT_EQ(m_pool.ReleaseImage(image), -4);

  // The next request reads the file again: a changed file shows.
  PngPicture changed = vrenktest::Rgba8Pattern(3, 1);
  Write("c.png", changed);
  unsigned fresh = 0;
  CVrenkImageBase* reloaded = m_pool.GetImage(path, fresh);
  ASSERT_NE(reloaded, nullptr);
  EXPECT_EQ(reloaded->GetWidth(), 3u);
  EXPECT_EQ(TextureBytes(fresh, 3, 1), Bytes(changed));
  EXPECT_EQ(m_pool.ReleaseImage(nullptr), -4);
}

TEST_F(ImagePoolTest, ReleaseFreesEverythingWhateverTheCounts) {
  unsigned texture = 0;
  CVrenkImageBase* image = m_pool.GetImage(Write("r.png", vrenktest::Rgba8Pattern(2, 2)), texture);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(m_pool.Release(), 0);
  EXPECT_EQ(m_pool.Size(), 0u);
  EXPECT_FALSE(glIsTexture(texture));
  EXPECT_EQ(m_pool.ReleaseImage(image), -4);
  EXPECT_EQ(m_pool.Release(), 0);
  EXPECT_EQ(m_pool.GarbageCollection(), 0);
  EXPECT_EQ(m_pool.Init(), 0);
}

TEST_F(ImagePoolTest, UploadLeavesTextureEnabledAndBindingAndUnpackStateAsFound) {
  GLuint hostTexture = 0;
  glGenTextures(1, &hostTexture);
  glBindTexture(GL_TEXTURE_2D, hostTexture);
  glDisable(GL_TEXTURE_2D);
  // A host's unpacking state must neither change nor be used by the upload.
  glPixelStorei(GL_UNPACK_ALIGNMENT, 8);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 50);
  glPixelStorei(GL_UNPACK_SKIP_ROWS, 3);

  PngPicture picture = vrenktest::Rgba8Pattern(5, 3);
  unsigned texture = 0;
  ASSERT_NE(m_pool.GetImage(Write("s.png", picture), texture), nullptr);
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  EXPECT_EQ(static_cast<GLuint>(bound), hostTexture);
  GLint alignment = 0;
  GLint rowLength = 0;
  GLint skipRows = 0;
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  glGetIntegerv(GL_UNPACK_ROW_LENGTH, &rowLength);
  glGetIntegerv(GL_UNPACK_SKIP_ROWS, &skipRows);
  EXPECT_EQ(alignment, 8);
  EXPECT_EQ(rowLength, 50);
  EXPECT_EQ(skipRows, 3);
  EXPECT_EQ(TextureBytes(texture, 5, 3), Bytes(picture));

  GLint wrap = 0;
  GLint minFilter = 0;
  glBindTexture(GL_TEXTURE_2D, texture);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrap);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
  EXPECT_EQ(wrap, GL_REPEAT);
  EXPECT_EQ(minFilter, GL_LINEAR);
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
  glDeleteTextures(1, &hostTexture);
}

TEST_F(ImagePoolTest, OtherFormatsLookLikeTheirFilesAsRgbaTextures) {
  // A 2-bit palette with transparency and a 16-bit gray file.
  PngPicture palette;
  palette.width = 3;
  palette.height = 2;
  palette.colorType = 3;
  palette.bitDepth = 2;
  palette.samples = {0, 1, 2, 3, 2, 1};
  palette.palette = {255, 0, 0, 0, 255, 0, 0, 0, 255, 9, 9, 9};
  palette.trnsAlpha = {255, 0, 128};
  unsigned texture = 0;
  ASSERT_NE(m_pool.GetImage(Write("p.png", palette), texture), nullptr);
  std::vector<uint8_t> expected = {255, 0, 0, 255, 0, 255, 0, 0, 0, 0, 255, 128,
                                   9, 9, 9, 255, 0, 0, 255, 128, 0, 255, 0, 0};
  EXPECT_EQ(TextureBytes(texture, 3, 2), expected);

  PngPicture gray;
  gray.width = 2;
  gray.height = 1;
  gray.colorType = 0;
  gray.bitDepth = 16;
  gray.samples = {0x1234, 0xFF00};
  ASSERT_NE(m_pool.GetImage(Write("g.png", gray), texture), nullptr);
  EXPECT_EQ(TextureBytes(texture, 2, 1), (std::vector<uint8_t>{0x12, 0x12, 0x12, 255, 0xFF, 0xFF, 0xFF, 255}));
}

TEST_F(ImagePoolTest, WithoutACurrentContextTheImageIsPooledWithTextureZero) {
  std::string path = Write("n.png", vrenktest::Rgba8Pattern(2, 2));
  ASSERT_TRUE(wglMakeCurrent(nullptr, nullptr));
  unsigned texture = 99;
  CVrenkImageBase* image = m_pool.GetImage(path, texture);
  EXPECT_NE(image, nullptr);
  EXPECT_EQ(texture, 0u);
  EXPECT_EQ(m_pool.Count(path), 1u);
  EXPECT_EQ(m_pool.ReleaseImage(image), 0);
  EXPECT_EQ(m_pool.GarbageCollection(), 1);  // no texture to delete
  ASSERT_TRUE(wglMakeCurrent(m_hDC, m_hRC));
}

TEST_F(ImagePoolTest, SlotGivesItsReferenceBackOnce) {
  std::string path = Write("slot.png", vrenktest::Rgba8Pattern(2, 2));
  CVrenkImageBase* image = m_pool.GetImage(path);
  m_pool.GetImage(path);
  {
    CVrenkImageSlot slot(&m_pool, image);
    EXPECT_EQ(slot.GetImage(), image);
  }
  EXPECT_EQ(m_pool.Count(path), 1u);
  { CVrenkImageSlot noPool(nullptr, image); }
  { CVrenkImageSlot noImage(&m_pool, nullptr); }
  EXPECT_EQ(m_pool.Count(path), 1u);
}

}  // namespace
