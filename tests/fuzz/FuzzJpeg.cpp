// libFuzzer target: JPEG files from memory into a fixed-size buffer, at every depth and position,
// with the working buffer sized from the header record exactly as the game sizes it.
#include <vector>

#include "gfx/image/JpegReader.h"
#include "tests/fuzz/FuzzImageSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const std::uint8_t selector = data[size - 1];
  FuzzOpenBufferAt(selector);
  GfxJPEGHeader header;
  const bool probed = GfxReadJPEGHeader(data, size - 1, &header) == kJpegHeaderOk;
  const int need = probed ? GfxJPEGBufferSize(&header) : 0;
  std::vector<std::uint8_t> work(static_cast<std::size_t>(need > 0 ? need : 0));
  // Half the runs use the built-in buffer, so the too-small path is covered too.
  const bool builtIn = (selector & 0x10) != 0;
  GfxSetJPEGBuffer(builtIn ? nullptr : work.data(), builtIn ? 0 : work.size());
  const int result = GfxShowJPEG(data, size - 1, kGfxImageAtCursor);
  GfxSetJPEGBuffer(nullptr, 0);
  // The size the header asks for must always be enough for the decoder.
  if (!builtIn && need > 0 && result == kJpegBufferTooSmall) __builtin_trap();
  return 0;
}
