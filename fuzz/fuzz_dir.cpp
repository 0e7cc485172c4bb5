// Reads any bytes as a .dir file; the entries read must save and read back
// unchanged.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "settings/dir_list.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> dirs =
      ParseDirList(std::string_view(reinterpret_cast<const char*>(data), size));
  if (ParseDirList(DirListText(dirs)) != dirs) abort();
  return 0;
}
