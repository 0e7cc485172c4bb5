#include "pictures/jpeg_io.h"

// clang-format off
#include <cstdio>
#include <jpeglib.h>
#include <jerror.h>
// clang-format on
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csetjmp>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <utility>

#include "pictures/byte_order.h"
#include "pictures/jpeg_dc.h"

namespace {

constexpr size_t kReadChunk = 256 * 1024;
constexpr off_t kMaxDcOnlyBytes = 64 << 20;
constexpr uint16_t kOrientationTag = 0x0112;

// libjpeg reports errors through a longjmp back into the function that set
// the jump; these states live on the heap and hold everything that must
// survive the jump, so no C++ object is skipped by it.
struct ErrorState {
  jpeg_error_mgr mgr;
  jmp_buf jump;
  char message[JMSG_LENGTH_MAX] = "";
};

[[noreturn]] void OnError(j_common_ptr cinfo) {
  auto* state = static_cast<ErrorState*>(cinfo->client_data);
  (*cinfo->err->format_message)(cinfo, state->message);
  longjmp(state->jump, 1);
}

// Warnings are passed over, except the end of the data: a cut-off file is
// refused rather than thumbnailed with grey rows.
void OnMessage(j_common_ptr cinfo, int level) {
  if (level == -1 && cinfo->err->msg_code == JWRN_JPEG_EOF) OnError(cinfo);
}

void SetUpErrors(j_common_ptr cinfo, ErrorState* state) {
  cinfo->err = jpeg_std_error(&state->mgr);
  state->mgr.error_exit = OnError;
  state->mgr.emit_message = OnMessage;
  cinfo->client_data = state;
}

struct ReadState : ErrorState {
  jpeg_decompress_struct cinfo{};
  jpeg_source_mgr source{};
  bool created = false;
  int fd = -1;
  std::vector<JOCTET> buffer = std::vector<JOCTET>(kReadChunk);
  std::vector<JSAMPLE> row;
  std::optional<RowResamplers> resamplers;
  std::string error;            // a failure found outside libjpeg
  std::vector<ThumbSize> want;  // the planned sizes
  bool dc_scans = false;        // read from the DC scans, with dc_frame
  DcFrame dc_frame;
  size_t file_size = 0;
};

void InitSource(j_decompress_ptr) {}
void TermSource(j_decompress_ptr) {}

boolean FillInput(j_decompress_ptr cinfo) {
  auto* state = static_cast<ReadState*>(static_cast<ErrorState*>(cinfo->client_data));
  ssize_t n;
  do {
    n = read(state->fd, state->buffer.data(), state->buffer.size());
  } while (n < 0 && errno == EINTR);
  if (n <= 0) {
    WARNMS(cinfo, JWRN_JPEG_EOF);  // ends the read (OnMessage)
    state->buffer[0] = 0xFF, state->buffer[1] = JPEG_EOI, n = 2;
  }
  cinfo->src->next_input_byte = state->buffer.data();
  cinfo->src->bytes_in_buffer = static_cast<size_t>(n);
  return TRUE;
}

void SkipInput(j_decompress_ptr cinfo, long count) {
  while (count > static_cast<long>(cinfo->src->bytes_in_buffer)) {
    count -= static_cast<long>(cinfo->src->bytes_in_buffer);
    FillInput(cinfo);
  }
  if (count > 0) {
    cinfo->src->next_input_byte += count;
    cinfo->src->bytes_in_buffer -= static_cast<size_t>(count);
  }
}

void SetUpSource(ReadState* s) {
  s->source.init_source = InitSource;
  s->source.fill_input_buffer = FillInput;
  s->source.skip_input_data = SkipInput;
  s->source.resync_to_restart = jpeg_resync_to_restart;
  s->source.term_source = TermSource;
  s->cinfo.src = &s->source;
}

int OrientationOf(j_decompress_ptr cinfo) {
  for (jpeg_saved_marker_ptr m = cinfo->marker_list; m; m = m->next) {
    if (m->marker == JPEG_APP0 + 1 && m->data_length > 6 && !memcmp(m->data, "Exif\0\0", 6))
      return ExifOrientation(m->data + 6, m->data_length - 6);
  }
  return 1;
}

std::vector<uint8_t> ProfileOf(j_decompress_ptr cinfo) {
  JOCTET* data = nullptr;
  unsigned int length = 0;
  std::vector<uint8_t> icc;
  if (jpeg_read_icc_profile(cinfo, &data, &length)) icc.assign(data, data + length);
  free(data);
  return icc;
}

// The smallest scale N/8 whose output still covers `want` on both sides.
int ScaleEighths(const jpeg_decompress_struct& cinfo, ThumbSize want) {
  for (int n = 1; n < 8; ++n) {
    int64_t w = (static_cast<int64_t>(cinfo.image_width) * n + 7) / 8;
    int64_t h = (static_cast<int64_t>(cinfo.image_height) * n + 7) / 8;
    if (w >= want.width && h >= want.height) return n;
  }
  return 8;
}

bool ChooseColour(jpeg_decompress_struct* cinfo) {
  if (cinfo->data_precision != 8) return false;
  switch (cinfo->jpeg_color_space) {
    case JCS_GRAYSCALE:
      cinfo->out_color_space = JCS_GRAYSCALE;
      return true;
    case JCS_YCbCr:
    case JCS_RGB:
      cinfo->out_color_space = JCS_RGB;
      return true;
    default:
      return false;
  }
}

bool ReadWhole(int fd, std::vector<uint8_t>* data) {
  size_t done = 0;
  while (done < data->size()) {
    ssize_t n = pread(fd, data->data() + done, data->size() - done, static_cast<off_t>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

// Progressive, Huffman-coded files decoded at 1/8 are read from their DC
// scans alone (jpeg_dc.h), when the file is of a size to hold in memory.
bool UseDcScans(ReadState* s, int eighths) {
  j_decompress_ptr cinfo = &s->cinfo;
  struct stat st;
  if (eighths != 1 || !cinfo->progressive_mode || cinfo->arith_code || fstat(s->fd, &st) != 0 ||
      st.st_size > kMaxDcOnlyBytes)
    return false;
  DcFrame& frame = s->dc_frame;
  frame.width = static_cast<int>(cinfo->image_width);
  frame.height = static_cast<int>(cinfo->image_height);
  frame.ycc = cinfo->jpeg_color_space == JCS_YCbCr;
  for (int i = 0; i < cinfo->num_components; ++i) {
    const jpeg_component_info& c = cinfo->comp_info[i];
    if (c.quant_tbl_no < 0 || c.quant_tbl_no >= NUM_QUANT_TBLS) return false;
    const JQUANT_TBL* quant = cinfo->quant_tbl_ptrs[c.quant_tbl_no];
    if (!quant) return false;
    frame.components.push_back(
        {c.component_id, c.h_samp_factor, c.v_samp_factor, quant->quantval[0]});
  }
  s->file_size = static_cast<size_t>(st.st_size);
  return true;
}

// The header, up to the choice of the decoding. Between the jump target and
// the last libjpeg call, locals are plain pointers and numbers only.
ReadStatus ReadHeader(ReadState* s, const SizePlan& plan, DecodedPicture* out) {
  j_decompress_ptr cinfo = &s->cinfo;
  SetUpErrors(reinterpret_cast<j_common_ptr>(cinfo), s);
  if (setjmp(s->jump)) return ReadStatus::kFailed;
  jpeg_create_decompress(cinfo);
  s->created = true;
  SetUpSource(s);
  jpeg_save_markers(cinfo, JPEG_APP0 + 1, 0xFFFF);
  jpeg_save_markers(cinfo, JPEG_APP0 + 2, 0xFFFF);
  jpeg_read_header(cinfo, TRUE);
  if (!ChooseColour(cinfo)) return ReadStatus::kUnsupported;
  out->orientation = OrientationOf(cinfo);
  ThumbSize stored{cinfo->image_width, cinfo->image_height};
  if (!plan(stored, out->orientation, &s->want, &s->error)) return ReadStatus::kFailed;
  out->icc = ProfileOf(cinfo);
  int eighths = ScaleEighths(*cinfo, Covering(s->want));
  s->dc_scans = UseDcScans(s, eighths);
  cinfo->scale_num = static_cast<unsigned int>(eighths);
  cinfo->scale_denom = 8;
  cinfo->do_fancy_upsampling = FALSE;
  cinfo->do_block_smoothing = FALSE;
  return ReadStatus::kOk;
}

ReadStatus ReadRows(ReadState* s, DecodedPicture* out) {
  j_decompress_ptr cinfo = &s->cinfo;
  if (setjmp(s->jump)) return ReadStatus::kFailed;
  jpeg_start_decompress(cinfo);
  int width = static_cast<int>(cinfo->output_width), bands = cinfo->output_components;
  s->row.resize(static_cast<size_t>(width) * bands);
  double factor = 8.0 / cinfo->scale_num;
  s->resamplers.emplace(width, static_cast<int>(cinfo->output_height), bands, s->want,
                        Shrink{factor, factor, cinfo->image_width, cinfo->image_height});
  while (cinfo->output_scanline < cinfo->output_height) {
    JSAMPROW row = s->row.data();
    jpeg_read_scanlines(cinfo, &row, 1);
    s->resamplers->AddRow(row);
  }
  out->rasters = s->resamplers->Finish();
  return ReadStatus::kOk;
}

ReadStatus ReadDcScans(ReadState* s, DecodedPicture* out) {
  std::vector<uint8_t> file(s->file_size);
  Raster eighth;
  if (!ReadWhole(s->fd, &file)) {
    s->error = "cannot read the JPEG file";
    return ReadStatus::kFailed;
  }
  if (!DecodeDcScans(file.data(), file.size(), s->dc_frame, &eighth, &s->error))
    return ReadStatus::kFailed;
  RowResamplers resamplers(eighth.width, eighth.height, eighth.bands, s->want,
                           Shrink{8.0, 8.0, s->dc_frame.width, s->dc_frame.height});
  size_t stride = static_cast<size_t>(eighth.width) * eighth.bands;
  for (int y = 0; y < eighth.height; ++y) resamplers.AddRow(&eighth.pixels[y * stride]);
  out->rasters = resamplers.Finish();
  return ReadStatus::kOk;
}

struct WriteState : ErrorState {
  jpeg_compress_struct cinfo{};
  jpeg_destination_mgr destination{};
  bool created = false;
  std::vector<JOCTET> chunk = std::vector<JOCTET>(16 * 1024);
  std::string bytes;
};

WriteState* WriteStateOf(j_compress_ptr cinfo) {
  return static_cast<WriteState*>(static_cast<ErrorState*>(cinfo->client_data));
}

void InitDestination(j_compress_ptr cinfo) {
  WriteState* s = WriteStateOf(cinfo);
  s->destination.next_output_byte = s->chunk.data();
  s->destination.free_in_buffer = s->chunk.size();
}

boolean EmptyOutput(j_compress_ptr cinfo) {
  WriteState* s = WriteStateOf(cinfo);
  s->bytes.append(reinterpret_cast<const char*>(s->chunk.data()), s->chunk.size());
  InitDestination(cinfo);
  return TRUE;
}

void TermDestination(j_compress_ptr cinfo) {
  WriteState* s = WriteStateOf(cinfo);
  size_t used = s->chunk.size() - s->destination.free_in_buffer;
  s->bytes.append(reinterpret_cast<const char*>(s->chunk.data()), used);
}

bool RunWrite(WriteState* s, const Raster& raster, int quality, bool progressive) {
  j_compress_ptr cinfo = &s->cinfo;
  SetUpErrors(reinterpret_cast<j_common_ptr>(cinfo), s);
  if (setjmp(s->jump)) return false;
  jpeg_create_compress(cinfo);
  s->created = true;
  s->destination.init_destination = InitDestination;
  s->destination.empty_output_buffer = EmptyOutput;
  s->destination.term_destination = TermDestination;
  cinfo->dest = &s->destination;
  cinfo->image_width = static_cast<JDIMENSION>(raster.width);
  cinfo->image_height = static_cast<JDIMENSION>(raster.height);
  cinfo->input_components = raster.bands;
  cinfo->in_color_space = raster.bands == 1 ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(cinfo);
  jpeg_set_quality(cinfo, std::clamp(quality, 1, 100), TRUE);
  if (progressive) jpeg_simple_progression(cinfo);
  jpeg_start_compress(cinfo, TRUE);
  jpeg_write_marker(cinfo, JPEG_COM, reinterpret_cast<const JOCTET*>(kThumbnailMark.data()),
                    static_cast<unsigned>(kThumbnailMark.size()));
  size_t stride = static_cast<size_t>(raster.width) * raster.bands;
  while (cinfo->next_scanline < cinfo->image_height) {
    auto row = const_cast<JSAMPROW>(&raster.pixels[cinfo->next_scanline * stride]);
    jpeg_write_scanlines(cinfo, &row, 1);
  }
  jpeg_finish_compress(cinfo);
  return true;
}

// The segments before the first scan of a JPEG held in `head`; true when one
// of them is a comment holding exactly the thumbnail mark.
bool HeadHoldsMark(const uint8_t* head, size_t size) {
  if (size < 2 || head[0] != 0xFF || head[1] != 0xD8) return false;
  for (size_t at = 2; at + 4 <= size;) {
    if (head[at] != 0xFF) return false;
    uint8_t marker = head[at + 1];
    if (marker == 0xFF) {  // fill byte
      ++at;
      continue;
    }
    if (marker == 0xDA || marker == 0xD9) return false;  // first scan, or the end
    size_t length = ReadNumber(head + at + 2, 2, true);
    if (length < 2) return false;
    if (marker == 0xFE && length - 2 == kThumbnailMark.size() && at + 2 + length <= size &&
        !memcmp(head + at + 4, kThumbnailMark.data(), kThumbnailMark.size()))
      return true;
    at += 2 + length;
  }
  return false;
}

}  // namespace

bool HasThumbnailMark(int fd) {
  uint8_t head[4096];
  ssize_t got = pread(fd, head, sizeof head, 0);
  return got > 0 && HeadHoldsMark(head, static_cast<size_t>(got));
}

bool IsOwnThumbnail(int dir_fd, const std::string& name) {
  int fd = openat(dir_fd, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st;
  bool own = fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && HasThumbnailMark(fd);
  close(fd);
  return own;
}

int ExifOrientation(const uint8_t* data, size_t size) {
  if (size < 8) return 1;
  bool big = data[0] == 'M' && data[1] == 'M';
  if (!big && !(data[0] == 'I' && data[1] == 'I')) return 1;
  uint32_t ifd = ReadNumber(data + 4, 4, big);
  if (ifd > size || size - ifd < 2) return 1;
  uint32_t entries = ReadNumber(data + ifd, 2, big);
  for (uint32_t i = 0; i < entries; ++i) {
    size_t at = ifd + 2 + static_cast<size_t>(i) * 12;
    if (at + 12 > size) return 1;
    if (ReadNumber(data + at, 2, big) != kOrientationTag) continue;
    if (ReadNumber(data + at + 2, 2, big) != 3) return 1;  // not a SHORT
    uint32_t value = ReadNumber(data + at + 8, 2, big);
    return value >= 1 && value <= 8 ? static_cast<int>(value) : 1;
  }
  return 1;
}

ReadStatus ReadJpeg(int fd, const SizePlan& plan, DecodedPicture* out, std::string* err) {
  auto state = std::make_unique<ReadState>();
  state->fd = fd;
  ReadStatus status = ReadHeader(state.get(), plan, out);
  if (status == ReadStatus::kOk)
    status = state->dc_scans ? ReadDcScans(state.get(), out) : ReadRows(state.get(), out);
  if (state->created) jpeg_destroy_decompress(&state->cinfo);
  if (status == ReadStatus::kFailed) *err = state->error.empty() ? state->message : state->error;
  return status;
}

bool EncodeJpeg(const Raster& raster, int quality, bool progressive, std::string* out,
                std::string* err) {
  auto state = std::make_unique<WriteState>();
  bool ok = RunWrite(state.get(), raster, quality, progressive);
  if (state->created) jpeg_destroy_compress(&state->cinfo);
  if (ok) *out = std::move(state->bytes);
  if (!ok) *err = std::string("cannot encode JPEG: ") + state->message;
  return ok;
}
