// Buffer and picture-loading helpers of the artwork code.
#include "gfx/art/ArtworkFiles.h"

#include <cstdint>
#include <string>
#include <vector>

#include "gfx/Gfx.h"
#include "gfx/image/BmpReader.h"
#include "gfx/image/JpegReader.h"
#include "platform/DataDir.h"

int AllocArtBuffer(int width, int height) {
  const int handle = GfxAllocBuffer(width, height);
  if (handle < 0) return -1;
  GfxOpenBuffer(handle);
  GfxAttachPalette();
  return handle;
}

void FreeArtBuffer(int* handle) {
  if (*handle < 0) return;
  if (GfxActiveBuffer() == *handle) GfxCloseBuffer();
  GfxFreeBuffer(*handle);
  *handle = -1;
}

int ShowBmpInBuffer(int buffer, const char* mediaName) {
  if (buffer < 0 || GfxOpenBuffer(buffer) != 0) return kBmpCannotRead;
  return GfxShowBMP(MediaPath(mediaName).c_str(), kGfxImageKeepPalette);
}

int ShowJpegInBuffer(int buffer, const char* mediaName) {
  if (buffer < 0 || GfxOpenBuffer(buffer) != 0) return 1;
  const std::string path = MediaPath(mediaName);
  GfxJPEGHeader header;
  if (GfxReadJPEGHeader(path.c_str(), &header) != 0) return 1;
  const int size = GfxJPEGBufferSize(&header);
  if (size <= 0) return 1;
  std::vector<std::uint8_t> work(static_cast<std::size_t>(size));
  GfxSetJPEGBuffer(work.data(), work.size());
  const int result = GfxShowJPEG(path.c_str(), 0);
  // The working memory dies with this call; the reader must not keep pointing at it.
  GfxSetJPEGBuffer(nullptr, 0);
  return result;
}

ActiveBufferKeeper::ActiveBufferKeeper() : saved_(GfxActiveBuffer()) {}

ActiveBufferKeeper::~ActiveBufferKeeper() {
  if (saved_ >= 0) GfxOpenBuffer(saved_);
}
