// Makes a thumbnail of any bytes taken for a picture: every reader (JPEG,
// progressive JPEG and its DC scans, GIF, BMP, the fallback and the readers
// of every extra picture type, which a run reads only when chosen) must refuse
// or decode them without a crash, a leak or an unbounded allocation, and a
// thumbnail written is a whole JPEG.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "pictures/thumbnails.h"

namespace {

std::string ThumbFolder() {
  static const std::string folder = [] {
    std::string pattern = (access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp");
    pattern += "/kesto-fuzz-XXXXXX";
    if (!mkdtemp(pattern.data())) abort();
    return pattern;
  }();
  return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  int fd = memfd_create("picture", MFD_CLOEXEC);
  if (fd < 0 || write(fd, data, size) != static_cast<ssize_t>(size)) abort();
  std::string picture = "/proc/self/fd/" + std::to_string(fd);
  std::string thumb = ThumbFolder() + "/thumb.jpg";
  ThumbOptions options;
  options.Height = "24";
  ThumbChoices every_type;
  for (const ExtraFormatInfo& info : kExtraFormats) every_type.formats.Add(info.format);
  ThumbResult result = MakeThumbnail(picture, thumb, 24, options, every_type);
  if (result.exists) {
    std::ifstream in(thumb, std::ios::binary);
    std::string jpeg((std::istreambuf_iterator<char>(in)), {});
    if (!jpeg.starts_with("\xFF\xD8") || !jpeg.ends_with("\xFF\xD9")) abort();
  }
  unlink(thumb.c_str());
  close(fd);
  return 0;
}
