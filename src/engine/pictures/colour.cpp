#include "pictures/colour.h"

#include <lcms2.h>

#include <memory>
#include <type_traits>

namespace {

template <auto Close>
struct Closer {
  template <typename T>
  void operator()(T handle) const {
    Close(handle);
  }
};
using Profile = std::unique_ptr<std::remove_pointer_t<cmsHPROFILE>, Closer<cmsCloseProfile>>;
using Transform = std::unique_ptr<std::remove_pointer_t<cmsHTRANSFORM>, Closer<cmsDeleteTransform>>;

// The pixel format of `raster` when `profile` describes it, else 0.
cmsUInt32Number InputFormat(cmsHPROFILE profile, const Raster& raster) {
  cmsColorSpaceSignature space = cmsGetColorSpace(profile);
  if (raster.bands == 3 && space == cmsSigRgbData) return TYPE_RGB_8;
  if (raster.bands == 1 && space == cmsSigGrayData) return TYPE_GRAY_8;
  return 0;
}

}  // namespace

void ConvertToSrgb(const std::vector<uint8_t>& icc, Raster* raster) {
  if (icc.empty()) return;
  Profile in(cmsOpenProfileFromMem(icc.data(), static_cast<cmsUInt32Number>(icc.size())));
  if (!in) return;
  cmsUInt32Number format = InputFormat(in.get(), *raster);
  Profile srgb(cmsCreate_sRGBProfile());
  if (!format || !srgb) return;
  Transform transform(cmsCreateTransform(in.get(), format, srgb.get(), TYPE_RGB_8,
                                         INTENT_RELATIVE_COLORIMETRIC, 0));
  if (!transform) return;
  auto count = static_cast<cmsUInt32Number>(raster->width) * raster->height;
  if (raster->bands == 3) {  // pixels of the same size are converted where they lie
    cmsDoTransform(transform.get(), raster->pixels.data(), raster->pixels.data(), count);
    return;
  }
  Raster out{raster->width, raster->height, 3, {}};
  out.pixels.resize(static_cast<size_t>(count) * 3);
  cmsDoTransform(transform.get(), raster->pixels.data(), out.pixels.data(), count);
  *raster = std::move(out);
}
