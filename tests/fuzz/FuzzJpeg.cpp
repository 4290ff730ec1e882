// libFuzzer target: JPEG files from memory into a fixed-size buffer, with a working buffer large
// enough for wide pictures so that decoding goes deep, at every depth and position.
#include <vector>

#include "gfx/image/JpegReader.h"
#include "tests/fuzz/FuzzImageSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  static std::vector<std::uint8_t> work(1 << 20);
  std::uint8_t selector = data[size - 1];
  FuzzOpenBuffer(FuzzDepth(selector));
  GfxMove((selector >> 2 & 7) * 9 - 20, (selector >> 5) * 9 - 20);
  // Half the runs use the built-in buffer, so the too-small path is covered too.
  GfxSetJPEGBuffer(selector & 0x10 ? nullptr : work.data(), selector & 0x10 ? 0 : work.size());
  GfxJPEGHeader header;
  GfxReadJPEGHeader(data, size - 1, &header);
  GfxJPEGBufferSize(&header);
  GfxShowJPEG(data, size - 1, kGfxImageAtCursor);
  return 0;
}
