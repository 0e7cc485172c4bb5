// Reads any bytes as a .cfg file. Saving what was loaded must be stable: once
// read values have been saved and read again, another round changes nothing.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "settings/advanced_config.h"

namespace {

std::string SaveLoaded(std::string_view text) {
  AdvancedSettings settings;
  ThumbOptions thumbs;
  ParseAdvancedConfig(text, &settings, &thumbs);
  return AdvancedConfigText(settings, thumbs);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string once = SaveLoaded(std::string_view(reinterpret_cast<const char*>(data), size));
  std::string twice = SaveLoaded(once);
  if (SaveLoaded(twice) != twice) abort();
  return 0;
}
