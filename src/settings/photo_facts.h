// What a picture's own metadata tells about it, as the pages show it: read by
// the picture layer, kept by the run, written by the page writers.
#pragma once

#include <string>

/// Each fact is "" when the picture does not say. Texts are the picture's own
/// bytes, trimmed; they need not be valid UTF-8.
struct PhotoFacts {
  std::string date_taken;  // "YYYY-MM-DD HH:MM:SS", sorts as text
  std::string caption;
  std::string camera;  // make and model, the make not repeated
  std::string lens;
  std::string exposure;  // "1/250 s, f/8, ISO 100, 35 mm", the parts there are
  std::string keywords;  // comma-separated

  bool operator==(const PhotoFacts&) const = default;
};
