#include "pictures/jpeg_dc.h"

#include <algorithm>
#include <array>

#include "pictures/byte_order.h"

namespace {

const char kEndsEarly[] = "JPEG data ends early";

constexpr uint8_t kEoi = 0xD9, kSos = 0xDA, kDht = 0xC4, kDri = 0xDD;
constexpr int kMaxLevel = 32767;
constexpr int kMaxPointTransform = 13;

bool IsRestart(uint8_t marker) { return marker >= 0xD0 && marker <= 0xD7; }

// The next marker at or after `pos`: 0xFF and a byte that is not 0 (a
// stuffed 0xFF), not a restart and not another 0xFF (fill). Entropy-coded
// data in between is passed over.
size_t NextMarker(const uint8_t* data, size_t size, size_t pos) {
  while (pos + 1 < size && !(data[pos] == 0xFF && data[pos + 1] != 0 && data[pos + 1] != 0xFF &&
                             !IsRestart(data[pos + 1])))
    ++pos;
  return pos;
}

// Entropy-coded bits, most significant first. At a marker it supplies zero
// bits, as decoders do with damaged data; past the end of the file it fails.
class BitReader {
 public:
  BitReader(const uint8_t* data, size_t size, size_t pos) : data_(data), size_(size), pos_(pos) {}

  uint32_t Peek(int n) {
    Fill();
    return static_cast<uint32_t>(buffer_ >> (64 - n));
  }

  bool Skip(int n) {
    Fill();
    if (n > real_bits_ && ended_) return false;
    buffer_ <<= n;
    count_ -= n;
    real_bits_ = std::max(0, real_bits_ - n);
    return true;
  }

  // Drops the bits left of an interval and steps over its restart marker.
  void Restart() {
    buffer_ = 0, count_ = 0, real_bits_ = 0;
    if (ended_) return;
    while (pos_ + 1 < size_ &&
           !(data_[pos_] == 0xFF && data_[pos_ + 1] != 0 && data_[pos_ + 1] != 0xFF))
      ++pos_;
    stopped_ = true;
    if (pos_ + 1 < size_ && IsRestart(data_[pos_ + 1])) pos_ += 2, stopped_ = false;
  }

  size_t position() const { return pos_; }

 private:
  void Fill() {
    while (count_ <= 56) {
      int byte = NextByte();
      buffer_ |= static_cast<uint64_t>(std::max(byte, 0)) << (56 - count_);
      count_ += 8;
      if (byte >= 0) real_bits_ += 8;
    }
  }

  int NextByte() {
    if (stopped_) return -1;
    if (pos_ < size_ && data_[pos_] != 0xFF) return data_[pos_++];
    if (pos_ + 1 >= size_) {
      ended_ = stopped_ = true;
      return -1;
    }
    if (data_[pos_ + 1] == 0) return pos_ += 2, 0xFF;
    stopped_ = true;  // a marker
    return -1;
  }

