#include "pictures/vips_io.h"

#include <libheif/heif.h>

#include <algorithm>
#include <memory>
#include <mutex>
#include <string_view>
#include <vips/vips8>

using vips::VError;
using vips::VImage;

namespace {

// libvips is started once per process. Thumbnails are made in parallel by
// our own workers, so libvips gets one thread per pipeline and no cache.
bool StartVips() {
  static std::once_flag once;
  static bool started = false;
  std::call_once(once, [] {
    started = VIPS_INIT("kesto") == 0;
    if (!started) return;
    vips_concurrency_set(1);
    vips_cache_set_max(0);
    g_log_set_handler(
        "VIPS", G_LOG_LEVEL_WARNING, [](const gchar*, GLogLevelFlags, const gchar*, gpointer) {},
        nullptr);
  });
  return started;
}

// The libvips error buffer is shared by all threads: take the message, then
// empty it.
std::string TakeError(const VError& e) {
  std::string message = e.what();
  while (!message.empty() && message.back() == '\n') message.pop_back();
  vips_error_clear();
  return message;
}

constexpr std::string_view kJpegLoader = "VipsForeignLoadJpegFile";
constexpr std::string_view kWebpLoader = "VipsForeignLoadWebpFile";

bool Readable(std::string_view loader, bool allow_magick, ExtraFormats extra) {
  if (loader == kJpegLoader || loader == "VipsForeignLoadPngFile") return true;
  if (loader == "VipsForeignLoadMagickFile") return allow_magick;
  if (loader == kWebpLoader) return extra.Has(ExtraFormat::kWebp);
  if (loader == "VipsForeignLoadTiffFile") return extra.Has(ExtraFormat::kTiff);
  if (loader == "VipsForeignLoadHeifFile")
    return extra.Has(ExtraFormat::kHeic) || extra.Has(ExtraFormat::kAvif);
  return false;
}

// JPEG and WebP decode straight to a smaller size when asked to shrink.
VImage Open(const std::string& path, std::string_view loader, int shrink) {
  vips::VOption* options = VImage::option()
                               ->set("access", VIPS_ACCESS_SEQUENTIAL)
                               ->set("fail_on", VIPS_FAIL_ON_TRUNCATED);
  if (shrink > 1 && loader == kJpegLoader) options->set("shrink", shrink);
  if (shrink > 1 && loader == kWebpLoader) options->set("scale", 1.0 / shrink);
  return VImage::new_from_file(path.c_str(), options);
}

int Orientation(const VImage& image) {
  if (!image.get_typeof(VIPS_META_ORIENTATION)) return 1;
  int value = image.get_int(VIPS_META_ORIENTATION);
  return value >= 1 && value <= 8 ? value : 1;
}

// The whole factors that still leave at least twice the planned size.
int BoxFactor(int from, int64_t to) {
  return static_cast<int>(std::max<int64_t>(1, from / (2 * to)));
}

VImage ToSrgb(VImage image) {
  if (image.get_typeof(VIPS_META_ICC_NAME)) {
    try {
      image = image.icc_transform("srgb", VImage::option()->set("embedded", true));
    } catch (const VError& e) {
      TakeError(e);  // a damaged profile: the pixels are used as they are
    }
  }
  image = image.colourspace(VIPS_INTERPRETATION_sRGB);
  if (image.format() != VIPS_FORMAT_UCHAR) image = image.cast(VIPS_FORMAT_UCHAR);
  if (image.bands() > 3) image = image.extract_band(0, VImage::option()->set("n", 3));
  return image;
}

// Renders `image` (8-bit sRGB) and hands its rows to `resamplers`.
bool Render(const VImage& image, RowResamplers* resamplers) {
  size_t size = 0;
  std::unique_ptr<void, decltype(&g_free)> memory(image.write_to_memory(&size), g_free);
  size_t stride = static_cast<size_t>(image.width()) * image.bands();
  if (image.bands() != 3 || size != stride * image.height()) return false;
  const auto* bytes = static_cast<const uint8_t*>(memory.get());
  for (int y = 0; y < image.height(); ++y) resamplers->AddRow(bytes + y * stride);
  return true;
}

ReadStatus Read(const std::string& path, bool allow_magick, ExtraFormats extra,
                const SizePlan& plan, DecodedPicture* out, std::string* err) {
  const char* found = vips_foreign_find_load(path.c_str());
  vips_error_clear();
  if (!found || !Readable(found, allow_magick, extra)) {
    *err = "not a picture in a readable format";
    return ReadStatus::kFailed;
  }
  std::string_view loader = found;
  VImage image = Open(path, loader, 1);
  std::vector<ThumbSize> sizes;
  out->orientation = Orientation(image);
  if (!plan({image.width(), image.height()}, out->orientation, &sizes, err))
    return ReadStatus::kFailed;
  ThumbSize want = Covering(sizes);
  int shrink =
      std::min(BoxFactor(image.width(), want.width), BoxFactor(image.height(), want.height));
  int on_load = 1;
  if (loader == kJpegLoader && shrink >= 2) on_load = shrink >= 8 ? 8 : shrink >= 4 ? 4 : 2;
  if (loader == kWebpLoader && shrink >= 2) on_load = shrink;
  Shrink shrunk{1.0, 1.0, image.width(), image.height()};
  if (on_load > 1) image = Open(path, loader, on_load);
  if (image.has_alpha()) image = image.flatten();
  int box_x = BoxFactor(image.width(), want.width), box_y = BoxFactor(image.height(), want.height);
  if (box_x > 1 || box_y > 1) image = image.shrink(box_x, box_y);
  shrunk.factor_x = on_load * box_x, shrunk.factor_y = on_load * box_y;
  image = ToSrgb(image);
  RowResamplers resamplers(image.width(), image.height(), 3, sizes, shrunk);
  if (!Render(image, &resamplers)) {
    *err = "unexpected pixel layout";
    return ReadStatus::kFailed;
  }
  out->rasters = resamplers.Finish();
  return ReadStatus::kOk;
}

}  // namespace

ReadStatus ReadWithVips(const std::string& path, bool allow_magick, ExtraFormats extra,
                        const SizePlan& plan, DecodedPicture* out, std::string* err) {
  if (!StartVips()) {
    *err = "libvips cannot start";
    return ReadStatus::kFailed;
  }
  try {
    return Read(path, allow_magick, extra, plan, out, err);
  } catch (const VError& e) {
    *err = TakeError(e);
    return ReadStatus::kFailed;
  }
}

ExtraFormats ReadableExtraFormats() {
  static const ExtraFormats readable = [] {
    ExtraFormats formats;
    if (!StartVips()) return formats;
    auto has_loader = [](const char* name) { return vips_type_find("VipsOperation", name) != 0; };
    if (has_loader("pngload")) formats.Add(ExtraFormat::kPng);
    if (has_loader("webpload")) formats.Add(ExtraFormat::kWebp);
    if (has_loader("tiffload")) formats.Add(ExtraFormat::kTiff);
    if (has_loader("heifload") && heif_have_decoder_for_format(heif_compression_HEVC))
      formats.Add(ExtraFormat::kHeic);
    if (has_loader("heifload") && heif_have_decoder_for_format(heif_compression_AV1))
      formats.Add(ExtraFormat::kAvif);
    return formats;
  }();
  return readable;
}
