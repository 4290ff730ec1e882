// Opening the background chooser (six 800 x 600 backdrops decoded and shrunk to thumbnails)
// against libjpeg-turbo decoding the same six files from disk in the same run, with the settings
// closest to our decoder (accurate integer IDCT, no fancy upsampling, 4-byte pixels).
#include <benchmark/benchmark.h>
#include <jpeglib.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/support/BenchGfx.h"
#include "dialogs/choosers/BackgroundChooser.h"
#include "platform/DataDir.h"
#include "ui/UiToolkit.h"

namespace {

std::string BackdropPath(int i) {
  char name[32];
  std::snprintf(name, sizeof name, "artwork\\backdrop%d.jpg", i);
  return MediaPath(name);
}

void BM_BackgroundChooserOpens(benchmark::State& state) {
  BenchGfx gfx;
  UiInit(nullptr, gfx.Screen(), 0);
  for (auto _ : state) {
    BackgroundChooser chooser(0);
    if (!chooser.HasThumbnail(5)) state.SkipWithError("backdrops missing (QS_MEDIA_DIR)");
    benchmark::DoNotOptimize(&chooser);
  }
  UiShutdown();
  state.SetItemsProcessed(state.iterations() * kBackgroundCount);
}
BENCHMARK(BM_BackgroundChooserOpens)->Unit(benchmark::kMillisecond);

void BM_LibjpegTurboSixBackdrops(benchmark::State& state) {
  BenchGfx gfx;  // for the data directory, as the chooser finds it
  std::vector<std::uint8_t> pixels;
  for (auto _ : state) {
    for (int i = 1; i <= kBackgroundCount; ++i) {
      std::FILE* file = std::fopen(BackdropPath(i).c_str(), "rb");
      if (file == nullptr) {
        state.SkipWithError("backdrops missing (QS_MEDIA_DIR)");
        break;
      }
      jpeg_decompress_struct cinfo;
      jpeg_error_mgr jerr;
      cinfo.err = jpeg_std_error(&jerr);
      jpeg_create_decompress(&cinfo);
      jpeg_stdio_src(&cinfo, file);
      jpeg_read_header(&cinfo, TRUE);
      cinfo.dct_method = JDCT_ISLOW;
      cinfo.do_fancy_upsampling = FALSE;
      cinfo.out_color_space = JCS_EXT_BGRX;
      jpeg_start_decompress(&cinfo);
      const std::size_t stride = static_cast<std::size_t>(cinfo.output_width) * 4;
      pixels.resize(stride * cinfo.output_height);
      while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = &pixels[cinfo.output_scanline * stride];
        jpeg_read_scanlines(&cinfo, &row, 1);
      }
      jpeg_finish_decompress(&cinfo);
      jpeg_destroy_decompress(&cinfo);
      std::fclose(file);
    }
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kBackgroundCount);
}
BENCHMARK(BM_LibjpegTurboSixBackdrops)->Unit(benchmark::kMillisecond);

}  // namespace
