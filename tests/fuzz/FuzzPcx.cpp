// libFuzzer target: save-under PCX files from memory into a fixed-size buffer, at every depth,
// plus a save and show round trip of the buffer it damaged.
#include <vector>

#include "gfx/image/PcxFile.h"
#include "tests/fuzz/FuzzImageSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  FuzzOpenBufferAt(data[size - 1]);
  GfxShowPCX(data, size - 1, data[size - 1] & 0x10 ? kGfxImageAtCursor : 0);
  std::vector<std::uint8_t> saved = GfxEncodePCX(-3, 70, 5, 50);
  if (GfxShowPCX(saved.data(), saved.size(), 0) != 0) __builtin_trap();
  return 0;
}
