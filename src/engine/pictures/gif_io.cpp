#include "pictures/gif_io.h"

#include <gif_lib.h>
#include <unistd.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

struct GifCloser {
  void operator()(GifFileType* gif) const {
    int error = 0;
    DGifCloseFile(gif, &error);
  }
};
using GifPtr = std::unique_ptr<GifFileType, GifCloser>;

// The first frame and the part of it that lies on the canvas.
struct Frame {
  int left = 0, top = 0, width = 0, height = 0;
  int visible_width = 0, visible_height = 0;
  bool interlaced = false;
  const ColorMapObject* colours = nullptr;
  int transparent = -1;  // palette index shown as black, or -1
};

std::string GifError(const GifFileType* gif, const char* what) {
  const char* text = GifErrorString(gif->Error);
  return std::string(what) + ": " + (text ? text : "broken GIF");
}

// Reads the extensions up to the first frame; returns its transparent index.
bool SkipExtension(GifFileType* gif, int* transparent) {
  int code = 0;
  GifByteType* block = nullptr;
  if (DGifGetExtension(gif, &code, &block) == GIF_ERROR) return false;
  if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4)
    *transparent = (block[1] & 1) ? block[4] : -1;
  while (block) {
    if (DGifGetExtensionNext(gif, &block) == GIF_ERROR) return false;
  }
  return true;
}

bool FindFirstFrame(GifFileType* gif, Frame* frame, std::string* err) {
  GifRecordType type = UNDEFINED_RECORD_TYPE;
  do {
    if (DGifGetRecordType(gif, &type) == GIF_ERROR ||
        (type == EXTENSION_RECORD_TYPE && !SkipExtension(gif, &frame->transparent)) ||
        (type == IMAGE_DESC_RECORD_TYPE && DGifGetImageDesc(gif) == GIF_ERROR)) {
      *err = GifError(gif, "cannot read GIF");
      return false;
    }
  } while (type != IMAGE_DESC_RECORD_TYPE && type != TERMINATE_RECORD_TYPE);
  const GifImageDesc& d = gif->Image;
  frame->colours = d.ColorMap ? d.ColorMap : gif->SColorMap;
  if (type != IMAGE_DESC_RECORD_TYPE || !frame->colours || d.Width < 1 || d.Height < 1 ||
      static_cast<int64_t>(d.Width) * d.Height > kMaxPicturePixels) {
    *err = "GIF has no usable frame";
    return false;
  }
  *frame = {d.Left,
            d.Top,
            d.Width,
            d.Height,
            std::max(0, std::min(d.Width, gif->SWidth - d.Left)),
            std::max(0, std::min(d.Height, gif->SHeight - d.Top)),
            d.Interlace,
            frame->colours,
            frame->transparent};
  return true;
}

// One canvas row from one row of the frame's palette indices (null: none).
void PaintRow(const Frame& f, const uint8_t* indices, std::vector<uint8_t>* rgb) {
  std::fill(rgb->begin(), rgb->end(), 0);
  if (!indices) return;
  for (int x = 0; x < f.visible_width; ++x) {
    int i = indices[x];
    if (i == f.transparent || i >= f.colours->ColorCount) continue;
    const GifColorType& c = f.colours->Colors[i];
    uint8_t* out = &(*rgb)[static_cast<size_t>(f.left + x) * 3];
    out[0] = c.Red, out[1] = c.Green, out[2] = c.Blue;
  }
}

// The frame's visible rows in canvas order; interlaced frames come in four
// passes and are kept whole (visible part only) until the last pass.
bool ReadFrameRows(GifFileType* gif, const Frame& f, std::vector<uint8_t>* rows) {
  static constexpr int kStart[] = {0, 4, 2, 1}, kStep[] = {8, 8, 4, 2};
  std::vector<GifPixelType> line(static_cast<size_t>(f.width));
  rows->assign(static_cast<size_t>(f.visible_width) * f.visible_height, 0);
  int passes = f.interlaced ? 4 : 1;
  for (int pass = 0; pass < passes; ++pass) {
    for (int y = f.interlaced ? kStart[pass] : 0; y < f.height;
         y += f.interlaced ? kStep[pass] : 1) {
      if (!f.interlaced && y >= f.visible_height) return true;  // the rest is off the canvas
      if (DGifGetLine(gif, line.data(), f.width) == GIF_ERROR) return false;
      if (y < f.visible_height)
        std::copy_n(line.begin(), f.visible_width,
                    rows->begin() + static_cast<size_t>(y) * f.visible_width);
    }
  }
  return true;
}

}  // namespace

ReadStatus ReadGif(int fd, const SizePlan& plan, DecodedPicture* out, std::string* err) {
  int error = 0;
  GifPtr gif(DGifOpenFileHandle(dup(fd), &error));  // closes its copy of fd
  if (!gif) {
    *err = "cannot read GIF";
    return ReadStatus::kFailed;
  }
  std::vector<ThumbSize> want;
  Frame frame;
  if (!plan({gif->SWidth, gif->SHeight}, 1, &want, err) || !FindFirstFrame(gif.get(), &frame, err))
    return ReadStatus::kFailed;
  std::vector<uint8_t> indices;
  if (!ReadFrameRows(gif.get(), frame, &indices)) {
    *err = GifError(gif.get(), "cannot read GIF rows");
    return ReadStatus::kFailed;
  }
  RowResamplers resamplers(gif->SWidth, gif->SHeight, 3, want);
  std::vector<uint8_t> rgb(static_cast<size_t>(gif->SWidth) * 3);
  for (int y = 0; y < gif->SHeight; ++y) {
    int row = y - frame.top;
    bool inside = row >= 0 && row < frame.visible_height;
    PaintRow(frame,
             inside ? indices.data() + static_cast<size_t>(row) * frame.visible_width : nullptr,
             &rgb);
    resamplers.AddRow(rgb.data());
  }
  out->rasters = resamplers.Finish();
  return ReadStatus::kOk;
}
