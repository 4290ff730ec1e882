// The baseline JPEG decoder proper: reads the marker segments and the scan of a JPEG held in
// memory and hands the picture over one row at a time.
#pragma once

#include <cstddef>
#include <cstdint>

#include "gfx/image/JpegColor.h"
#include "gfx/image/JpegReader.h"  // GfxJpegResult

// Receives the decoded picture.
class JpegSink {
public:
  virtual ~JpegSink() = default;
  // Called once the frame and the scan are known and before any row; false stops decoding
  // (with success), e.g. when nothing of the picture can be seen.
  virtual bool Begin(int width, int height) = 0;
  // Row y (0 at the top) of the picture.
  virtual void Row(int y, const JpegRowSet& row) = 0;
};

struct JpegDecodeResult {
  int code = kJpegOk;
  const char* reason = "";  // Short fixed text saying why decoding stopped, for tests and tools.
};

// Working memory needed for one row of MCUs of a picture width pixels wide whose largest
// sampling factors are h x v: ceil(width / 8h) * 8h * 3 * 8v bytes.
std::size_t JpegWorkBytes(int width, int h, int v);

// Decodes data[0..size) into sink, using work[0..workSize) for one row of MCUs at a time.
JpegDecodeResult JpegDecode(const std::uint8_t* data, std::size_t size, std::uint8_t* work,
                            std::size_t workSize, JpegSink& sink);
