// The inner loops of the resampler (raster.h), written once with Highway and
// compiled for every instruction set it knows (SSE4, AVX2, AVX-512, NEON, ...
// and plain code); each call runs the best one the processor has. All of
// them add and multiply in the same order, so they give the same bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

/// The filter of one direction: output pixel i is the sum of source pixels
/// first[i] .. first[i] + count[i] - 1, each times its weight. Four pixels'
/// weights lie side by side, at [(i / 4 * width + k) * 4 + i % 4] for tap k,
/// each pixel's padded with zeros to `width` taps; `first` and `count` are
/// padded to a multiple of 4 pixels (first 0, count 0, weights 0).
struct FilterTaps {
  int width = 0;  // the most taps of any pixel
  std::vector<int32_t> first;
  std::vector<int> count;
  std::vector<float> weights;
};

/// out[i] = in[i] for n bytes.
void WidenRow(const uint8_t* in, size_t n, float* out);

/// sums[i] += in[i] for n bytes; sums[i] = in[i] when `first`.
void AddToSums(const uint8_t* in, size_t n, bool first, uint32_t* sums);

/// Boxes of `box` columns across a row of `width` columns of `bands` sums,
/// each the sum of `rows` rows: the mean of each box (the last may be
/// narrower) at out[box index * bands + band]. Reads `sums` and writes `out`
/// up to 3 values beyond the row.
void BoxMeans(const uint32_t* sums, int width, int bands, int box, int rows, float* out);

/// One row of pixels of `bands` channels filtered along the row: every pixel
/// of `taps` (padding included), each with all its `width` taps. Reads `in`
/// up to (largest first + width) * bands + 4 floats, which must be finite
/// where the weights are 0; writes `out` up to taps.first.size() * bands + 3.
void FilterAlongRow(const FilterTaps& taps, int bands, const float* in, float* out);

/// Output row y of n values filtered down the rows (`stride` floats apart)
/// and rounded to bytes, 0..255.
void FilterDownRows(const FilterTaps& taps, int y, const float* rows, size_t stride, size_t n,
                    uint8_t* out);
