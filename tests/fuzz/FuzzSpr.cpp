// libFuzzer target: SPR sprites from memory into a fixed-size buffer, with width and cursor from
// the input.
#include "gfx/image/SprReader.h"
#include "tests/fuzz/FuzzImageSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  FuzzOpenBuffer(data[0]);
  GfxMove((data[0] >> 2) - 20, data[1] - 100);
  GfxShowSPR(data + 3, size - 3, static_cast<int>(data[2]) - 8);
  return 0;
}
