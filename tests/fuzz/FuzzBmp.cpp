// libFuzzer target: BMP files from memory into a fixed-size buffer, at every depth and position.
#include "gfx/image/BmpReader.h"
#include "tests/fuzz/FuzzImageSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  FuzzOpenBufferAt(data[size - 1]);
  GfxShowBMP(data, size - 1, kGfxImageAtCursor);
  return 0;
}
