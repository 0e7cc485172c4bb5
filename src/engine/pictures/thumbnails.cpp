#include "pictures/thumbnails.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>
#include <utility>

#include "pictures/bmp_io.h"
#include "pictures/byte_order.h"
#include "pictures/colour.h"
#include "pictures/gif_io.h"
#include "pictures/jpeg_io.h"
#include "pictures/picture_read.h"
#include "pictures/raster.h"
#include "pictures/vips_io.h"
#include "settings/file_io.h"
#include "settings/text.h"

namespace {

enum class Kind { kJpeg, kGif, kBmp, kPng, kOther };

Kind Sniff(const uint8_t* head, size_t size) {
  if (size >= 3 && head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF) return Kind::kJpeg;
  if (size >= 6 && (!memcmp(head, "GIF87a", 6) || !memcmp(head, "GIF89a", 6))) return Kind::kGif;
  if (size >= 2 && head[0] == 'B' && head[1] == 'M') return Kind::kBmp;
  if (size >= 8 && !memcmp(head, "\x89PNG\r\n\x1A\n", 8)) return Kind::kPng;
  return Kind::kOther;
}

std::string ErrnoText(const std::string& what) {
  return what + ": " + std::error_code(errno, std::generic_category()).message();
}

// Whole pixels from a computed side: half to even, never below 1; 0 when
// the side is not positive.
int64_t WholePixels(float side) {
  if (!(side > 0.0f)) return 0;
  return std::max<int64_t>(1, RoundHalfEven(side));
}

// The size check shared by every reader: the pixel limit, then the
// arithmetic on the upright picture, one size per output handed back in
// stored orientation. A double that cannot be made is marked in *left_out and
// not planned.
SizePlan MakePlan(int64_t target, const ThumbOptions& options,
                  const std::vector<ThumbOutput>& outputs, std::vector<bool>* left_out) {
  return [target, &options, &outputs, left_out](ThumbSize stored, int orientation,
                                                std::vector<ThumbSize>* out, std::string* err) {
    if (stored.width < 1 || stored.height < 1 || stored.width * stored.height > kMaxPicturePixels) {
      *err = "picture of " + NumText(stored.width) + " x " + NumText(stored.height) +
             " pixels is refused";
      return false;
    }
    bool turned = orientation >= 5 && orientation <= 8;
    ThumbSize upright = turned ? ThumbSize{stored.height, stored.width} : stored;
    ThumbSize computed = ComputeThumbSize(upright, target, options);
    for (size_t i = 0; i < outputs.size(); ++i) {
      int scale = outputs[i].scale;
      ThumbSize size{computed.width * scale, computed.height * scale};
      bool valid = ValidThumbSide(size.width) && ValidThumbSide(size.height);
      if (scale > 1 && (!valid || size.width > upright.width || size.height > upright.height)) {
        (*left_out)[i] = true;
        continue;
      }
      if (!valid) {
        *err = "thumbnail size " + NumText(size.width) + " x " + NumText(size.height) +
               " is out of range";
        return false;
      }
      out->push_back(turned ? ThumbSize{size.height, size.width} : size);
    }
    return !out->empty();
  };
}

// The claimed size of a GIF or BMP, checked before any decoder sees it.
bool HeaderWithinLimit(Kind kind, const uint8_t* head, size_t size) {
  int64_t width = 0, height = 0;
  if (kind == Kind::kGif && size >= 10) {
    width = ReadLittleEndian(head + 6, 2), height = ReadLittleEndian(head + 8, 2);
  } else if (kind == Kind::kBmp) {
    BmpHeader bmp;
    if (!ParseBmpHeader(head, size, &bmp)) return false;
    width = bmp.width, height = bmp.height;
  } else {
    return true;
  }
  return width >= 1 && height >= 1 && width * height <= kMaxPicturePixels;
}

// libpng sets aside what a chunk claims before reading it, so a PNG is only
// handed on when every chunk up to IEND fits inside the file.
bool PngChunksFitFile(int fd) {
  struct stat st;
  if (fstat(fd, &st) != 0) return false;
  const int64_t end = st.st_size;
  for (int64_t pos = 8; pos + 12 <= end;) {
    uint8_t chunk[8];
    if (pread(fd, chunk, sizeof chunk, pos) != static_cast<ssize_t>(sizeof chunk)) return false;
    int64_t length = ReadBigEndian(chunk, 4);
    if (length > 0x7FFFFFFF || pos + 12 + length > end) return false;
    if (!memcmp(chunk + 4, "IEND", 4)) return true;
    pos += 12 + length;
  }
  return false;
}

// Opens a regular file for reading; never blocks on a pipe put in its place.
int OpenPicture(const std::string& path, std::string* err) {
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    *err = ErrnoText("cannot open " + path);
    return -1;
  }
  struct stat st;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    close(fd);
    *err = path + " is not a regular file";
    return -1;
  }
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return fd;
}

