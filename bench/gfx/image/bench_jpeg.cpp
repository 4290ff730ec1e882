// Times decoding an 800 x 600 4:2:0 baseline JPEG into a 32-bit buffer with our decoder and with
// libjpeg-turbo (accurate integer IDCT, no fancy upsampling) on the same picture.
#include <benchmark/benchmark.h>
#include <jpeglib.h>

#include <cmath>
#include <cstdlib>
#include <random>
#include <vector>

#include "gfx/Gfx.h"
#include "gfx/image/JpegReader.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

// A backdrop-like picture: smooth colour fields, soft shapes, some texture and a few hard edges.
std::vector<std::uint8_t> MakePicture() {
  std::vector<std::uint8_t> rgb(static_cast<std::size_t>(kWidth) * kHeight * 3);
  std::mt19937 rng(42);
  std::normal_distribution<double> grain(0.0, 6.0);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      double fx = x / double(kWidth), fy = y / double(kHeight);
      double r = 120 + 100 * std::sin(fx * 6.0 + fy * 2.0);
      double g = 110 + 90 * std::cos(fy * 5.0 - fx * 3.0);
      double b = 130 + 80 * std::sin((fx + fy) * 9.0);
      double dx = x - 400.0, dy = y - 300.0;
      if (dx * dx + dy * dy < 150.0 * 150.0) r = 230, g = 200 - fy * 80, b = 60;  // A hard disc.
      if ((x / 40 + y / 40) % 7 == 0) g += 40;                                    // Tiles.
      double n = grain(rng);
      auto clamp = [](double v) {
        return static_cast<std::uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v);
      };
      std::uint8_t* p = &rgb[(static_cast<std::size_t>(y) * kWidth + x) * 3];
      p[0] = clamp(r + n);
      p[1] = clamp(g + n);
      p[2] = clamp(b + n);
    }
  }
  return rgb;
}

const std::vector<std::uint8_t>& Jpeg() {
  static const std::vector<std::uint8_t> file = [] {
    std::vector<std::uint8_t> rgb = MakePicture();
    jpeg_compress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &out, &size);
    cinfo.image_width = kWidth;
    cinfo.image_height = kHeight;
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);  // 2x2 luminance sampling: 4:2:0.
    jpeg_set_quality(&cinfo, 85, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
      JSAMPROW row = &rgb[static_cast<std::size_t>(cinfo.next_scanline) * kWidth * 3];
      jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    std::vector<std::uint8_t> bytes(out, out + size);
    jpeg_destroy_compress(&cinfo);
    std::free(out);
    return bytes;
  }();
  return file;
}

void BM_OurDecoder(benchmark::State& state) {
  const std::vector<std::uint8_t>& file = Jpeg();
  GfxStart();
  GfxSetBufferDepth(32);
  int handle = GfxAllocBuffer(kWidth, kHeight);
  GfxOpenBuffer(handle);
  GfxJPEGHeader header;
  GfxReadJPEGHeader(file.data(), file.size(), &header);
  std::vector<std::uint8_t> work(static_cast<std::size_t>(GfxJPEGBufferSize(&header)));
  GfxSetJPEGBuffer(work.data(), work.size());
  for (auto _ : state) {
    int r = GfxShowJPEG(file.data(), file.size(), 0);
    if (r != 0) state.SkipWithError("decode failed");
    benchmark::ClobberMemory();
  }
  GfxSetJPEGBuffer(nullptr, 0);
  GfxCloseBuffer();
  GfxFreeBuffer(handle);
  state.counters["file_kB"] = file.size() / 1024.0;
  state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}
BENCHMARK(BM_OurDecoder)->Unit(benchmark::kMillisecond);

void BM_LibjpegTurbo(benchmark::State& state) {
  const std::vector<std::uint8_t>& file = Jpeg();
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(kWidth) * kHeight * 4);
  for (auto _ : state) {
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, file.data(), file.size());
    jpeg_read_header(&cinfo, TRUE);
    cinfo.dct_method = JDCT_ISLOW;
    cinfo.do_fancy_upsampling = FALSE;
    cinfo.out_color_space = JCS_EXT_BGRX;  // The 32-bit buffer layout, like ours.
    jpeg_start_decompress(&cinfo);
    while (cinfo.output_scanline < cinfo.output_height) {
      JSAMPROW row = &pixels[static_cast<std::size_t>(cinfo.output_scanline) * kWidth * 4];
      jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}
BENCHMARK(BM_LibjpegTurbo)->Unit(benchmark::kMillisecond);

}  // namespace
