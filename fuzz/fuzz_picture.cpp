// Makes a thumbnail and its double of any bytes taken for a picture, from
// one decode: every reader (JPEG, progressive JPEG and its DC scans, GIF,
// BMP, the fallback and the readers of every extra picture type, which a run
// reads only when chosen) must refuse or decode them without a crash, a leak
// or an unbounded allocation, and a thumbnail written is a whole JPEG. The
// metadata reader takes the same bytes.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "pictures/photo_facts_read.h"
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
  ThumbOptions options;
  options.Height = "24";
  ExtraFormats every_type;
  for (const ExtraFormatInfo& info : kExtraFormats) every_type.Add(info.format);
  const std::vector<ThumbOutput> outputs = {{ThumbFolder() + "/thumb.jpg", 1},
                                            {ThumbFolder() + "/thumb@2x.jpg", 2}};
  std::vector<ThumbResult> results = MakeThumbnails(picture, outputs, 24, options, every_type);
  for (size_t i = 0; i < outputs.size(); ++i) {
    std::ifstream in(outputs[i].path, std::ios::binary);
    std::string jpeg((std::istreambuf_iterator<char>(in)), {});
    if (results[i].exists && (!jpeg.starts_with("\xFF\xD8") || !jpeg.ends_with("\xFF\xD9")))
      abort();
    unlink(outputs[i].path.c_str());
  }
  ReadPhotoFacts(picture);
  close(fd);
  return 0;
}
