// Icon loading: the pool's first request for a new file (decode + upload)
// against plain libpng plus glTexImage2D of the same file, and a request
// for an already pooled path.
#include <benchmark/benchmark.h>
#include <png.h>

#include <cstdio>
#include <string>
#include <vector>

#include "VrenkGLWidge.h"
#include "bench_context.h"
#include "image/png_files.h"

using namespace VrenkGLWidge;

namespace {

struct Fixture {
  vrenkbench::BenchContext context;
  vrenktest::ScratchDir dir;
  std::string Icon(int size) {
    std::string path = dir.Path("icon" + std::to_string(size) + ".png");
    vrenktest::WritePng(path, vrenktest::Rgba8Pattern(size, size));
    return path;
  }
};

Fixture& Shared() {
  static Fixture fixture;
  return fixture;
}

// The plain work: png_read_png into libpng's rows, one glTexImage2D.
void PlainLoad(const std::string& path) {
  FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png)) == 0) {
    png_init_io(png, file);
    png_read_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
    png_uint_32 width = png_get_image_width(png, info);
    png_uint_32 height = png_get_image_height(png, info);
    png_bytepp rows = png_get_rows(png, info);
    std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * 4);
    for (png_uint_32 y = 0; y < height; ++y) std::copy(rows[y], rows[y] + width * 4, &pixels[y * width * 4]);
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    glDeleteTextures(1, &texture);
  }
  png_destroy_read_struct(&png, &info, nullptr);
  std::fclose(file);
}

void BM_PlainLibpngUpload(benchmark::State& state) {
  std::string path = Shared().Icon(static_cast<int>(state.range(0)));
  for (auto _ : state) PlainLoad(path);
  glFinish();
}
BENCHMARK(BM_PlainLibpngUpload)->Arg(64)->Arg(256)->Unit(benchmark::kMicrosecond);

void BM_PoolFirstRequest(benchmark::State& state) {
  std::string path = Shared().Icon(static_cast<int>(state.range(0)));
  CVrenkImagePool pool;
  for (auto _ : state) {
    unsigned texture = 0;
    benchmark::DoNotOptimize(pool.GetImage(path, texture));
    pool.Release();  // frees image and texture, so the next request loads again
  }
  glFinish();
}
BENCHMARK(BM_PoolFirstRequest)->Arg(64)->Arg(256)->Unit(benchmark::kMicrosecond);

void BM_PoolPooledRequest(benchmark::State& state) {
  std::string path = Shared().Icon(4);
  CVrenkImagePool pool;
  // 1,000 pooled paths: the same file under distinct names.
  std::vector<std::string> paths;
  for (int i = 0; i < 1000; ++i) {
    paths.push_back(Shared().dir.Path("pooled-" + std::to_string(i) + ".png"));
    std::FILE* in = std::fopen(path.c_str(), "rb");
    std::vector<char> bytes(1 << 16);
    size_t n = std::fread(bytes.data(), 1, bytes.size(), in);
    std::fclose(in);
    std::FILE* out = std::fopen(paths.back().c_str(), "wb");
    std::fwrite(bytes.data(), 1, n, out);
    std::fclose(out);
    pool.GetImage(paths.back());
  }
  const std::string& probe = paths[500];
  for (auto _ : state) {
    unsigned texture = 0;
    benchmark::DoNotOptimize(pool.GetImage(probe, texture));
  }
  pool.Release();
}
BENCHMARK(BM_PoolPooledRequest)->Unit(benchmark::kNanosecond);

}  // namespace