ReadStatus ReadOpenPicture(int fd, const std::string& path, ExtraFormats extra,
                           const SizePlan& plan, DecodedPicture* out, std::string* err) {
  uint8_t head[kBmpHeaderBytes] = {};
  ssize_t got = pread(fd, head, sizeof head, 0);
  if (got <= 0) {
    *err = got == 0 ? "empty file" : ErrnoText("cannot read " + path);
    return ReadStatus::kFailed;
  }
  Kind kind = Sniff(head, static_cast<size_t>(got));
  if (!HeaderWithinLimit(kind, head, static_cast<size_t>(got))) {
    *err = "picture header claims a refused size";
    return ReadStatus::kFailed;
  }
  if (kind == Kind::kPng && !PngChunksFitFile(fd)) {
    *err = "PNG data is cut off or claims more than the file holds";
    return ReadStatus::kFailed;
  }
  ReadStatus status = ReadStatus::kUnsupported;
  if (kind == Kind::kJpeg) status = ReadJpeg(fd, plan, out, err);
  if (kind == Kind::kBmp) status = ReadBmp(fd, plan, out, err);
  if (kind == Kind::kGif) status = ReadGif(fd, plan, out, err);
  if (status != ReadStatus::kUnsupported) return status;
  *out = DecodedPicture();
  return ReadWithVips(path, kind == Kind::kBmp, extra, plan, out, err);
}

bool ReadPicture(const std::string& path, ExtraFormats extra, const SizePlan& plan,
                 DecodedPicture* out, std::string* err) {
  int fd = OpenPicture(path, err);
  if (fd < 0) return false;
  ReadStatus status = ReadOpenPicture(fd, path, extra, plan, out, err);
  close(fd);
  return status == ReadStatus::kOk;
}

// The JPEG of each output, from one decode of `picture`; empty for an output
// that gets none, whose error is then set in `results` (none for a double
// left out).
std::vector<std::string> RenderThumbnails(const std::string& picture,
                                          const std::vector<ThumbOutput>& outputs, int64_t target,
                                          const ThumbOptions& options, ExtraFormats formats,
                                          std::vector<ThumbResult>* results) {
  std::vector<std::string> jpegs(outputs.size());
  std::vector<bool> left_out(outputs.size());
  DecodedPicture decoded;
  std::string err;
  bool read = false;
  if (!ValidThumbSide(target))
    err = "thumbnail size " + NumText(target) + " is out of range";
  else
    read = ReadPicture(picture, formats, MakePlan(target, options, outputs, &left_out), &decoded,
                       &err);
  auto raster = decoded.rasters.begin();
  for (size_t i = 0; i < outputs.size(); ++i) {
    if (left_out[i]) continue;
    if (!read) {
      (*results)[i].error = err;
      continue;
    }
    ConvertToSrgb(decoded.icc, &*raster);
    Orient(&*raster, decoded.orientation);
    EncodeJpeg(*raster, options.Quality, options.Progressive == 1, &jpegs[i], &(*results)[i].error);
    *raster++ = Raster();  // its pixels are not needed any longer
  }
  return jpegs;
}

}  // namespace

ResizeBy EffectiveResize(const ThumbOptions& options) {
  if (options.ResizeMethod == "Width") return ResizeBy::kWidth;
  if (options.ResizeMethod == "Both") return ResizeBy::kBoth;
  return ResizeBy::kHeight;
}

int64_t ThumbTarget(const ThumbOptions& options) {
  bool by_height = EffectiveResize(options) == ResizeBy::kHeight;
  return RoundHalfEven(Val(by_height ? options.Height : options.Width));
}

ThumbSize ComputeThumbSize(ThumbSize source, int64_t target, const ThumbOptions& options) {
  if (source.width < 1 || source.height < 1 || !ValidThumbSide(target)) return {};
  ResizeBy by = EffectiveResize(options);
  if (by == ResizeBy::kBoth) {
    return {WholePixels(static_cast<float>(Val(options.Width))),
            WholePixels(static_cast<float>(Val(options.Height)))};
  }
  auto sw = static_cast<float>(source.width), sh = static_cast<float>(source.height);
  float r = (by == ResizeBy::kHeight ? sh : sw) / static_cast<float>(target);
  return {WholePixels(sw / r), WholePixels(sh / r)};
}

std::vector<ThumbResult> MakeThumbnails(const std::string& picture,
                                        const std::vector<ThumbOutput>& outputs, int64_t target,
                                        const ThumbOptions& options, ExtraFormats formats) {
  std::vector<ThumbResult> results(outputs.size());
  // Written through a temporary file, so that not even a system crash leaves a
  // cut-off thumbnail (it would count as existing and never be remade).
  std::vector<std::string> jpegs =
      RenderThumbnails(picture, outputs, target, options, formats, &results);
  for (size_t i = 0; i < outputs.size(); ++i) {
    const std::string& path = outputs[i].path;
    bool rendered = !jpegs[i].empty();
    if (rendered && !MayWriteThumbnail(path))  // looked at again just before each write
      results[i].error = KeptFileError(path);
    else if (rendered)
      WriteFileAtomic(path, jpegs[i], &results[i].error);
    results[i].exists = IsRegularFile(path);
  }
  return results;
}

ThumbResult MakeThumbnail(const std::string& picture, const std::string& thumb_path, int64_t target,
                          const ThumbOptions& options, const ThumbChoices& choices) {
  return MakeThumbnails(picture, {{thumb_path, choices.scale}}, target, options,
                        choices.formats)[0];
}

bool MayWriteThumbnail(const std::string& path) {
  struct stat st;
  return lstat(path.c_str(), &st) != 0 || IsOwnThumbnail(AT_FDCWD, path);
}

std::string KeptFileError(const std::string& path) {
  return path + " is not a thumbnail the program made; it is left as it is";
}

std::string SizeLabel(uint64_t bytes) {
  int64_t k = RoundHalfEven(static_cast<double>(bytes) / 1024.0);
  if (k < 1000) return NumText(k) + " Kb";
  int64_t tenths = (k + 50) / 100;  // one decimal place, halves away from zero
  return NumText(tenths / 10) + "." + NumText(tenths % 10) + " MB";
}
