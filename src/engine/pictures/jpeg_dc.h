// Progressive JPEGs at 1/8 scale, straight from their DC scans.
//
// At 1/8 scale each 8 x 8 block becomes one pixel, the block's DC value. A
// progressive file sends the DC values in scans of their own, ahead of the
// bulk of the data (the AC scans), so they are read alone and the AC scans
// skipped unread; no full-size coefficient buffer is ever held.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "pictures/raster.h"

/// The frame of a progressive JPEG, as its header reader found it.
struct DcFrame {
  struct Component {
    int id = 0;
    int h = 1, v = 1;  // sampling factors, 1..4
    int quant = 1;     // the DC entry of its quantisation table
  };
  int width = 0, height = 0;
  std::vector<Component> components;  // 1 (grey) or 3
  bool ycc = true;                    // three components in YCbCr, else RGB
};

/// The picture of the progressive, Huffman-coded JPEG `data` (the whole
/// file) at 1/8 scale, each side rounded up, in grey or RGB. False with `err`
/// set when the data is broken or ends before its last marker.
bool DecodeDcScans(const uint8_t* data, size_t size, const DcFrame& frame, Raster* out,
                   std::string* err);
