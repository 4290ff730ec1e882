// Baseline sequential Huffman JPEG decoding (ITU T.81 with JFIF colour), one row of MCUs at a
// time through a caller-supplied working buffer.
#include "gfx/image/JpegDecoder.h"

#include <cstring>
#include <memory>
#include <vector>

#include "gfx/ByteReader.h"
#include "gfx/image/JpegHuffman.h"
#include "gfx/image/JpegIdct.h"

namespace {

// Position in natural (row-major) order of the k-th coefficient in zigzag order (ITU T.81 A.3.6).
constexpr std::uint8_t kZigzag[64] = {
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33, 40, 48,
    41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23,
    30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

// The same, followed by 63 for the places a run of up to 15 zeros can reach past the last
// coefficient: such a run lands on it, as other decoders do, without a test per coefficient.
constexpr auto kZigzagRun = [] {
  struct Table {
    std::uint8_t at[64 + 16];
  } t{};
  for (int k = 0; k < 64 + 16; ++k) t.at[k] = k < 64 ? kZigzag[k] : 63;
  return t;
}();

// Dequantised coefficients are 16-bit quantities, as in other decoders; real encoders stay far
// inside that (8-bit samples give coefficients of at most about 1,100).
constexpr int kCoefLimit = 32767;

struct Component {
  int id = 0;
  int h = 1;
  int v = 1;
  int tq = 0;
  int dcTable = 0;
  int acTable = 0;
  int dcPred = 0;
  std::uint8_t* plane = nullptr;  // One row of MCUs of this component's samples.
  int planeWidth = 0;
};

inline std::int16_t Dequantise(int value, int q) {
  int p = value * q;
  if (p > kCoefLimit) p = kCoefLimit;
  if (p < -kCoefLimit - 1) p = -kCoefLimit - 1;
  return static_cast<std::int16_t>(p);
}

class Decoder {
public:
  Decoder(const std::uint8_t* data, std::size_t size, std::uint8_t* work, std::size_t workSize,
          JpegSink& sink)
      : in_(data, size), work_(work), workSize_(work ? workSize : 0), sink_(sink) {}

  JpegDecodeResult Run();

private:
  static JpegDecodeResult Result(int code, const char* reason) { return {code, reason}; }

  JpegDecodeResult ParseFrame(ByteReader& seg);
  const char* ParseQuantTables(ByteReader& seg);
  const char* ParseHuffmanTables(ByteReader& seg);
  JpegDecodeResult ParseScanHeader(ByteReader& seg);
  void NoteApplicationSegment(int marker, ByteReader seg);
  JpegDecodeResult DecodeScan();
  bool DecodeBlock(JpegBitReader& bits, Component& c, std::uint8_t* out, int stride);
  void EmitRows(int y0, int rows);
  bool ColourIsYcc() const;

  ByteReader in_;
  std::uint8_t* work_;
  std::size_t workSize_;
  JpegSink& sink_;

  std::uint16_t quant_[4][64] = {};
  bool quantDefined_[4] = {};
  JpegHuffmanTable dcTables_[4];
  JpegHuffmanTable acTables_[4];

  bool frameSeen_ = false;
  int width_ = 0;
  int height_ = 0;
  int componentCount_ = 0;
  Component comps_[3];
  int hmax_ = 1;
  int vmax_ = 1;
  int restartInterval_ = 0;
  bool jfif_ = false;
  bool adobe_ = false;
  int adobeTransform_ = 0;

  int scanCount_ = 0;
  int scanOrder_[3] = {};  // Frame component index of each scan component, in scan order.

  // How many pixels across and down each sample of a component covers in the emitted rows.
  int xRepeat_[3] = {1, 1, 1};
  int yRepeat_[3] = {1, 1, 1};
  // Rows of components repeated three or four times across, widened to one sample per pixel:
  // the colour conversion has fast paths for one and two pixels per sample only.
  std::vector<std::uint8_t> widened_;
};

JpegDecodeResult Decoder::Run() {
  // ITU T.81 B.2.1: a picture starts with SOI.
  if (in_.read_u8() != 0xFF || in_.read_u8() != 0xD8) return Result(kJpegNoStart, "no SOI marker");
  for (;;) {
    if (in_.at_end()) return Result(kJpegBadStream, "no EOI marker");
    if (in_.read_u8() != 0xFF) return Result(kJpegBadStream, "marker not introduced by 0xFF");
    std::uint8_t marker = in_.read_u8();
    while (marker == 0xFF && !in_.at_end()) marker = in_.read_u8();  // Fill bytes, B.1.1.2.
    if (in_.failed()) return Result(kJpegBadStream, "truncated marker");

    if (marker == 0xD9) return Result(kJpegOk, "EOI before any scan");
    // Stand-alone markers carry no length (ITU T.81 B.1.1.3, Table B.1).
    if ((marker >= 0xD0 && marker <= 0xD8) || marker == 0x01) continue;

    std::uint16_t length = in_.read_u16be();
    if (in_.failed() || length < 2) return Result(kJpegBadStream, "bad segment length");
    ByteReader seg = in_.sub(length - 2u);
    if (in_.failed()) return Result(kJpegBadStream, "truncated segment");

    const char* bad = nullptr;
    switch (marker) {
      case 0xC0: {
        JpegDecodeResult r = ParseFrame(seg);
        if (r.code != kJpegOk) return r;
        break;
      }
      case 0xC1:
      case 0xC2:
      case 0xC3:
      case 0xC5:
      case 0xC6:
      case 0xC7:
      case 0xC9:
      case 0xCA:
      case 0xCB:
      case 0xCD:
      case 0xCE:
      case 0xCF:
        // Extended, progressive, lossless and arithmetic-coded frames are not decoded.
        return Result(kJpegNoStart, "not a baseline frame");
      case 0xC4:
        bad = ParseHuffmanTables(seg);
        break;
      case 0xDB:
        bad = ParseQuantTables(seg);
        break;
      case 0xDD:
        restartInterval_ = seg.read_u16be();
        if (seg.failed() || !seg.at_end()) bad = "bad DRI length";
        break;
      case 0xDA: {
        JpegDecodeResult r = ParseScanHeader(seg);
        if (r.code != kJpegOk) return r;
        // One interleaved scan holds the whole picture; whatever follows it is not needed.
        return DecodeScan();
      }
      case 0xE0:
      case 0xEE:
        NoteApplicationSegment(marker, seg);
        break;
      default:
        break;  // Comments, other application data, DNL, DHP, EXP: skipped by their length.
    }
    if (bad != nullptr) return Result(kJpegBadStream, bad);
  }
}

JpegDecodeResult Decoder::ParseFrame(ByteReader& seg) {
  if (frameSeen_) return Result(kJpegBadStream, "second frame header");
  int precision = seg.read_u8();
  height_ = seg.read_u16be();
  width_ = seg.read_u16be();
  componentCount_ = seg.read_u8();
  if (seg.failed()) return Result(kJpegBadStream, "bad SOF length");
  // ITU T.81 B.2.2: baseline frames have 8-bit samples.
  if (precision != 8) return Result(kJpegNoStart, "sample precision is not 8 bits");
  if (height_ == 0) return Result(kJpegNoStart, "height given by DNL");
  if (width_ == 0) return Result(kJpegBadStream, "zero width");
  if (componentCount_ != 1 && componentCount_ != 3) {
    return Result(kJpegNoStart, "unsupported component count");
  }
  hmax_ = vmax_ = 1;
  for (int i = 0; i < componentCount_; ++i) {
    Component& c = comps_[i];
    c = Component{};
    c.id = seg.read_u8();
    int hv = seg.read_u8();
    c.h = hv >> 4;
    c.v = hv & 15;
    c.tq = seg.read_u8();
    if (seg.failed()) return Result(kJpegBadStream, "bad SOF length");
    // ITU T.81 B.2.2: sampling factors are 1..4.
    if (c.h < 1 || c.h > 4 || c.v < 1 || c.v > 4) return Result(kJpegBadStream, "bad sampling");
    if (c.tq > 3) return Result(kJpegBadStream, "bad quantisation table id");
    for (int j = 0; j < i; ++j) {
      if (comps_[j].id == c.id) return Result(kJpegBadStream, "duplicate component id");
    }
    if (c.h > hmax_) hmax_ = c.h;
    if (c.v > vmax_) vmax_ = c.v;
  }
  if (!seg.at_end()) return Result(kJpegBadStream, "bad SOF length");
  // Every component is brought to the MCU grid by repeating each sample a whole number of times;
  // a factor that does not divide the largest one (3 beside 2) would need fractional sampling,
  // which other decoders refuse too.
  for (int i = 0; i < componentCount_; ++i) {
    if (hmax_ % comps_[i].h != 0 || vmax_ % comps_[i].v != 0) {
      return Result(kJpegNoStart, "fractional sampling ratio");
    }
  }
  frameSeen_ = true;
  return Result(kJpegOk, "");
}

const char* Decoder::ParseQuantTables(ByteReader& seg) {
  while (!seg.at_end()) {
    int pqtq = seg.read_u8();
    int precision = pqtq >> 4;
    int id = pqtq & 15;
    // ITU T.81 B.2.4.1: Pq is 0 (8-bit) or 1 (16-bit); Tq is 0..3.
    if (precision > 1) return "bad DQT precision";
    if (id > 3) return "bad DQT table id";
    for (int k = 0; k < 64; ++k) {
      quant_[id][kZigzag[k]] = precision ? seg.read_u16be() : seg.read_u8();
    }
    if (seg.failed()) return "bad DQT length";
    quantDefined_[id] = true;
  }
  return nullptr;
}

const char* Decoder::ParseHuffmanTables(ByteReader& seg) {
  while (!seg.at_end()) {
    int tcth = seg.read_u8();
    int tableClass = tcth >> 4;
    int id = tcth & 15;
    // ITU T.81 B.2.4.2: Tc is 0 (DC) or 1 (AC); Th is 0..3.
    if (tableClass > 1) return "bad DHT class";
    if (id > 3) return "bad DHT table id";
    std::uint8_t counts[16];
    int total = 0;
    for (auto& n : counts) {
      n = seg.read_u8();
      total += n;
    }
    if (seg.failed()) return "bad DHT length";
    if (total > 256) return "bad DHT counts";
    const std::uint8_t* symbols = seg.take(static_cast<std::size_t>(total));
    if (symbols == nullptr) return "bad DHT length";
    JpegHuffmanTable& t = tableClass == 0 ? dcTables_[id] : acTables_[id];
    if (const char* why = JpegBuildHuffmanTable(counts, symbols, tableClass == 0, t)) return why;
  }
  return nullptr;
}

void Decoder::NoteApplicationSegment(int marker, ByteReader seg) {
  const std::uint8_t* tag = seg.take(5);
  if (tag == nullptr) return;
  if (marker == 0xE0 && std::memcmp(tag, "JFIF\0", 5) == 0) jfif_ = true;
  if (marker == 0xEE && std::memcmp(tag, "Adobe", 5) == 0) {
    // Adobe APP14: version (2), flags0 (2), flags1 (2), then the colour transform.
    seg.skip(6);
    int transform = seg.read_u8();
    if (seg.ok()) {
      adobe_ = true;
      adobeTransform_ = transform;
    }
  }
}

JpegDecodeResult Decoder::ParseScanHeader(ByteReader& seg) {
  if (!frameSeen_) return Result(kJpegBadStream, "SOS before SOF");
  scanCount_ = seg.read_u8();
  if (seg.failed() || scanCount_ < 1 || scanCount_ > componentCount_) {
    return Result(kJpegBadStream, "bad scan component count");
  }
  bool used[3] = {};
  for (int i = 0; i < scanCount_; ++i) {
    int selector = seg.read_u8();
    int tables = seg.read_u8();
    if (seg.failed()) return Result(kJpegBadStream, "bad SOS length");
    int index = -1;
    for (int j = 0; j < componentCount_; ++j) {
      if (comps_[j].id == selector) index = j;
    }
    // ITU T.81 B.2.3: each Csj matches a frame component, each at most once.
    if (index < 0 || used[index]) return Result(kJpegBadStream, "bad component selector");
    used[index] = true;
    Component& c = comps_[index];
    c.dcTable = tables >> 4;
    c.acTable = tables & 15;
    if (c.dcTable > 3 || c.acTable > 3) return Result(kJpegBadStream, "bad Huffman table id");
    if (!dcTables_[c.dcTable].defined || !acTables_[c.acTable].defined) {
      return Result(kJpegBadStream, "undefined Huffman table");
    }
    if (!quantDefined_[c.tq]) return Result(kJpegBadStream, "undefined quantisation table");
    scanOrder_[i] = index;
  }
  seg.skip(3);  // Ss, Se, Ah/Al: fixed for baseline, ignored as other decoders do.
  if (seg.failed() || !seg.at_end()) return Result(kJpegBadStream, "bad SOS length");
  if (scanCount_ != componentCount_) {
    return Result(kJpegNoStart, "colour components in separate scans");
  }
  return Result(kJpegOk, "");
}

bool Decoder::ColourIsYcc() const {
  if (componentCount_ != 3) return false;
  if (jfif_) return true;
  if (adobe_) return adobeTransform_ != 0;
  return !(comps_[0].id == 'R' && comps_[1].id == 'G' && comps_[2].id == 'B');
}

std::size_t PlaneBytes(const Component& c, int blocksHigh) {
  return static_cast<std::size_t>(c.planeWidth) * 8u * static_cast<std::size_t>(blocksHigh);
}

JpegDecodeResult Decoder::DecodeScan() {
  // A single-component scan is not interleaved: its blocks cover the component in raster order
  // and each "MCU" is one block (ITU T.81 A.2.2).
  const bool interleaved = scanCount_ > 1;
  int mcusX, mcusY;
  if (interleaved) {
    mcusX = (width_ + 8 * hmax_ - 1) / (8 * hmax_);
    mcusY = (height_ + 8 * vmax_ - 1) / (8 * vmax_);
  } else {
    Component& c = comps_[scanOrder_[0]];
    int compWidth = (width_ * c.h + hmax_ - 1) / hmax_;
    int compHeight = (height_ * c.v + vmax_ - 1) / vmax_;
    mcusX = (compWidth + 7) / 8;
    mcusY = (compHeight + 7) / 8;
  }

  std::size_t need = JpegWorkBytes(width_, hmax_, vmax_);
  if (need > workSize_) return Result(kJpegBufferTooSmall, "working buffer too small");
  std::size_t used = 0;
  for (int i = 0; i < componentCount_; ++i) {
    Component& c = comps_[i];
    c.planeWidth = interleaved ? mcusX * 8 * c.h : mcusX * 8;
    c.plane = work_ + used;
    used += PlaneBytes(c, interleaved ? c.v : 1);
    c.dcPred = 0;
  }
  if (used > workSize_) return Result(kJpegBufferTooSmall, "working buffer too small");

  bool widen = false;
  for (int i = 0; i < componentCount_; ++i) {
    xRepeat_[i] = interleaved ? hmax_ / comps_[i].h : 1;
    yRepeat_[i] = interleaved ? vmax_ / comps_[i].v : 1;
    widen = widen || xRepeat_[i] > 2;
  }
  // One row of each component at full width: bounded by the picture's width like the planes.
  if (widen) widened_.assign(static_cast<std::size_t>(mcusX) * 8u * hmax_ * 3u, 0);

  if (!sink_.Begin(width_, height_)) return Result(kJpegOk, "nothing to draw");

  JpegBitReader bits(in_);
  int untilRestart = restartInterval_;
  const int rowHeight = interleaved ? 8 * vmax_ : 8;
  for (int my = 0; my < mcusY; ++my) {
    for (int mx = 0; mx < mcusX; ++mx) {
      if (restartInterval_ != 0) {
        if (untilRestart == 0) {
          if (bits.Overrun()) return Result(kJpegBadStream, "scan data cut short");
          if (!bits.Restart()) return Result(kJpegBadStream, "missing restart marker");
          for (int i = 0; i < componentCount_; ++i) comps_[i].dcPred = 0;
          untilRestart = restartInterval_;
        }
        --untilRestart;
      }
      for (int s = 0; s < scanCount_; ++s) {
        Component& c = comps_[scanOrder_[s]];
        int bh = interleaved ? c.h : 1;
        int bv = interleaved ? c.v : 1;
        for (int by = 0; by < bv; ++by) {
          for (int bx = 0; bx < bh; ++bx) {
            std::uint8_t* out = c.plane + by * 8 * c.planeWidth + (mx * bh + bx) * 8;
            if (!DecodeBlock(bits, c, out, c.planeWidth)) {
              return Result(kJpegBadStream, "bad Huffman code");
            }
          }
        }
      }
    }
    int y0 = my * rowHeight;
    int rows = height_ - y0 < rowHeight ? height_ - y0 : rowHeight;
    EmitRows(y0, rows);
    if (bits.Overrun()) return Result(kJpegBadStream, "scan data cut short");
  }
  return Result(kJpegOk, "done");
}

bool Decoder::DecodeBlock(JpegBitReader& reader, Component& c, std::uint8_t* out, int stride) {
  alignas(32) std::int16_t block[64];
  std::memset(block, 0, sizeof block);
  const std::uint16_t* q = quant_[c.tq];
  std::uint64_t bits = reader.bits();
  int count = reader.count();

  // ITU T.81 F.2.2.1: DC difference category, then its bits. A code and its bits take at most
  // 16 + 15 bits, so 32 buffered bits always suffice.
  if (count < 32) reader.Refill(bits, count);
  int s = JpegBitReader::DecodeSymbol(dcTables_[c.dcTable], bits, count);
  if (s < 0) return false;
  int diff = s ? JpegBitReader::ReceiveExtend(s, bits, count) : 0;
  // Coefficients are 16-bit quantities; the predictor wraps like one.
  c.dcPred = static_cast<std::int16_t>(c.dcPred + diff);
  block[0] = Dequantise(c.dcPred, q[0]);

  // ITU T.81 F.2.2.2: run/size pairs up to end-of-block.
  const JpegHuffmanTable& ac = acTables_[c.acTable];
  bool anyAc = false;
  for (int k = 1; k < 64;) {
    if (count < 32) reader.Refill(bits, count);
    std::uint32_t e = ac.fastAc[bits >> (64 - kJpegFastBits)];
    int rs;
    if (e & kJpegAcWhole) {
      // Code and extra bits in one step: the common case.
      int used = static_cast<int>(e & kJpegAcLenMask);
      bits <<= used;
      count -= used;
      k += (e >> 12) & 15;
      int pos = kZigzagRun.at[k];
      block[pos] = Dequantise(static_cast<std::int32_t>(e) >> 16, q[pos]);
      anyAc = true;
      ++k;
      continue;
    }
    if (e != 0) {
      int used = static_cast<int>(e & kJpegAcLenMask);
      bits <<= used;
      count -= used;
      rs = static_cast<int>((e >> 8) & 0xFF);
    } else {
      rs = JpegBitReader::DecodeSlow(ac, bits, count);
      if (rs < 0) return false;
    }
    int run = rs >> 4;
    int size = rs & 15;
    if (size == 0) {
      if (run != 15) break;  // End of block.
      k += 16;               // Sixteen zeros.
      continue;
    }
    k += run;
    int pos = kZigzagRun.at[k];
    block[pos] = Dequantise(JpegBitReader::ReceiveExtend(size, bits, count), q[pos]);
    anyAc = true;
    ++k;
  }
  reader.Store(bits, count);

  if (!anyAc) {
    std::uint8_t v = JpegIdctDcValue(block[0]);
    for (int r = 0; r < 8; ++r) std::memset(out + r * stride, v, 8);
  } else {
    JpegIdctBlock(block, out, stride);
  }
  return true;
}

void Decoder::EmitRows(int y0, int rows) {
  JpegRowSet set;
  set.width = width_;
  set.components = componentCount_;
  set.ycc = ColourIsYcc();
  const std::size_t fullWidth = static_cast<std::size_t>(comps_[0].planeWidth) * xRepeat_[0];
  for (int i = 0; i < componentCount_; ++i) set.xShift[i] = xRepeat_[i] == 2 ? 1 : 0;
  for (int r = 0; r < rows; ++r) {
    for (int i = 0; i < componentCount_; ++i) {
      const Component& c = comps_[i];
      const std::uint8_t* samples = c.plane + (r / yRepeat_[i]) * c.planeWidth;
      const int repeat = xRepeat_[i];
      if (repeat > 2) {
        std::uint8_t* wide = widened_.data() + fullWidth * static_cast<std::size_t>(i);
        for (int x = 0; x < c.planeWidth; ++x) std::memset(wide + x * repeat, samples[x], repeat);
        samples = wide;
      }
      set.rows[i] = samples;
    }
    sink_.Row(y0 + r, set);
  }
}

}  // namespace

std::size_t JpegWorkBytes(int width, int h, int v) {
  if (width <= 0 || h <= 0 || v <= 0) return 0;
  std::size_t mcu = 8u * static_cast<std::size_t>(h);
  std::size_t padded = (static_cast<std::size_t>(width) + mcu - 1) / mcu * mcu;
  return padded * 3u * 8u * static_cast<std::size_t>(v);
}

JpegDecodeResult JpegDecode(const std::uint8_t* data, std::size_t size, std::uint8_t* work,
                            std::size_t workSize, JpegSink& sink) {
  // The decoder's tables are a few tens of kilobytes: keep them off the stack.
  auto decoder = std::make_unique<Decoder>(data, size, work, workSize, sink);
  return decoder->Run();
}