  const uint8_t* data_;
  size_t size_, pos_;
  uint64_t buffer_ = 0;  // left-aligned
  int count_ = 0, real_bits_ = 0;
  bool stopped_ = false, ended_ = false;
};

struct Huffman {
  bool defined = false;
  int count = 0;
  std::array<int, 17> maxcode{};  // largest code of each length, -1 when none
  std::array<int, 17> offset{};   // symbol index minus code, per length
  std::array<uint8_t, 256> symbols{};
};

bool BuildHuffman(const uint8_t* counts, const uint8_t* symbols, int total, Huffman* h) {
  h->count = total;
  std::copy(symbols, symbols + total, h->symbols.begin());
  int code = 0, index = 0;
  for (int length = 1; length <= 16; ++length) {
    int n = counts[length - 1];
    h->offset[length] = index - code;
    h->maxcode[length] = n ? code + n - 1 : -1;
    code += n, index += n;
    if (code > (1 << length)) return false;
    code <<= 1;
  }
  h->defined = true;
  return true;
}

bool DecodeSymbol(const Huffman& h, BitReader* bits, int* symbol) {
  uint32_t next = bits->Peek(16);
  for (int length = 1; length <= 16; ++length) {
    int code = static_cast<int>(next >> (16 - length));
    if (code > h.maxcode[length]) continue;
    int index = code + h.offset[length];
    if (index < 0 || index >= h.count) return false;
    *symbol = h.symbols[index];
    return bits->Skip(length);
  }
  return false;
}

struct Plane {
  int width = 0, height = 0;  // in blocks, padded to whole MCUs
  std::vector<int32_t> dc;
};

struct Scan {
  int count = 0;
  std::array<int, 4> component{}, table{};
  int spectral_start = 0, high = 0, low = 0;  // Ss, Ah, Al
};

struct Decoder {
  explicit Decoder(const DcFrame& f) : frame(f) {}
  const DcFrame& frame;
  int hmax = 1, vmax = 1, mcus_across = 0, mcus_down = 0;
  std::vector<Plane> planes;
  std::array<Huffman, 4> tables;
  size_t restart = 0;
  bool saw_dc_scan = false;
};

bool ValidFrame(const DcFrame& f) {
  if (f.width < 1 || f.height < 1 || (f.components.size() != 1 && f.components.size() != 3))
    return false;
  return std::all_of(f.components.begin(), f.components.end(), [](const DcFrame::Component& c) {
    return c.h >= 1 && c.h <= 4 && c.v >= 1 && c.v <= 4;
  });
}

Decoder MakeDecoder(const DcFrame& frame) {
  Decoder d(frame);
  for (const DcFrame::Component& c : frame.components)
    d.hmax = std::max(d.hmax, c.h), d.vmax = std::max(d.vmax, c.v);
  d.mcus_across = (frame.width + 8 * d.hmax - 1) / (8 * d.hmax);
  d.mcus_down = (frame.height + 8 * d.vmax - 1) / (8 * d.vmax);
  for (const DcFrame::Component& c : frame.components) {
    Plane p{d.mcus_across * c.h, d.mcus_down * c.v, {}};
    p.dc.assign(static_cast<size_t>(p.width) * p.height, 0);
    d.planes.push_back(std::move(p));
  }
  return d;
}

bool ParseDht(const uint8_t* p, size_t length, Decoder* d) {
  while (length > 0) {
    if (length < 17 || (p[0] >> 4) > 1 || (p[0] & 15) > 3) return false;
    int total = 0;
    for (int i = 1; i <= 16; ++i) total += p[i];
    if (total > 256 || length < 17 + static_cast<size_t>(total)) return false;
    if ((p[0] >> 4) == 0 && !BuildHuffman(p + 1, p + 17, total, &d->tables[p[0] & 15]))
      return false;
    p += 17 + total, length -= 17 + total;
  }
  return true;
}

bool ParseSos(const uint8_t* p, size_t length, const DcFrame& frame, Scan* scan) {
  scan->count = p[0];
  if (scan->count < 1 || scan->count > 4 || length != 4 + 2 * static_cast<size_t>(scan->count))
    return false;
  for (int i = 0; i < scan->count; ++i) {
    auto found = std::find_if(frame.components.begin(), frame.components.end(),
                              [&](const DcFrame::Component& c) { return c.id == p[1 + 2 * i]; });
    if (found == frame.components.end()) return false;
    scan->component[i] = static_cast<int>(found - frame.components.begin());
    scan->table[i] = p[2 + 2 * i] >> 4;
    if (scan->table[i] > 3) return false;
  }
  const uint8_t* tail = p + 1 + 2 * scan->count;
  scan->spectral_start = tail[0];
  scan->high = tail[2] >> 4, scan->low = tail[2] & 15;
  bool dc_only = scan->spectral_start != 0 || tail[1] == 0;
  return dc_only && scan->low <= kMaxPointTransform;
}

// One block of a DC scan: the first pass adds the coded difference to the
// component's prediction; a refinement pass adds one more bit.
bool DecodeBlock(const Scan& scan, int i, int32_t* dc, int* prediction, Decoder* d,
                 BitReader* bits) {
  if (scan.high != 0) {
    uint32_t bit = bits->Peek(1);
    *dc |= static_cast<int32_t>(bit << scan.low);
    return bits->Skip(1);
  }
  int size = 0;
  if (!DecodeSymbol(d->tables[scan.table[i]], bits, &size) || size > 15) return false;
  int diff = 0;
  if (size > 0) {
    int value = static_cast<int>(bits->Peek(size));
    if (!bits->Skip(size)) return false;
    diff = value < (1 << (size - 1)) ? value - (1 << size) + 1 : value;
  }
  *prediction = std::clamp(*prediction + diff, -kMaxLevel, kMaxLevel);
  *dc = *prediction * (1 << scan.low);
  return true;
}

// The blocks of one unit of a scan: a whole MCU when the scan holds several
// components, else a single block in the component's own raster order.
bool DecodeUnit(const Scan& scan, size_t unit, std::array<int, 4>* predictions, Decoder* d,
                BitReader* bits) {
  for (int i = 0; i < scan.count; ++i) {
    const DcFrame::Component& c = d->frame.components[scan.component[i]];
    Plane& plane = d->planes[scan.component[i]];
    if (scan.count == 1) {
      int across = ((d->frame.width * c.h + d->hmax - 1) / d->hmax + 7) / 8;
      int32_t* dc = &plane.dc[(unit / across) * plane.width + unit % across];
      return DecodeBlock(scan, i, dc, &(*predictions)[i], d, bits);
    }
    size_t mx = unit % d->mcus_across, my = unit / d->mcus_across;
    for (int v = 0; v < c.v; ++v) {
      for (int h = 0; h < c.h; ++h) {
        int32_t* dc = &plane.dc[(my * c.v + v) * plane.width + mx * c.h + h];
        if (!DecodeBlock(scan, i, dc, &(*predictions)[i], d, bits)) return false;
      }
    }
  }
  return true;
}

size_t UnitCount(const Scan& scan, const Decoder& d) {
  if (scan.count > 1) return static_cast<size_t>(d.mcus_across) * d.mcus_down;
  const DcFrame::Component& c = d.frame.components[scan.component[0]];
  size_t across = ((d.frame.width * c.h + d.hmax - 1) / d.hmax + 7) / 8;
  size_t down = ((d.frame.height * c.v + d.vmax - 1) / d.vmax + 7) / 8;
  return across * down;
}

// Decodes a DC scan whose data starts at `pos`; returns where it stopped.
bool DecodeScan(const Scan& scan, const uint8_t* data, size_t size, size_t* pos, Decoder* d) {
  for (int i = 0; i < scan.count; ++i)
    if (scan.high == 0 && !d->tables[scan.table[i]].defined) return false;
  BitReader bits(data, size, *pos);
  std::array<int, 4> predictions{};
  size_t units = UnitCount(scan, *d);
  for (size_t unit = 0; unit < units; ++unit) {
    if (d->restart > 0 && unit > 0 && unit % d->restart == 0) {
      bits.Restart();
      predictions = {};
    }
    if (!DecodeUnit(scan, unit, &predictions, d, &bits)) return false;
  }
  d->saw_dc_scan = true;
  *pos = bits.position();
  return true;
}

uint8_t Level(int32_t dc, int quant) {
  int64_t value = (static_cast<int64_t>(dc) * quant + 4) >> 3;
  return static_cast<uint8_t>(std::clamp<int64_t>(value + 128, 0, 255));
}

void YccToRgb(uint8_t* p) {
  int y = p[0], cb = p[1] - 128, cr = p[2] - 128;
  p[0] = static_cast<uint8_t>(std::clamp(y + ((91881 * cr + 32768) >> 16), 0, 255));
  p[1] = static_cast<uint8_t>(std::clamp(y - ((22554 * cb + 46802 * cr - 32768) >> 16), 0, 255));
  p[2] = static_cast<uint8_t>(std::clamp(y + ((116130 * cb + 32768) >> 16), 0, 255));
}

Raster ToPixels(const Decoder& d) {
  int bands = static_cast<int>(d.frame.components.size());
  Raster out{(d.frame.width + 7) / 8, (d.frame.height + 7) / 8, bands, {}};
  out.pixels.resize(static_cast<size_t>(out.width) * out.height * bands);
  uint8_t* p = out.pixels.data();
  for (int y = 0; y < out.height; ++y) {
    for (int x = 0; x < out.width; ++x, p += bands) {
      for (int c = 0; c < bands; ++c) {
        const DcFrame::Component& comp = d.frame.components[c];
        const Plane& plane = d.planes[c];
        size_t bx = static_cast<size_t>(x) * comp.h / d.hmax,
               by = static_cast<size_t>(y) * comp.v / d.vmax;
        p[c] = Level(plane.dc[by * plane.width + bx], comp.quant);
      }
      if (bands == 3 && d.frame.ycc) YccToRgb(p);
    }
  }
  return out;
}

// One marker segment; `pos` moves past it (and past a DC scan's data).
bool Segment(const uint8_t* data, size_t size, size_t* pos, Decoder* d, std::string* err) {
  uint8_t marker = data[*pos + 1];
  size_t length = *pos + 4 <= size ? ReadBigEndian(data + *pos + 2, 2) : 0;
  size_t end = *pos + 2 + length;
  if (length < 2 || end > size) {
    *err = kEndsEarly;
    return false;
  }
  const uint8_t* payload = data + *pos + 4;
  Scan scan;
  bool ok = true;
  if (marker == kDht) ok = ParseDht(payload, length - 2, d);
  if (marker == kDri) ok = length >= 4 && ((d->restart = ReadBigEndian(payload, 2)), true);
  if (marker == kSos) ok = ParseSos(payload, length - 2, d->frame, &scan);
  *pos = end;
  if (ok && marker == kSos && scan.spectral_start == 0) ok = DecodeScan(scan, data, size, pos, d);
  if (!ok) *err = "broken JPEG data";
  return ok;
}

}  // namespace

bool DecodeDcScans(const uint8_t* data, size_t size, const DcFrame& frame, Raster* out,
                   std::string* err) {
  if (!ValidFrame(frame) || size < 4 || data[0] != 0xFF || data[1] != 0xD8) {
    *err = "not a JPEG frame";
    return false;
  }
  Decoder d = MakeDecoder(frame);
  for (size_t pos = NextMarker(data, size, 2);; pos = NextMarker(data, size, pos)) {
    if (pos + 1 >= size) {
      *err = kEndsEarly;
      return false;
    }
    if (data[pos + 1] == kEoi) break;
    if (!Segment(data, size, &pos, &d, err)) return false;
  }
  if (!d.saw_dc_scan) {
    *err = "JPEG has no DC scan";
    return false;
  }
  *out = ToPixels(d);
  return true;
}
