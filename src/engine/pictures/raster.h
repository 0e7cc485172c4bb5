// Small 8-bit pictures in memory and the smooth resampling that makes them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "pictures/resample_loops.h"
#include "pictures/thumb_size.h"

/// Interleaved 8-bit pixels, rows top to bottom; 1 band (grey) or 3 (RGB).
struct Raster {
  int width = 0;
  int height = 0;
  int bands = 0;
  std::vector<uint8_t> pixels;  // width * height * bands bytes
};

/// Rows that a decoder has already shrunk: each pixel is the mean of about
/// `factor_x` x `factor_y` pixels of the picture (8 for a JPEG decoded at 1/8).
/// The picture's own size places its far edges, which a shrunk size rounded
/// up overshoots by part of a pixel. The default stands for whole pixels.
struct Shrink {
  double factor_x = 1.0, factor_y = 1.0;
  int64_t picture_width = 0, picture_height = 0;  // 0: the rows' own size
};

/// Resamples a picture that arrives one row at a time, top to bottom, to
/// exactly out_width x out_height: a box average by whole factors first (so
/// that at most a 4:1 reduction is left), then a Lanczos-3 filter, sharpened
/// by as much as the box averages (the resampler's and the decoder's) soften
/// it. Enlarges as smoothly. Only the box-reduced rows are kept, so memory
/// stays near the size of the result.
class RowResampler {
 public:
  RowResampler(int in_width, int in_height, int bands, int out_width, int out_height,
               const Shrink& shrink = {});

  /// The next row of in_width * bands bytes. Rows beyond in_height are ignored.
  void AddRow(const uint8_t* row);

  /// The result; rows never added count as black.
  Raster Finish();

 private:
  void FlushBoxRow();

  int in_width_, in_height_, bands_, out_width_, out_height_;
  int box_x_, box_y_;      // whole-factor box sizes
  int box_width_;          // columns after the box average
  int rows_in_ = 0;        // source rows received
  int rows_in_box_ = 0;    // source rows summed in sums_
  int box_rows_done_ = 0;  // rows of columns_ filled
  FilterTaps taps_x_, taps_y_;
  size_t stride_;               // floats per row of columns_
  std::vector<uint32_t> sums_;  // per source value, the sum down the current box row
  std::vector<float> box_row_;  // the current box row as averages, then room the filter reads
  std::vector<float> columns_;  // horizontally resampled box rows
};

/// One picture arriving row by row, resampled to several sizes at once: each
/// row goes to a RowResampler per size, so one decode makes a thumbnail and
/// its double, each as a decode for it alone at this size would.
class RowResamplers {
 public:
  RowResamplers(int in_width, int in_height, int bands, const std::vector<ThumbSize>& sizes,
                const Shrink& shrink = {});
  void AddRow(const uint8_t* row);
  /// The results, in the order of the sizes.
  std::vector<Raster> Finish();

 private:
  std::vector<RowResampler> each_;
};

/// Turns `raster` upright for an EXIF orientation 2..8, in place: its pixels
/// are never held twice. Orientation 1 (and any other value) leaves it as it is.
void Orient(Raster* raster, int orientation);
